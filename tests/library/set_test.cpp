// Sets: the set file, finding a set's tunes in files that changed, and playing
// a set through the playback engine on a recording output: order, times, the
// joins between tunes, the instrument, and Stop.
#include <memory>
#include <tuple>

#include "tune_fixtures.h"
#include "melodex/midi_control.h"
#include "melodex/recording_platform.h"
#include "player/library/set_tunes.h"
#include "player/play/headless_player_view.h"
#include "player/play/set_play.h"
#include "player/play/virtual_time_host.h"

namespace corvale {
namespace {

using testing::TemporaryFolder;

TEST(SetFileTest, ASetReadsBackAsItWasWritten) {
  const TuneSet set{{{"/tunes/reels.abc", 2, "Drowsy\tMaggie", 3}, {"/tunes/caf\xE9.abc", 1, "Caf\u00E9", 99}}};
  int bad = -1;
  const TuneSet read = readSetText(setText(set), &bad);
  EXPECT_EQ(bad, 0);
  ASSERT_EQ(read.entries.size(), 2u);
  EXPECT_EQ(read.entries[0].title, "Drowsy Maggie") << "a tab in a title is written as a space";
  EXPECT_EQ(read.entries[1], set.entries[1]);
  // Lines another program or a hand could leave: skipped and counted, never fatal.
  const TuneSet mixed = readSetText("3\t1\tKesh\t/t/jigs.abc\r\n\n# note\nthree\t1\tX\t/f\n2\t1\tNo file\t\n500\t7\tLong\t/f\n", &bad);
  EXPECT_EQ(bad, 2);
  ASSERT_EQ(mixed.entries.size(), 2u);
  EXPECT_EQ(mixed.entries[0], (SetEntry{"/t/jigs.abc", 1, "Kesh", 3}));
  EXPECT_EQ(mixed.entries[1].times, kMostTimes);
}

TEST(SetFileTest, EntriesMoveToTheirNewPlaceAndAPlaceOutsideTheSetMovesNothing) {
  TuneSet set{{{"a", 1, "A", 1}, {"b", 1, "B", 1}, {"c", 1, "C", 1}}};
  for (const auto& [from, to, order] : std::vector<std::tuple<std::size_t, std::size_t, std::string>>{
           {0, 2, "BCA"}, {2, 0, "ABC"}, {1, 7, "ABC"}}) {
    moveEntry(set, from, to);
    std::string titles;
    for (const SetEntry& entry : set.entries) titles += entry.title;
    EXPECT_EQ(titles, order) << from << " to " << to;
  }
}

class SetTunesTest : public TemporaryFolder {};

TEST_F(SetTunesTest, TunesThatMovedAreFoundAndTunesThatWentAreSaidSo) {
  const auto reels = write("reels.abc", "X:1\nT:New Tune\nK:G\nG|\n\nX:2\nT:Drowsy Maggie\nK:Edor\nE2BE|\n");
  const TuneSet set{{{reels, 1, "Drowsy Maggie", 2},  // moved down by a tune added before it
                     {reels, 2, "Silver Spear", 1},   // no longer in the file
                     {root / "gone.abc", 1, "Kesh", 1},
                     {reels, 1, "New Tune", 1}}};
  const FoundSet found = findSetTunes(set, Reading::Classic);
  ASSERT_EQ(found.tunes.size(), 2u);
  EXPECT_EQ(found.tunes[0].number, 2u);
  EXPECT_EQ(found.tunes[0].times, 2);
  EXPECT_EQ(found.tunes[0].tune.keyText, "Edor");
  EXPECT_EQ(found.tunes[1].number, 1u);
  ASSERT_EQ(found.problems.size(), 2u);
  EXPECT_NE(found.problems[0].find("Silver Spear"), std::string::npos);
  EXPECT_NE(found.problems[1].find("gone.abc"), std::string::npos);
}

// A window that presses Stop during note `stopAt` (counted from 1) and notes each tune's start.
class StoppingView : public HeadlessPlayerView {
 public:
  StoppingView(std::string instrument, int stopAt) : HeadlessPlayerView(30, 5, std::move(instrument)), stopAt_(stopAt) {}
  void processPendingEvents() override {
    if (++notes_ == stopAt_) setIdle();
  }
  std::vector<std::string> keys;
  void showKeyText(const std::string& key) override { keys.push_back(key); }

