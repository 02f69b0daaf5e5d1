#include "melodex/sound_output.h"

#include "fluid_synth_output.h"

namespace melodex {

namespace {

std::string& route() {
  static std::string portName;
  return portName;
}

}  // namespace

void preloadBuiltInSynthesiser(const std::filesystem::path& soundFont) { FluidSynthOutput::shared().preload(soundFont); }

std::filesystem::path builtInSoundFont() { return FluidSynthOutput::shared().soundFont(); }

std::filesystem::path installedSoundFont() {
  return FluidSynthOutput::findSoundFont(FluidSynthOutput::standardSoundFontFolders()).value_or(std::filesystem::path());
}

bool chooseBuiltInSoundFont(const std::filesystem::path& soundFont, std::string& problem) {
  return FluidSynthOutput::shared().changeSoundFont(soundFont, problem);
}

void routeDefaultOutput(const std::string& portName) { route() = portName; }

const std::string& defaultOutputRoute() { return route(); }

}  // namespace melodex
