#include "player/export/sound_choice.h"

#include <system_error>

#include "melodex/sound_output.h"

namespace corvale {
namespace {

const QString kOutputPortKey = QStringLiteral("sound/outputPort");
const QString kSoundFontKey = QStringLiteral("sound/soundFont");

}  // namespace

SoundChoice readSoundChoice(const QSettings& settings) {
  return {settings.value(kOutputPortKey).toString().toStdString(),
          std::filesystem::path(settings.value(kSoundFontKey).toString().toStdString())};
}

void keepOutputPort(QSettings& settings, const std::string& portName) {
  if (portName.empty()) {
    settings.remove(kOutputPortKey);
  } else {
    settings.setValue(kOutputPortKey, QString::fromStdString(portName));
  }
}

void keepSoundFont(QSettings& settings, const std::filesystem::path& soundFont) {
  settings.setValue(kSoundFontKey, QString::fromStdString(soundFont.string()));
}

std::filesystem::path soundFontInUse(const QSettings& settings) {
  const std::filesystem::path chosen = readSoundChoice(settings).soundFont;
  std::error_code error;
  if (!chosen.empty() && std::filesystem::is_regular_file(chosen, error)) return chosen;
  return melodex::builtInSoundFont();
}

}  // namespace corvale