 private:
  int stopAt_;
  int notes_ = 0;
};

class SetPlayTest : public TemporaryFolder {
 protected:
  // Plays the set and gives what was sent: 'S' for each tune's start, then per note
  // "<note>+<ms>" for an on and "<note>-<ms>" for an off, in order.
  std::vector<std::string> play(const TuneSet& set, StoppingView& view) {
    static melodex::VirtualClock clock;
    auto recording = std::make_shared<melodex::RecordingPlatform>(clock);
    melodex::installPlatform(recording);
    const std::int64_t start = clock.nowMicroseconds();
    std::vector<std::string> heard;
    const FoundSet found = findSetTunes(set, Reading::Standard);
    std::vector<SetPiece> pieces;
    for (const FoundSetTune& tune : found.tunes) pieces.push_back({&tune.tune, tune.times});
    std::vector<std::size_t> startsAt;
    {
      VirtualTimeHost host(clock);
      melodex::MidiControl midix(host);
      midix.InitProperties();
      SetPlay setPlay(view, midix);
      setPlay.play(pieces, ChordRows::HeldToChordEnd, [&](std::size_t) { startsAt.push_back(recording->calls().size()); });
    }
    const auto& calls = recording->calls();
    for (std::size_t i = 0; i < calls.size(); ++i) {
      for (const std::size_t at : startsAt) {
        if (at == i) heard.push_back("S");
      }
      if (calls[i].kind != melodex::RecordedCall::Kind::Send) continue;
      const int status = calls[i].word & 0xF0;
      const int note = (calls[i].word >> 8) & 0x7F;
      const auto ms = std::to_string((calls[i].timeMicroseconds - start) / 1000);
      if (status == 0x90 && (calls[i].word >> 16) != 0) heard.push_back(std::to_string(note) + "+" + ms);
      if (status == 0x80) heard.push_back(std::to_string(note) + "-" + ms);
      if (status == 0xC0 && (calls[i].word & 0x0F) == 7) heard.push_back("patch " + std::to_string(note));
    }
    return heard;
  }

  TuneSet twoTunes() const {
    const auto file = write("set.abc", "X:1\nT:One\nL:1/8\nK:G\nGA|\n\nX:2\nT:Two\nL:1/8\nK:D\n[DF]2|\n");
    return TuneSet{{{file, 1, "One", 2}, {file, 2, "Two", 1}}};
  }
};

TEST_F(SetPlayTest, TunesFollowEachOtherTheirTimesWithNoGapOnTheInstrumentShown) {
  StoppingView view("BANJO", 0);
  using Heard = std::vector<std::string>;
  // Opening the output sets program 0 first. At TEMPO 30 an eighth lasts 67 ms; the
  // chord's notes sound together and end together; each join is one instant.
  EXPECT_EQ(play(twoTunes(), view),
            (Heard{"patch 0", "patch 105", "S", "67+0", "67-67", "69+67", "69-134", "67+134", "67-201", "69+201",
                   "69-268", "S", "62+268", "66+268", "66-401", "62-401"}));
  EXPECT_EQ(view.instrumentCaption(), "BANJO") << "the set plays on the instrument shown";
  EXPECT_EQ(view.keys, (std::vector<std::string>{"G", "D"}));
  EXPECT_EQ(view.runCaption(), kStartCaption);
}

TEST_F(SetPlayTest, StopAtTheLastNoteOfATuneEndsTheWholeSetWithNoNoteLeftSounding) {
  StoppingView view("FIDDLE", 4);  // during the second time through the first tune's last note
  using Heard = std::vector<std::string>;
  EXPECT_EQ(play(twoTunes(), view),
            (Heard{"patch 0", "patch 110", "S", "67+0", "67-67", "69+67", "69-134", "67+134", "67-201", "69+201",
                   "69-268"}));
  // Stopped at the chord: its notes end with it.
  StoppingView atChord("FIDDLE", 6);
  const Heard heard = play(twoTunes(), atChord);
  EXPECT_EQ(Heard(heard.end() - 4, heard.end()), (Heard{"62+268", "66+268", "66-401", "62-401"}));
}

}  // namespace
}  // namespace corvale
