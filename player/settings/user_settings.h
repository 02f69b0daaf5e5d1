#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

namespace corvale {

// The files QSettings reads for the user's settings of corvale (organisation and
// application "corvale"): the user's own file first, then the files it falls
// back on (the user's file for the organisation, and the system's in every
// configuration folder).
QStringList userSettingsFiles();

// The user's settings, for the window and tunedump alike, opened without ever
// waiting: every file of userSettingsFiles() is checked first (checkFile). When
// all may be read, these are the usual settings. When one is a FIFO, a device, a
// folder, a link to one, or larger than 1 MB, a warning naming it goes to stderr,
// once a run, and the settings come from the user's own file alone; when the
// user's own file is the one passed over, from a blank file of this run only, so
// the defaults are used and the file passed over is never written.
std::unique_ptr<QSettings> openUserSettings();

}  // namespace corvale
