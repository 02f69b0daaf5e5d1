#include <QApplication>
#include <QTimer>

#include "player/ui/command_line.h"
#include "player/ui/main_window.h"
#include "player/ui/midi_log_platform.h"
#include "player/ui/termination_signal.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("corvale"));
  QApplication::setOrganizationName(QStringLiteral("corvale"));
  QApplication::setApplicationVersion(QStringLiteral(CORVALE_VERSION_TEXT));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("corvale"));
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.corvale.Corvale"));
  const corvale::StartRequest start = corvale::readCommandLine(app);
  corvale::installMidiLogFromEnvironment();

  corvale::MainWindow window;
  corvale::TerminationSignal terminate([&window] { window.closeEverything(); });
  window.show();
  if (!start.tuneFile.isEmpty()) window.openTuneFile(start.tuneFile);
  return QApplication::exec();
}
