#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::dumpTunes;

// A tune body with its header lines before K:, and the rows the standard reading plays.
struct StandardPlay {
  std::string header;  // lines between X:1 and K:, each ending in "\n"
  std::string key;
  std::string body;
  std::string rows;
};

std::string standardDump(const std::string& fileText, const std::string& tune = "1") {
  return dumpTunes(fileText, {"--standard", tune}).out;
}

// The rows with their lengths, or as notes alone where the expected rows give none.
void expectStandardPlays(const std::vector<StandardPlay>& plays) {
  for (const StandardPlay& play : plays) {
    SCOPED_TRACE(play.header + "K:" + play.key + "\n" + play.body);
    std::string rows = testing::standardRows("X:1\nT:T\n" + play.header + "K:" + play.key + "\n" + play.body + "\n");
    if (play.rows.find(':') == std::string::npos) rows = std::regex_replace(rows, std::regex(":[^ ]*"), "");
    EXPECT_EQ(rows, play.rows);
  }
}

// The signature one K: line plays in; the dump's key line shows it after the key text.
std::string signatureOf(const std::string& keyText) {
  const std::string out = standardDump("X:1\nK:" + keyText + "\nC\n");
  const std::size_t at = out.find("key\t") + 4;
  const std::string line = out.substr(at, out.find('\n', at) - at);
  const std::size_t tab = line.find('\t');
  EXPECT_EQ(line.substr(0, tab), keyText.substr(std::min(keyText.size(), keyText.find_first_not_of(' '))));
  return line.substr(tab + 1);
}

TEST(StandardReading, KeysOfEveryModeAndSpellingGiveTheirSignature) {
  const std::pair<std::string, std::string> keys[] = {
      {"G", "F#"}, {" Gmaj", "F#"}, {"D Major", "F# C#"}, {" E Minor", "F#"}, {"Bb", "Bb Eb"},
      {"F#m", "F# C# G#"}, {"Amix", "F# C#"}, {"A MIXOLYDIAN", "F# C#"}, {"Edor", "F# C#"}, {"Dm", "Bb"},
      {"DMin", "Bb"}, {"Aaeolian", ""}, {"C lydian", "F#"}, {"B phr", "F#"}, {"Eloc", "Bb"}, {"Cion", ""},
      {"C#", "F# C# G# D# A# E# B#"}, {"Cb", "Bb Eb Ab Db Gb Cb Fb"}, {"D =c ^g", "F# G#"},
      {"D exp ^f _b", "F# Bb"}, {"none", ""}, {"HP", "F# C#"}, {"Hp", "F# C#"},
      {"G clef=bass middle=d", "F#"}, {"bm", "F# C#"}, {"d", "F# C#"}, {"bass", ""}, {"", ""},
  };
  for (const auto& [text, signature] : keys) EXPECT_EQ(signatureOf(text), signature) << "K:" << text;
}

TEST(StandardReading, LengthsAreEighthNotesWhateverTheUnit) {
  expectStandardPlays({
      {"L:1/8\n", "C", "C C2 C3/2 C/2 C/ C// C3/ C/4", "60:1 60:2 60:1.5 60:0.5 60:0.5 60:0.25 60:1.5 60:0.25"},
      {"L:1/16\n", "C", "C2 C4 C", "60:1 60:2 60:0.5"},
      {"L:1/4\n", "C", "C c' C,,", "60:2 84:2 36:2"},
      // Without L:, a meter below 3/4 makes the unit a sixteenth.
      {"M:2/4\n", "C", "C2 C", "60:1 60:0.5"},
      {"M:6/8\n", "C", "C", "60:1"},
      {"M:C|\nL:1/2\n", "C", "C", "60:4"},
      {"L:1/8\nM:3/4\n", "C", "z x2 Z Z2", "rest:1 rest:2 rest:6 rest:12"},
  });
}

TEST(StandardReading, BrokenRhythmShiftsTimeBetweenTheTwoNotes) {
  expectStandardPlays({
      {"L:1/8\n", "C", "C>D E<F", "60:1.5 62:0.5 64:0.5 65:1.5"},
      {"L:1/8\n", "C", "C>>D C<<D C>>>D", "60:1.75 62:0.25 60:0.25 62:1.75 60:1.875 62:0.125"},
      {"L:1/8\n", "C", "[CE]>G z>C", "60:0 64:1.5 67:0.5 rest:1.5 60:0.5"},
  });
}

