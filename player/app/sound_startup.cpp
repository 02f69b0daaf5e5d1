#include "player/app/sound_startup.h"

#include <algorithm>
#include <system_error>

#include "melodex/sound_output.h"
#include "player/export/sound_choice.h"

namespace corvale {

void startSound(QSettings& settings, melodex::QtHost& host, melodex::Dispatch* midix, const ShowMessage& showMessage) {
  host.setNoticeSink(showMessage);
  const SoundChoice choice = readSoundChoice(settings);
  std::error_code error;
  if (!choice.soundFont.empty() && !std::filesystem::is_regular_file(choice.soundFont, error)) {
    showMessage("The SoundFont " + choice.soundFont.string() + " chosen before is not there any more; " +
                "the built-in synthesiser uses " + melodex::builtInSoundFont().filename().string() + ".");
    melodex::preloadBuiltInSynthesiser();
  } else {
    melodex::preloadBuiltInSynthesiser(choice.soundFont);
  }

  if (choice.outputPort.empty() || midix == nullptr) return;
  const std::vector<OutputPort> ports = listOutputPorts(*midix);
  const auto port = std::find_if(ports.begin(), ports.end(),
                                 [&](const OutputPort& present) { return present.name == choice.outputPort; });
  if (port == ports.end()) {
    // The choice stays kept: the keyboard may be plugged in again by the next run.
    showMessage("The MIDI output \"" + choice.outputPort +
                "\" chosen before is not there; the built-in synthesiser plays instead.");
    return;
  }
  melodex::routeDefaultOutput(port->name);
  setCurrentDevice(*midix, port->deviceId);
}

}  // namespace corvale
