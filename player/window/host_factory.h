#pragma once

#include <functional>
#include <memory>

#include "melodex/property_store.h"
#include "melodex/qt_host.h"

class QWidget;

namespace corvale {

// Makes the host that the window gives its MIDI control. The program uses
// real time; tests pass a host whose clock they own.
using HostFactory = std::function<std::unique_ptr<melodex::QtHost>(QWidget& window, melodex::PropertyStore& store)>;

// A host on the machine's steady clock.
HostFactory realTimeHostFactory();

}  // namespace corvale
