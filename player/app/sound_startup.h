#pragma once

#include <QSettings>

#include "melodex/dispatch.h"
#include "melodex/qt_host.h"
#include "player/app/output_ports.h"

namespace corvale {

// Makes the sound ready as the program starts: starts loading the built-in
// synthesiser with the SoundFont kept in `settings` (on a worker thread, so
// the window is there at once), routes the default output to the port kept
// there if it is still present, and lets the control's notices ("Loading
// the sound…") reach the message area. A kept SoundFont or port that has
// gone is said in the message area, and the built-in choice plays instead.
// `midix` is null when the control could not be loaded.
void startSound(QSettings& settings, melodex::QtHost& host, melodex::Dispatch* midix, const ShowMessage& showMessage);

}  // namespace corvale
