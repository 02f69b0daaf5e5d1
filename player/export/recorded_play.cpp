#include "player/export/recorded_play.h"

#include <memory>

#include "melodex/midi_control.h"
#include "melodex/recording_platform.h"
#include "player/play/headless_player_view.h"
#include "player/play/play_step.h"
#include "player/play/virtual_time_host.h"

namespace corvale {

RecordedPlay recordPlay(const LineStore& lineStore, std::uint64_t chosenTune, const PlaySettings& settings) {
  melodex::VirtualClock clock;
  auto recording = std::make_shared<melodex::RecordingPlatform>(clock);
  RecordedPlay play;
  {
    const melodex::ScopedPlatform recordingForNow(recording);
    VirtualTimeHost host(clock);
    melodex::MidiControl midix(host);
    midix.InitProperties();
    HeadlessPlayerView view(settings.tempo, settings.replays, settings.instrument);
    PlayStep step(view, midix);
    const PlayOutcome outcome = step.playChosenTune(lineStore, chosenTune, settings.reading, settings.options);
    if (outcome.ending == PlayEnding::Failed) play.problem = outcome.problem;
  }
  for (const melodex::RecordedCall& call : recording->calls()) {
    if (call.kind == melodex::RecordedCall::Kind::Send) play.words.push_back({call.timeMicroseconds, call.word});
  }
  return play;
}

}  // namespace corvale
