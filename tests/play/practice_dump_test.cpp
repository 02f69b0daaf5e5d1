#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tune_fixtures.h"

namespace corvale {
namespace {

using Words = std::vector<testing::SentWord>;

// A note or click heard: when, which and how loud.
struct Heard {
  long ms;
  unsigned note;
  unsigned velocity;
  bool operator==(const Heard&) const = default;
};

class PracticeDumpTest : public ::testing::Test {
 protected:
  // Plays tune 1 of `tune` under the standard reading with `options`.
  Words play(const std::string& tune, std::vector<std::string> options, const std::string& reading = "--standard") {
    options.insert(options.begin(), "--midi");
    if (!reading.empty()) options.insert(options.begin(), reading);
    const testing::DumpResult result = testing::dumpTunes(tune, {"1"}, options);
    status = result.status;
    said = result.err;
    return testing::sentWordsOf(result.out);
  }

  // The note-ons that sound (velocity above 0) on `channel`, 1 to 16.
  static std::vector<Heard> heardOn(const Words& words, unsigned channel) {
    std::vector<Heard> heard;
    for (const auto& [ms, word] : words) {
      if ((word & 0xFF) == 0x8F + channel && (word >> 16) > 0) heard.push_back({ms, word >> 8 & 0xFF, word >> 16});
    }
    return heard;
  }

  // One field of each heard: each(heard, &Heard::note).
  template <typename Field>
  static std::vector<Field> each(const std::vector<Heard>& heard, Field Heard::*field) {
    std::vector<Field> fields;
    for (const Heard& one : heard) fields.push_back(one.*field);
    return fields;
  }

  // Every note-on is ended by a note-off of its note and channel, none left sounding.
  static void expectNothingLeftSounding(const Words& words) {
    std::map<std::pair<unsigned, unsigned>, int> sounding;
    for (const auto& [ms, word] : words) {
      int& count = sounding[{(word & 0x0F) + 1, word >> 8 & 0xFF}];
      if ((word & 0xF0) == 0x90 && (word >> 16) > 0) ++count;
      else if (((word & 0xF0) == 0x80 || (word & 0xF0) == 0x90) && count > 0) --count;
    }
    for (const auto& [note, count] : sounding) EXPECT_EQ(count, 0) << "channel " << note.first << " note " << note.second;
  }

  // Each length is rounded to the millisecond, so `steps` of them may drift by a millisecond each.
  static void expectNear(long ms, long expected, std::size_t steps) {
    EXPECT_LE(std::abs(ms - expected), static_cast<long>(steps) + 1) << ms << " against " << expected;
  }

