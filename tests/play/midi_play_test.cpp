#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "fake_player_view.h"
#include "melodex/midi_control.h"
#include "melodex/recording_platform.h"
#include "player/play/instrument_switch.h"
#include "player/play/playback_engine.h"
#include "scripted_host.h"

namespace corvale {
namespace {

using melodex::RecordedCall;
using testing::FakePlayerView;
using testing::ScriptedHost;

EventTable risingNotes(int count) {
  EventTable table;
  for (int i = 0; i < count; ++i) table.append({60.0 + i, 80, 8, 1.0});
  return table;
}

bool isNoteOn(std::int32_t word) { return (word & 0xF0) == 0x90; }
bool isNoteOff(std::int32_t word) { return (word & 0xF0) == 0x80; }

// Plays through the real MIDI control on a recording output and a virtual clock.
class MidiPlayTest : public ::testing::Test {
 protected:
  std::vector<std::string> log;
  FakePlayerView view{log};
  melodex::VirtualClock clock;
  std::shared_ptr<melodex::RecordingPlatform> output = std::make_shared<melodex::RecordingPlatform>(clock);
  std::unique_ptr<ScriptedHost> host;
  std::unique_ptr<melodex::MidiControl> midix;
  std::unique_ptr<PlaybackEngine> engine;

  void SetUp() override {
    melodex::installPlatform(output);
    host = std::make_unique<ScriptedHost>(clock);
    midix = std::make_unique<melodex::MidiControl>(*host);
    midix->InitProperties();
    engine = std::make_unique<PlaybackEngine>(view, *midix);
    output->clear();
  }

  void TearDown() override {
    engine.reset();
    midix.reset();
  }

  // Instants are counted from now, the start of the next play.
  void pressStopAt(std::int64_t ms) {
    host->at(nowMs() + ms, [this] { view.runState = kStartCaption; });
  }
  void closeAt(std::int64_t ms) {
    host->at(nowMs() + ms, [this] {
      view.isClosing = true;
      host->requestClose();
    });
  }

  std::int64_t nowMs() const { return clock.nowMicroseconds() / 1000; }

  std::vector<std::int32_t> noteWords() const {
    std::vector<std::int32_t> words;
    for (std::int32_t word : output->sentWords()) {
      if (isNoteOn(word) || isNoteOff(word)) words.push_back(word);
    }
    return words;
  }

  // Every note-on is followed by its note-off before the output closes, and
  // the output is closed last.
  void expectNothingLeftSounding() const {
    std::map<std::int32_t, int> sounding;
    bool closed = false;
    for (const RecordedCall& call : output->calls()) {
      if (call.kind == RecordedCall::Kind::Close) closed = true;
      if (call.kind != RecordedCall::Kind::Send) continue;
      EXPECT_FALSE(closed) << "word sent after the output was closed";
      const std::int32_t key = call.word & 0xFF0F;  // note and channel
      if (isNoteOn(call.word)) ++sounding[key];
      if (isNoteOff(call.word)) --sounding[key];
    }
    EXPECT_TRUE(closed);
    for (const auto& [key, count] : sounding) EXPECT_EQ(count, 0) << "note word " << key;
  }
};

TEST_F(MidiPlayTest, ShortTuneSendsItsWordsInOrderAndTime) {
  EventTable tune;
  tune.append({62, 80, 8, 1.0});
  tune.append({72, 80, 8, 0.5});
  engine->play(tune);

  const std::vector<RecordedCall>& calls = output->calls();
  ASSERT_EQ(calls.size(), 23u);
  EXPECT_EQ(calls[0].kind, RecordedCall::Kind::Open);
  EXPECT_EQ(calls[0].device, -1);
  for (int channel = 0; channel < 16; ++channel) EXPECT_EQ(calls[1 + channel].word, 0xC0 + channel);
  const std::vector<std::pair<std::int32_t, std::int64_t>> expected{
      {0x000069C7, 0}, {0x00503E97, 0}, {0x00003E87, 182000}, {0x00504897, 182000}, {0x00004887, 273000}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(calls[17 + i].word, expected[i].first) << i;
    EXPECT_EQ(calls[17 + i].timeMicroseconds, expected[i].second) << i;
  }
  EXPECT_EQ(calls[22].kind, RecordedCall::Kind::Close);
}

TEST_F(MidiPlayTest, InstrumentButtonDuringThePlayChangesThePatchAtOnce) {
  host->at(nowMs() + 100, [this] { switchInstrument(view, *midix); });
  engine->play(risingNotes(2));

  const std::vector<std::int32_t> words = output->sentWords();
  const std::vector<std::int32_t> tail(words.end() - 5, words.end());
  EXPECT_EQ(tail, (std::vector<std::int32_t>{0x00503C97, 0x00006EC7, 0x00003C87, 0x00503D97, 0x00003D87}));
  EXPECT_EQ(view.instrument, kFiddleCaption);
}

TEST_F(MidiPlayTest, ClosingInALongNoteSendsItsNoteOffAndClosesAtOnce) {
  view.tempo = 1;
  view.replays = 99;
  closeAt(2000 + 700);
  const PlayOutcome outcome = engine->play(risingNotes(4));

  EXPECT_EQ(outcome.ending, PlayEnding::Closing);
  const std::vector<RecordedCall>& calls = output->calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[calls.size() - 2].word, 0x00003D87);
  EXPECT_EQ(calls[calls.size() - 2].timeMicroseconds, 2700000);
  EXPECT_EQ(calls.back().kind, RecordedCall::Kind::Close);
  EXPECT_EQ(calls.back().timeMicroseconds, 2700000);
  expectNothingLeftSounding();
}

TEST_F(MidiPlayTest, StopOrCloseAtAnyInstantLeavesNoNoteSounding) {
  std::mt19937 random(20240611);
  for (int trial = 0; trial < 300; ++trial) {
    TearDown();
    SetUp();
    view.runState = kStopCaption;
    view.isClosing = false;
    view.replays = static_cast<int>(random() % 3);
    const std::int64_t instant = static_cast<std::int64_t>(random() % 2500);
    if (random() % 2 == 0) {
      pressStopAt(instant);
    } else {
      closeAt(instant);
    }
    EventTable tune;
    for (int i = 0; i < 6; ++i) tune.append({60.0 + i, i % 3 == 0 ? 0.0 : 80.0, 8, 0.25 * static_cast<double>(1 + random() % 8)});
    engine->play(tune);
    SCOPED_TRACE("trial " + std::to_string(trial) + " at " + std::to_string(instant) + " ms");
    expectNothingLeftSounding();
    EXPECT_EQ(view.visibleBox, -1);
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
}  // namespace corvale