TEST(StandardReading, AccidentalsHoldToTheBarsEndInEveryOctaveAndTiesCarryThem) {
  expectStandardPlays({
      {"L:1/8\n", "C", "^F F f | F", "66 66 78 65"},
      {"L:1/8\n", "G", "F =F F f | F", "66 65 65 77 66"},
      {"L:1/8\n", "F", "B ^B _B __B ^^B =B | B", "70 72 70 69 73 71 70"},
      // A tie joins the notes into one; its accidental goes on past the bar line.
      {"L:1/8\n", "C", "^c2-|c c", "73:3 72:1"},
      {"L:1/8\n", "C", "C-C-C D", "60:3 62:1"},
      {"L:1/8\n", "C", "C-D", "60:1 62:1"},
      // Only G goes on from the chord: C and E end with it, a silent row keeps its time.
      {"L:1/8\n", "C", "[CE]2-[CE] [CEG]-G", "60:0 64:3 60:0 64:0 67:0+2 rest:1 rest:1"},
  });
}

TEST(StandardReading, TupletsTakeTheStandardsTimes) {
  expectStandardPlays({
      {"L:1/8\nM:4/4\n", "C", "(3CDE F", "60:0.6667 62:0.6667 64:0.6667 65:1"},
      {"L:1/8\nM:4/4\n", "C", "(2CD (4CDEF", "60:1.5 62:1.5 60:0.75 62:0.75 64:0.75 65:0.75"},
      {"L:1/8\nM:4/4\n", "C", "(5CDEFG", "60:0.4 62:0.4 64:0.4 65:0.4 67:0.4"},
      {"L:1/8\nM:6/8\n", "C", "(5CDEFG", "60:0.6 62:0.6 64:0.6 65:0.6 67:0.6"},
      {"L:1/8\nM:4/4\n", "C", "(3:2:2C2D E", "60:1.333 62:0.6667 64:1"},
      {"L:1/8\nM:4/4\n", "C", "(3::2[CE]z D", "60:0 64:0.6667 rest:0.6667 62:1"},
  });
}

TEST(StandardReading, ChordsSoundTogetherAndGraceNotesTakeTimeFromTheNoteAfter) {
  expectStandardPlays({
      {"L:1/8\n", "C", "[CEG]2 [C2E2] [c'e]/", "60:0 64:0 67:2 60:0 64:2 84:0 76:0.5"},
      {"L:1/8\n", "G", "[F\"Am\"!p!A]", "66:0 69:1"},
      // A grace note lasts a quarter of its written length...
      {"L:1/8\n", "C", "{g}A2 {gf}A", "79:0.25 69:1.75 79:0.25 77:0.25 69:0.5"},
      // ...but graces never take more than half the note after them.
      {"L:1/8\n", "C", "{gfe}A/ {/g}[CE]", "79:0.08333 77:0.08333 76:0.08333 69:0.25 79:0.25 60:0 64:0.75"},
      // A chord tied to the same notes in another order goes on; decorations inside never sound.
      {"L:1/8\n", "C", "[C2-E2-][EC] [+slide+DD]", "60:0 64:3 62:0 62:1"},
  });
}

TEST(StandardReading, WhatNeverSoundsIsPassedOver) {
  expectStandardPlays({
      {"L:1/8\n", "C", "\"Am7 long chord symbol\"A \"^above\"B !trill!c +fermata+d .e ~f Hg Tb uC vD", "69 71 72 74 76 77 79 83 60 62"},
      {"L:1/8\n", "C", "(AB) y A-(B c) `d` $e", "69 71 69 71 72 74 76"},
      {"L:1/8\n", "C", "C % a comment with notes A B\n%%MIDI program 1\nD", "60 62"},
      {"L:1/8\n", "C", "C\nw: lyrics that are not notes\nW: nor these\nT:Second part\nN:note\nD", "60 62"},
      {"L:1/8\n", "C", "C [K:G] F [L:1/4] F [M:6/8] [r:remark] G\nK:F\nB", "60:1 66:1 66:2 67:2 70:2"},
      {"L:1/8\n", "C", "C \\\nD", "60 62"},
  });
}

TEST(StandardReading, RepeatsAndEndingsPlayInTheStandardsOrder) {
  expectStandardPlays({
      {"L:1/8\n", "C", "|: C D :| E", "60 62 60 62 64"},
      // A repeat without its start goes back to the tune's start or the last double bar.
      {"L:1/8\n", "C", "C :| D || E :|", "60 60 62 64 64"},
      {"L:1/8\n", "C", "|: C |1 D :|2 E |]", "60 62 60 64"},
      {"L:1/8\n", "C", "|: C [1 D :| [2 E F ||", "60 62 60 64 65"},
      {"L:1/8\n", "C", "|: C |1,3 D :|2 E :|4 F |]", "60 62 60 64 60 62 60 65"},
      {"L:1/8\n", "C", "|: C [1-3 D :| [4 E |]", "60 62 60 62 60 62 60 64"},
      {"L:1/8\n", "C", "|: C :: D :|", "60 60 62 62"},
      {"L:1/8\n", "C", "|: C :|: D :||: E |: F :||", "60 60 62 62 64 65 65"},
      // A start repeat left open plays twice when the next one begins, not after a double bar.
      {"L:1/8\n", "C", "|: C | D |: E :| F |: G || A", "60 62 60 62 64 64 65 67 69"},
  });
}