  int status = -1;
  std::string said;
};

// Two parts with their repeats; part B's endings are bars 7 and 8. One note a bar.
const char* const kTwoParts =
    "X:1\nT:Two parts\nM:4/4\nL:1/4\nK:C\n"
    "|:C4|D4|E4:|\n"
    "|:F4|G4|A4|1B4:|2c4||d4|e4|]\n";
constexpr unsigned C = 60, D = 62, E = 64, F = 65, G = 67, A = 69, B = 71, c = 72, d = 74, e = 76;
// At TEMPO 11 a whole note (eight eighths) lasts 8 × 2000 / 11 ms.
constexpr long kBarMs = 1455;

TEST_F(PracticeDumpTest, LoopsAndTheStartBarPlayTheirBarsAsWritten) {
  const struct {
    std::vector<std::string> options;
    std::vector<unsigned> notes;
  } rows[] = {
      // Part B, three passes: each with its first ending, then its second (the double bar starts part C).
      {{"--loop", "B", "--passes", "3"}, {F, G, A, B, F, G, A, c, F, G, A, B, F, G, A, c, F, G, A, B, F, G, A, c}},
      // Bars 5-8 across the endings: the first ending, then the second.
      {{"--loop", "5-8", "--passes", "2"}, {G, A, B, G, A, c, G, A, B, G, A, c}},
      {{"--loop", "7-7", "--passes", "2"}, {B, B}},
      {{"--from", "9"}, {d, e}},
      {{"--from", "9", "--replays", "1"}, {d, e, d, e}},
      {{"--loop", "B", "--from", "8"}, {c}},
      {{"--loop", "C", "--passes", "2"}, {d, e, d, e}},
      {{"--loop", "whole", "--passes", "2"}, {C, D, E, C, D, E, F, G, A, B, F, G, A, c, d, e, C, D, E, C, D, E, F, G, A, B, F, G, A, c, d, e}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.options[0] + " " + row.options[1]);
    const Words words = play(kTwoParts, row.options);
    EXPECT_EQ(status, 0) << said;
    const std::vector<Heard> notes = heardOn(words, 8);
    EXPECT_EQ(each(notes, &Heard::note), row.notes);
    // Pass after pass with no gap: every note a bar after the one before.
    for (std::size_t i = 0; i < notes.size(); ++i) expectNear(notes[i].ms, static_cast<long>(i) * kBarMs, i);
    expectNothingLeftSounding(words);
  }
}

TEST_F(PracticeDumpTest, CountInIsABarOfTheMetreAtTheFirstNotesTempoAccentFirst) {
  const struct {
    const char* meter;
    long beatMs;  // at TEMPO 11: one eighth is 2000 / 11 ms
    std::vector<unsigned> clicks;
  } rows[] = {
      // Each metre's beats are the beat grid's tests'; here a simple and a compound one.
      {"4/4", 364, {76, 77, 77, 77}},
      {"9/8", 545, {76, 77, 77}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.meter);
    // A first bar at least as long as the metre's: no pickup.
    const std::string tune = std::string("X:1\nT:Count\nM:") + row.meter + "\nL:1/8\nK:D\nD12|d12|\n";
    const Words words = play(tune, {"--count-in"});
    const std::vector<Heard> clicks = heardOn(words, 10);
    ASSERT_EQ(each(clicks, &Heard::note), row.clicks);
    EXPECT_EQ(clicks.front().velocity, 127u);
    EXPECT_LT(clicks.back().velocity, 127u);
    for (std::size_t i = 0; i < clicks.size(); ++i) expectNear(clicks[i].ms, static_cast<long>(i) * row.beatMs, i);
    // The first note comes a beat after the last click.
    const std::vector<Heard> notes = heardOn(words, 8);
    expectNear(notes.front().ms, static_cast<long>(clicks.size()) * row.beatMs, clicks.size());
    expectNothingLeftSounding(words);
  }
}

TEST_F(PracticeDumpTest, MetronomeClicksEveryBeatWithoutMovingANote) {
  // A jig with a pickup and a note held over a beat and one across it.
  const std::string jig = "X:1\nT:Jig\nM:6/8\nL:1/8\nK:G\nD|GAB d2B|c3- cBA|G6|]\n";
  const Words plain = play(jig, {});
  const Words clicked = play(jig, {"--metronome"});
  EXPECT_EQ(heardOn(clicked, 8), heardOn(plain, 8));
  const std::vector<Heard> clicks = heardOn(clicked, 10);
  // Beats a dotted quarter apart from the first full bar, one eighth in; the bar's first accented.
  ASSERT_EQ(clicks.size(), 6u);
  for (std::size_t i = 0; i < clicks.size(); ++i) {
    expectNear(clicks[i].ms, 182 + static_cast<long>(i) * 545, i + 1);
    EXPECT_EQ(clicks[i].note, i % 2 == 0 ? 76u : 77u) << i;
  }
  expectNothingLeftSounding(clicked);
}

TEST_F(PracticeDumpTest, EachPassPlaysFasterUntilTheTop) {
  const Words words = play(kTwoParts, {"--loop", "7-7", "--passes", "4", "--speed-up", "50,25,90"});
  const std::vector<long> starts = each(heardOn(words, 8), &Heard::ms);
  ASSERT_EQ(starts.size(), 4u);
  // One bar at 50 %, 75 %, 90 %, 90 %: twice, 4/3 and 10/9 of its length.
  const std::vector<long> lengths{starts[1] - starts[0], starts[2] - starts[1], starts[3] - starts[2]};
  EXPECT_EQ(lengths[0], 2909);  // 16 eighths of 2000 / 11 ms
  EXPECT_EQ(lengths[1], 1939);
  EXPECT_EQ(lengths[2], 1616);
  EXPECT_EQ(starts[3] + 1616, words.back().ms);
  EXPECT_NE(said.find("50\u219290 % by 25 %"), std::string::npos) << said;
}

// Every form of Q: is in the standard rules' tests, the steps in the timing tests.
TEST_F(PracticeDumpTest, TheTunesTempoSetsTheSliderAndATuneWithoutOneLeavesIt) {
  // The time from the first note to the second, D2 E2.
  const auto quarterMs = [this](const std::string& field) {
    const std::string tune = "X:1\nT:Q\nL:1/8\n" + field + "K:D\nD2E2|\n";
    const std::vector<long> starts = each(heardOn(play(tune, {"--tempo-from-tune"}), 8), &Heard::ms);
    return starts.size() == 2 ? starts[1] - starts[0] : -1;
  };
  EXPECT_EQ(quarterMs("Q:1/4=120\n"), 500);  // TEMPO 8: a quarter is two eighths of 250 ms
  EXPECT_NE(said.find("Tempo from the tune"), std::string::npos);
  EXPECT_EQ(quarterMs(""), 364);
  EXPECT_NE(said.find("no tempo"), std::string::npos);
}

TEST_F(PracticeDumpTest, WhatCannotBeFollowedIsRefusedInWords) {
  const struct {
    std::vector<std::string> options;
    const char* reading;
    const char* said;
  } rows[] = {
      {{"--loop", "40-48"}, "--standard", "outside the tune, whose bars run from 1 to 10"},
      {{"--loop", "8-5"}, "--standard", "comes after"},
      {{"--loop", "Z"}, "--standard", "no part Z (its parts are A, B, C)"},
      {{"--loop", "five"}, "--standard", "whole number"},
      {{"--from", "12"}, "--standard", "Bar 12 is not in the tune"},
      {{"--speed-up", "5,5,100"}, "--standard", "10 to 400"},
      {{"--speed-up", "120,5,100"}, "--standard", "above its top"},
      {{"--speed-up", "70,5"}, "--standard", "START,STEP,TOP"},
      {{"--passes", "0"}, "--standard", "at least one pass"},
      {{"--loop", "A"}, "", "only the standard reading"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.options[0] + " " + row.options[1]);
    EXPECT_TRUE(play(kTwoParts, row.options, row.reading).empty());
    EXPECT_EQ(status, 2);
    EXPECT_NE(said.find(row.said), std::string::npos) << said;
  }
  // A tune with no metre counts in quarters and says so.
  EXPECT_EQ(heardOn(play("X:1\nT:Free\nK:D\nDEFG|\n", {"--count-in"}), 10).size(), 4u);
  EXPECT_EQ(status, 0);
  EXPECT_NE(said.find("no metre"), std::string::npos);
}

TEST_F(PracticeDumpTest, WithNoPracticeAskedForTheWordsAreTheSame) {
  // A follow-only play goes the practice way; a keep-instrument play differs only in its patch.
  // A chord note tied on past its chord sounds on alike both ways.
  const std::string chords = "X:1\nT:Chords\nM:3/4\nL:1/8\nK:A\n[Ace]2 [A,E]2- [A,E]c|(3ABc d4|[CEG]2-G2 A2|]\n";
  for (const std::string& tune : {std::string(kTwoParts), chords}) {
    const Words plain = play(tune, {});
    const Words followed = play(tune, {"--follow"});
    EXPECT_EQ(followed, plain);
    const Words kept = play(tune, {"--keep-instrument"});
    EXPECT_EQ(kept.at(16).word >> 8 & 0xFF, 110u);  // the fiddle the button shows, not the banjo
    EXPECT_EQ(heardOn(kept, 8), heardOn(plain, 8));
  }
}

}  // namespace
}  // namespace corvale
