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

// The SoundFont an export sounds with: the one chosen when it can be used, else
// the best one installed, with `notice` saying, in a musician's words, why the
// one chosen was passed over ("" when none was chosen or it is used).
struct SoundFontInUse {
  std::filesystem::path path;
  std::string notice;
};
SoundFontInUse soundFontInUse(const QSettings& settings);

// Why the SoundFont at `path` cannot be loaded, judged without waiting and
// without reading it ("is not there", "is a FIFO, not a regular file"); "" when it
// may be.
std::string soundFontProblem(const std::filesystem::path& path);

// The notice for a chosen SoundFont passed over because of `problem`, `used` sounding instead.
std::string soundFontPassedOver(const std::filesystem::path& chosen, const std::string& problem,
                                const std::filesystem::path& used);

}  // namespace corvale
