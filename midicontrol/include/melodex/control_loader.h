#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "melodex/control.h"
#include "melodex/host.h"

namespace melodex {

class ControlLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Creates a control by its ProgID the way a host does: finds the library in
// the per-user registry of controls (falling back to the library of this
// program's own build or install, found through its run path), loads it,
// asks DllGetClassObject for the class factory and creates an instance on
// `host`. The library stays loaded while the control lives. Throws
// ControlLoadError naming the ProgID and the reason.
std::unique_ptr<Control> createControl(const std::string& progId, Host& host);

}  // namespace melodex
