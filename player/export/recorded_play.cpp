#include "player/export/recorded_play.h"

#include <chrono>
#include <memory>

#include "melodex/midi_control.h"
#include "melodex/recording_platform.h"
#include "player/play/headless_player_view.h"
#include "player/play/play_step.h"
#include "player/play/virtual_time_host.h"
#include "practice/practice_desk.h"

namespace corvale {
namespace {

// The window as a recorded play sees it, handing the real window its events
// every few milliseconds of a long recording.
class RecordingView : public HeadlessPlayerView {
 public:
  RecordingView(const PlaySettings& settings, const std::function<void()>& meanwhile)
      : HeadlessPlayerView(settings.tempo, settings.replays, settings.instrument), meanwhile_(meanwhile) {}

  void processPendingEvents() override {
    constexpr int kRowsBetweenLooks = 256;
    constexpr auto kBetweenTurns = std::chrono::milliseconds(20);
    if (!meanwhile_ || ++rows_ % kRowsBetweenLooks != 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastTurn_ < kBetweenTurns) return;
    meanwhile_();
    lastTurn_ = std::chrono::steady_clock::now();
  }

 private:
  const std::function<void()>& meanwhile_;
  unsigned rows_ = 0;
  std::chrono::steady_clock::time_point lastTurn_ = std::chrono::steady_clock::now();
};

}  // namespace

RecordedPlay recordPlay(const ParsedTune& tune, const PlaySettings& settings, const std::function<void()>& meanwhile) {
  melodex::VirtualClock clock;
  auto recording = std::make_shared<melodex::RecordingPlatform>(clock);
  RecordedPlay play;
  {
    const melodex::ScopedPlatform recordingForNow(recording);
    VirtualTimeHost host(clock);
    melodex::MidiControl midix(host);
    midix.InitProperties();
    RecordingView view(settings, meanwhile);
    FixedPracticeDesk desk(settings.practice ? settings.practice->plan : PracticePlan{},
                           !settings.practice || settings.practice->switchInstrumentAtStart);
    if (settings.practice) view.setPracticeDesk(&desk);
    PlayStep step(view, midix);
    const PlayOutcome outcome = step.playParsedTune(tune, settings.reading);
    if (outcome.ending == PlayEnding::Failed) play.problem = outcome.problem;
  }
  play.words.reserve(recording->calls().size());
  for (const melodex::RecordedCall& call : recording->calls()) {
    if (call.kind == melodex::RecordedCall::Kind::Send) play.words.push_back({call.timeMicroseconds, call.word});
  }
  return play;
}

RecordedPlay recordPlay(const LineStore& lineStore, std::uint64_t chosenTune, const PlaySettings& settings) {
  TuneReader reader;
  return recordPlay(reader.parse(lineStore, chosenTune, settings.reading, settings.options), settings);
}

}  // namespace corvale
