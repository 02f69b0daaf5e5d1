#pragma once

#include <QSettings>
#include <filesystem>
#include <string>

namespace corvale {

// The musician's choice of sound, kept in the user's settings between runs:
// the sequencer port the default output goes to (empty: the built-in
// synthesiser) and the SoundFont of the built-in synthesiser (empty: the
// best one installed).
struct SoundChoice {
  std::string outputPort;
  std::filesystem::path soundFont;
};

SoundChoice readSoundChoice(const QSettings& settings);
void keepOutputPort(QSettings& settings, const std::string& portName);
void keepSoundFont(QSettings& settings, const std::filesystem::path& soundFont);

// The SoundFont the player sounds with: the one chosen if it is still there,
// else the built-in synthesiser's own choice.
std::filesystem::path soundFontInUse(const QSettings& settings);

}  // namespace corvale
