#include "player/app/sound_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QFileInfo>

#include "melodex/sound_output.h"
#include "player/export/sound_choice.h"

namespace corvale {

SoundMenu::SoundMenu(melodex::Dispatch& midix, QSettings& settings, ShowMessage showMessage, QWidget* window,
                     AskSoundFont askSoundFont)
    : QObject(window),
      midix_(midix),
      settings_(settings),
      showMessage_(std::move(showMessage)),
      window_(window),
      askSoundFont_(std::move(askSoundFont)),
      chooseSoundFont_(new QAction(QStringLiteral("Choose SoundFont\u2026"), this)) {
  connect(chooseSoundFont_, &QAction::triggered, this, &SoundMenu::chooseSoundFont);
}

MenuSection SoundMenu::section() {
  // Keyboards come and go: the list is made when the menu opens, not before.
  return {QStringLiteral("&Sound"), {}, [this] { return entries(); }};
}

std::vector<MenuItem> SoundMenu::entries() {
  delete outputs_;  // and the entries it holds
  outputs_ = new QActionGroup(this);
  std::vector<MenuItem> items;
  const auto addOutput = [&](const QString& text, const OutputPort& port, bool ticked) {
    auto* entry = new QAction(text, outputs_);
    entry->setCheckable(true);
    entry->setChecked(ticked);
    connect(entry, &QAction::triggered, this, [this, port] { chooseOutput(port); });
    items.push_back({entry});
  };
  const QString soundFont = QFileInfo(QString::fromStdString(melodex::builtInSoundFont().string())).completeBaseName();
  // Ticked unless a port listed below is the route (one that has gone leaves the built-in one sounding).
  addOutput(QStringLiteral("Built-in synthesiser (%1)").arg(soundFont.isEmpty() ? tr("no SoundFont") : soundFont),
            {0, std::string()}, true);
  const std::string& route = melodex::defaultOutputRoute();
  for (const OutputPort& port : listOutputPorts(midix_)) addOutput(QString::fromStdString(port.name), port, port.name == route);
  items.push_back({});
  items.push_back({chooseSoundFont_});
  return items;
}

void SoundMenu::chooseOutput(const OutputPort& port) {
  melodex::routeDefaultOutput(port.name);
  setCurrentDevice(midix_, port.deviceId);
  keepOutputPort(settings_, port.name);
}

void SoundMenu::chooseSoundFont() {
  const QString file = askSoundFont_(window_);
  if (file.isEmpty()) return;
  const std::filesystem::path soundFont(file.toStdString());
  std::string problem;
  if (!melodex::chooseBuiltInSoundFont(soundFont, problem)) {
    showMessage_("That SoundFont could not be used, so the one before stays: " + problem + ".");
    return;
  }
  keepSoundFont(settings_, soundFont);
  // Also puts right a message left by a SoundFont chosen before that could not be used.
  showMessage_("The built-in synthesiser now plays with the SoundFont " + QFileInfo(file).fileName().toStdString() + ".");
}

QString SoundMenu::askSoundFontFile(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QStringLiteral("Choose SoundFont"), QStringLiteral("/usr/share/sounds"),
                                      QStringLiteral("SoundFonts (*.sf2 *.sf3)"));
}

}  // namespace corvale
