// Runs the window tests inside one QApplication on Qt's offscreen platform,
// with a MIDI service that records words instead of sounding them.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "melodex/clock.h"
#include "melodex/midi_platform.h"
#include "ui_test_support.h"

namespace corvale::test {
namespace {

const melodex::SteadyClock steadyClock;
const auto platform = std::make_shared<melodex::RecordingPlatform>(steadyClock);

}  // namespace

melodex::RecordingPlatform& recordingPlatform() { return *platform; }

}  // namespace corvale::test

int main(int argc, char* argv[]) {
  // No display is needed: listing the tests at build time runs this too.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // The recent files and every other setting go to a folder of this run only.
  QStandardPaths::setTestModeEnabled(true);
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  melodex::installPlatform(corvale::test::platform);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
