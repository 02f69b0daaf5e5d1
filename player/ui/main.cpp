#include <QApplication>
#include <QSettings>

#include "player/ui/form1.h"
#include "player/ui/sound_startup.h"
#include "player/ui/termination_signal.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("corvale"));
  QApplication::setApplicationVersion(QStringLiteral(CORVALE_VERSION_TEXT));

  corvale::Form1 window;
  QSettings settings(QStringLiteral("corvale"), QStringLiteral("corvale"));
  corvale::startSound(settings, window.host(), window.Midix(), [&window](const std::string& m) { window.showMessage(m); });
  corvale::TerminationSignal terminate([&window] { window.close(); });
  window.show();
  return QApplication::exec();
}
