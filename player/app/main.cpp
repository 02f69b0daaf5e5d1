#include <QApplication>

#include "player/app/box_paint_log.h"
#include "player/app/command_line.h"
#include "player/window/form1.h"
#include "player/app/main_window.h"
#include "player/app/midi_log_platform.h"
#include "player/app/sound_startup.h"
#include "player/app/termination_signal.h"
#include "player/settings/user_settings.h"

namespace {

void nameTheProgram() {
  QCoreApplication::setApplicationName(QStringLiteral("corvale"));
  QCoreApplication::setOrganizationName(QStringLiteral("corvale"));
  QCoreApplication::setApplicationVersion(QStringLiteral(CORVALE_VERSION_TEXT));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (corvale::asksOnlyForText(argc, argv)) {
    // Prints the text and ends: no window system needed.
    QCoreApplication app(argc, argv);
    nameTheProgram();
    corvale::readCommandLine(app);
    return 0;
  }
  QApplication app(argc, argv);
  nameTheProgram();
  // The task bar and window switchers name the program; the window keeps its caption.
  QGuiApplication::setApplicationDisplayName(QStringLiteral("corvale"));
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.corvale.Corvale"));
  const corvale::StartRequest start = corvale::readCommandLine(app);
  corvale::installMidiLogFromEnvironment();

  corvale::MainWindow window;
  corvale::installBoxPaintLogFromEnvironment(window.form().fingerboard(), &window);
  corvale::TerminationSignal terminate([&window] { window.closeEverything(); });
  const auto settings = corvale::openUserSettings();
  corvale::startSound(*settings, window.form().host(), window.form().Midix(),
                      [&window](const std::string& message) { window.form().showMessage(message); });
  window.show();
  if (!start.tuneFile.isEmpty()) window.openTuneFile(start.tuneFile);
  return QApplication::exec();
}
