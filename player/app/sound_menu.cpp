#include "player/app/sound_menu.h"

#include <QActionGroup>
#include <QFileDialog>
#include <QFileInfo>

#include "melodex/sound_output.h"
#include "player/export/sound_choice.h"

namespace corvale {

SoundMenu::SoundMenu(melodex::Dispatch& midix, QSettings& settings, ShowMessage showMessage, QWidget* parent,
                     AskSoundFont askSoundFont)
    : QMenu(QStringLiteral("&Sound"), parent),
      midix_(midix),
      settings_(settings),
      showMessage_(std::move(showMessage)),
      askSoundFont_(std::move(askSoundFont)) {
  // Keyboards come and go: the list is made when the menu opens, not before.
  connect(this, &QMenu::aboutToShow, this, &SoundMenu::refresh);
  refresh();
}

void SoundMenu::refresh() {
  clear();
  delete outputs_;
  auto* outputs = outputs_ = new QActionGroup(this);
  const std::string& route = melodex::defaultOutputRoute();
  const QString soundFont = QFileInfo(QString::fromStdString(melodex::builtInSoundFont().string())).completeBaseName();
  QAction* builtIn = addAction(QStringLiteral("Built-in synthesiser (%1)").arg(soundFont.isEmpty() ? tr("no SoundFont") : soundFont));
  builtIn->setCheckable(true);
  builtIn->setActionGroup(outputs);
  builtIn->setChecked(true);
  connect(builtIn, &QAction::triggered, this, [this] { chooseOutput({0, std::string()}); });

  for (const OutputPort& port : listOutputPorts(midix_)) {
    QAction* entry = addAction(QString::fromStdString(port.name));
    entry->setCheckable(true);
    entry->setActionGroup(outputs);
    if (port.name == route) entry->setChecked(true);
    connect(entry, &QAction::triggered, this, [this, port] { chooseOutput(port); });
  }
  addSeparator();
  connect(addAction(QStringLiteral("Choose SoundFont\u2026")), &QAction::triggered, this, &SoundMenu::chooseSoundFont);
}

void SoundMenu::chooseOutput(const OutputPort& port) {
  melodex::routeDefaultOutput(port.name);
  setCurrentDevice(midix_, port.deviceId);
  keepOutputPort(settings_, port.name);
}

void SoundMenu::chooseSoundFont() {
  const QString file = askSoundFont_(parentWidget());
  if (file.isEmpty()) return;
  const std::filesystem::path soundFont(file.toStdString());
  std::string problem;
  if (!melodex::chooseBuiltInSoundFont(soundFont, problem)) {
    showMessage_("That SoundFont could not be used, so the one before stays: " + problem + ".");
    return;
  }
  keepSoundFont(settings_, soundFont);
}

QString SoundMenu::askSoundFontFile(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QStringLiteral("Choose SoundFont"), QStringLiteral("/usr/share/sounds"),
                                      QStringLiteral("SoundFonts (*.sf2 *.sf3)"));
}

}  // namespace corvale
