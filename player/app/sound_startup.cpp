#include "player/app/sound_startup.h"

#include <algorithm>

#include "melodex/sound_output.h"
#include "player/export/sound_choice.h"

namespace corvale {

void startSound(QSettings& settings, melodex::QtHost& host, melodex::Dispatch* midix, const ShowMessage& showMessage) {
  host.setNoticeSink(showMessage);
  const SoundChoice choice = readSoundChoice(settings);
  const std::string problem = choice.soundFont.empty() ? std::string() : soundFontProblem(choice.soundFont);
  if (!problem.empty()) {
    // Never handed to the synthesiser: loading a FIFO or a device would hold it for ever.
    melodex::preloadBuiltInSynthesiser();
    showMessage(soundFontPassedOver(choice.soundFont, problem, melodex::builtInSoundFont()));
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
