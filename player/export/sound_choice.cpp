#include "player/export/sound_choice.h"

#include <limits>

#include "melodex/sound_output.h"
#include "player/settings/file_check.h"

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

std::string soundFontProblem(const std::filesystem::path& path) {
  const FileCheck check = checkFile(path.string(), std::numeric_limits<std::int64_t>::max());
  return check.problem;
}

std::string soundFontPassedOver(const std::filesystem::path& chosen, const std::string& problem,
                                const std::filesystem::path& used) {
  return "The SoundFont " + chosen.string() + " chosen before " + problem + ", so it cannot be used; " +
         "the built-in synthesiser uses " + used.filename().string() + " instead.";
}

SoundFontInUse soundFontInUse(const QSettings& settings) {
  const std::filesystem::path chosen = readSoundChoice(settings).soundFont;
  const std::filesystem::path installed = melodex::installedSoundFont();
  if (chosen.empty()) return {installed, {}};
  const std::string problem = soundFontProblem(chosen);
  if (problem.empty()) return {chosen, {}};
  return {installed, soundFontPassedOver(chosen, problem, installed)};
}

}  // namespace corvale