TEST(StandardReading, PartsPlayInTheHeadersOrder) {
  const std::string body = "P:A\nC|\nP:B\nD|\n";
  expectStandardPlays({
      {"L:1/8\nP:AABB\n", "C", body, "60 60 62 62"},
      {"L:1/8\nP:A2B\n", "C", body, "60 60 62"},
      {"L:1/8\nP:(AB)2B.A\n", "C", body, "60 62 60 62 62 60"},
      {"L:1/8\nP:BA\n", "C", "[P:A]C|[P:B]|: D :|", "62 62 60"},
      {"L:1/8\n", "C", body, "60 62"},
      // An order naming none of the body's parts is not followed.
      {"L:1/8\nP:XY\n", "C", body, "60 62"},
  });
}

TEST(StandardReading, OnlyTheFirstVoiceSounds) {
  expectStandardPlays({
      {"L:1/8\nV:1\nV:2\n", "C", "V:1\nC D\nV:2\nE F\nV:1\nG", "60 62 67"},
      {"L:1/8\n", "C", "[V:T1] C [V:B1] E | [V:T1] D", "60 62"},
      {"L:1/8\n", "C", "C D & E F | G", "60 62 67"},
      {"L:1/8\nV:S\n", "C", "C\nV:A\n[K:G]F\nV:S\nF", "60 65"},
  });
}

TEST(StandardReading, TunesAreListedByTitleOrNumberAndEndAtABlankLine) {
  const std::string file =
      "%abc-2.1\nL:1/4\nM:3/4\n\nX:7\nT:Seven % comment\nT:Subtitle\nK:C\nC\n\nfree text C D E\n\n"
      "X: 8 \nK:G\nF\nX:9\nT:  Nine\nK:D\nF\n";
  EXPECT_EQ(dumpTunes(file, {"--standard"}).out, "index\t1\tSeven\nindex\t2\t8\nindex\t3\tNine\n");
  // The file header's unit applies to every tune; the tune's lines are given as in the file.
  EXPECT_EQ(standardDump(file, "1"), "tune\t1\nkey\tC\t\nlines\t5\t9\nevent\t60\t80\t8\t2\n");
  EXPECT_EQ(standardDump(file, "2"), "tune\t2\nkey\tG\tF#\nlines\t13\t15\nevent\t66\t80\t8\t2\n");
  EXPECT_EQ(standardDump(file, "4"), "tune\t4\nkey\t\t\nlines\t1\t1\n");
  EXPECT_EQ(standardDump(file, "0"), "tune\t0\nkey\t\t\nlines\t1\t1\n");
}

// The chord's earlier notes are ended by member id when the chord ends: their
// note-offs come with the last note's, and none before.
TEST(StandardReading, ChordNotesSoundUntilTheChordEnds) {
  const auto result = dumpTunes("X:1\nL:1/8\nK:C\n[CEG]2 A\n", {"1"}, {"--midi", "--standard"});
  ASSERT_EQ(result.status, 0);
  std::vector<testing::SentWord> notes;
  for (const testing::SentWord& sent : testing::sentWordsOf(result.out)) {
    if ((sent.word & 0xEF) == 0x87) notes.push_back({sent.ms, sent.word & 0xFFFF});  // on channel 8
  }
  EXPECT_EQ(notes, (std::vector<testing::SentWord>{{0, 0x3C97}, {0, 0x4097}, {0, 0x4397}, {364, 0x4387}, {364, 0x3C87},
                                                  {364, 0x4087}, {364, 0x4597}, {546, 0x4587}}));
}

// Inputs that once could run away: each still gives an answer, and a bounded one.
TEST(StandardReading, BadInputGetsABoundedPlay) {
  const std::string many(200000, 'C');
  const std::string tunes[] = {
      "X:1\nK:C\n" + testing::repeated("|:|:", 5000) + testing::repeated(":|", 5000) + "\n",
      "X:1\nP:" + testing::repeated("(((AB)9)9)9", 100) + "\nK:C\nP:A\nC|\nP:B\nD|\n",
      "X:1\nK:C\n" + many + "|:" + many + ":|\n",
      "X:1\nK:C\nC99999999999999/99999999999 (99999999999CDE [1-999999999 C ^^^^^^^^C c''''''''''''''''''\n",
      "X:1\nK:C\n[\"unclosed !deco {g [K:\n",
  };
  for (const std::string& tune : tunes) {
    const auto result = dumpTunes(tune, {"--standard", "1"});
    EXPECT_EQ(result.status, 0);
    EXPECT_LE(std::count(result.out.begin(), result.out.end(), '\n'), 200003);
  }
}

}  // namespace
}  // namespace corvale
