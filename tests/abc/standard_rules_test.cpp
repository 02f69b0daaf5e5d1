// The rules of the standard reading that a player hears, each case's pitches and
// lengths written from the ABC standard's text: clefs and transposition, ties note by
// note, broken rhythm after a tie, endings with parts and extra colons, how far an
// accidental reaches, the tempo of Q: and ornaments played on request.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::dumpTunes;

std::string rows(const std::string& header, const std::string& body, const std::vector<std::string>& options = {}) {
  return testing::standardRows("X:1\nT:T\n" + header + "\n" + body + "\n", options);
}

struct Case {
  std::string header;  // the header lines up to and with K:
  std::string body;
  std::string rows;
};

void expectRows(const std::vector<Case>& cases, const std::vector<std::string>& options = {}) {
  for (const Case& c : cases) EXPECT_EQ(rows(c.header, c.body, options), c.rows) << c.header << "\n" << c.body;
}

TEST(StandardRules, ClefOctaveMarksOctaveAndTransposeMoveWhatSounds) {
  expectRows({
      // An octave clef sounds an octave from where the notes are written.
      {"L:1/8\nK:C clef=treble-8", "c", "60:1"},
      {"L:1/8\nK:C treble-8", "c", "60:1"},
      {"L:1/8\nK:C bass+8", "C", "72:1"},
      {"L:1/8\nK:C octave=-1", "c", "60:1"},
      {"L:1/8\nK:Bb transpose=-2", "B", "68:1"},
      {"L:1/8\nK:C transpose=-2 octave=1", "c", "82:1"},
      // The voice that plays takes its own clef; another voice's does not count.
      {"L:1/8\nV:1 clef=treble-8\nV:2 clef=bass+8\nK:C", "c", "60:1"},
      // A body field changes it from there on, and a clef without a mark takes it away.
      {"L:1/8\nK:C", "c [K:treble-8] c [K:clef=treble] c", "72:1 60:1 72:1"},
      {"L:1/8\nK:C", "c\nV:1 transpose=12\nc", "72:1 84:1"},
  });
}

TEST(StandardRules, TiesJoinNotesOfTheSamePitchEachNoteOfAChordOnItsOwn) {
  expectRows({
      // A note tied from a chord goes on alone: the chord's other notes end with it.
      {"L:1/8\nK:C", "[CE]-C", "60:0+2 64:1 rest:1"},
      {"L:1/8\nK:C", "[CEG]-G", "60:0 64:0 67:0+2 rest:1 rest:1"},
      // Only the notes marked inside a chord are tied.
      {"L:1/8\nK:C", "[C-E][CE]", "60:0+2 64:1 64:1"},
      // A chord tied to one sharing some notes strikes only the others again.
      {"L:1/8\nK:C", "[CE]-[CG]", "60:0+2 64:1 67:1"},
      {"L:1/8\nK:C", "[CE]2-[CE]", "60:0 64:3"},
      // A note tied into a chord sounds on while the chord's other notes start.
      {"L:1/8\nK:C", "C2-[CE]", "60:0+3 rest:2 64:1"},
      // A tie to a note of another pitch joins nothing.
      {"L:1/8\nK:C", "[CE]-D", "60:0 64:1 62:1"},
  });
}

TEST(StandardRules, ABrokenRhythmAfterATieChangesOnlyThePairsOwnNote) {
  expectRows({
      {"L:1/8\nK:C", "B2- B>c", "71:3.5 72:0.5"},
      {"L:1/8\nK:C", "B2- B<c", "71:2.5 72:1.5"},
      {"L:1/8\nK:C", "[CE]-C>D", "60:0+2.5 64:1 rest:1.5 62:0.5"},
  });
}

TEST(StandardRules, EndingsWithPartsAndExtraColonsCountThePasses) {
  const std::string partA = "P:A\n|: C [1 D :| [2 E :| [3 F |]";
  expectRows({
      // A part played three times by the order, with three endings: each time one pass.
      {"L:1/8\nP:A3\nK:C", partA, "60:1 62:1 60:1 64:1 60:1 65:1"},
      {"L:1/8\nP:A3B\nK:C", partA + "\nP:B\nG|", "60:1 62:1 60:1 64:1 60:1 65:1 67:1"},
      // Played once, the part's repeat runs through its endings itself.
      {"L:1/8\nP:AB\nK:C", partA + "\nP:B\nG|", "60:1 62:1 60:1 64:1 60:1 65:1 67:1"},
      // Each extra colon adds a pass.
      {"L:1/8\nK:C", "|:: C ::| D", "60:1 60:1 60:1 62:1"},
      {"L:1/8\nK:C", "|: C :::| D", "60:1 60:1 60:1 60:1 62:1"},
      {"L:1/8\nK:C", "|: C :| D", "60:1 60:1 62:1"},
  });
}

TEST(StandardRules, PropagateAccidentalsChoosesHowFarAnAccidentalReaches) {
  const std::string body = "^F F f | F";
  expectRows({
      {"L:1/8\nK:C", body, "66:1 66:1 78:1 65:1"},
      {"L:1/8\n%%propagate-accidentals pitch\nK:C", body, "66:1 66:1 78:1 65:1"},
      {"L:1/8\n%%propagate-accidentals octave\nK:C", body, "66:1 66:1 77:1 65:1"},
      {"L:1/8\n%%propagate-accidentals not\nK:C", body, "66:1 65:1 77:1 65:1"},
      {"L:1/8\nI:propagate-accidentals not\nK:C", body, "66:1 65:1 77:1 65:1"},
      {"L:1/8\nK:C", "^F [I:propagate-accidentals not] ^F F", "66:1 66:1 65:1"},
  });
}

TEST(StandardRules, QGivesTheTunesTempoInEveryForm) {
  const struct {
    std::string header;
    std::string tempo;  // beats a minute and the beat in eighths, or "" for none
  } forms[] = {
      {"L:1/8\nQ:1/4=120", "120\t2"},         {"L:1/8\nQ:3/8=40", "40\t3"},
      {"L:1/8\nQ:\"Allegro\" 1/4=120", "120\t2"}, {"L:1/8\nQ:1/4 3/8=40", "40\t5"},
      {"L:1/8\nQ:120", "120\t1"},             {"L:1/4\nQ:120", "120\t2"},
      {"L:1/8\nQ:C=90", "90\t1"},             {"L:1/8\nQ:\"Andante\"", ""},
      {"L:1/8", ""},                          {"L:1/8\nQ:1/4=", ""},
  };
  for (const auto& form : forms) {
    const std::string dump = dumpTunes("X:1\n" + form.header + "\nK:C\nC\n", {"--standard", "1"}).out;
    const std::size_t at = dump.find("tempo\t");
    const std::string tempo = at == std::string::npos ? "" : dump.substr(at + 6, dump.find('\n', at) - at - 6);
    EXPECT_EQ(tempo, form.tempo) << form.header;
  }
}

TEST(StandardRules, OrnamentsPlayTheWrittenNoteUnlessAskedFor) {
  const std::string body = "~B2 Tc2 Pd2 Me2 !turn!f2 !invertedturn!g2";
  EXPECT_EQ(rows("L:1/8\nK:G", body), "71:2 72:2 74:2 76:2 78:2 79:2");
  expectRows(
      {
          // A roll: the note for half, note, upper, note, lower a twelfth each, the note a sixth.
          {"L:1/8\nK:G", "~B3", "71:1.5 71:0.25 72:0.25 71:0.25 69:0.25 71:0.5"},
          // A trill: note and the note above by turns in eighths, the note last for two.
          {"L:1/8\nK:G", "Tc2", "72:0.25 74:0.25 72:0.25 74:0.25 72:0.25 74:0.25 72:0.5"},
          {"L:1/8\nK:G", "!trill!c2", "72:0.25 74:0.25 72:0.25 74:0.25 72:0.25 74:0.25 72:0.5"},
          // Mordents: the note, its neighbour above or below, the note for three quarters.
          {"L:1/8\nK:G", "Pd2 !lowermordent!e2", "74:0.25 76:0.25 74:1.5 76:0.25 74:0.25 76:1.5"},
          // Turns: above, note, below, note; the inverted one from below. Neighbours are in the key.
          {"L:1/8\nK:G", "!turn!f2 !invertedturn!g2", "79:0.5 78:0.5 76:0.5 78:0.5 78:0.5 79:0.5 81:0.5 79:0.5"},
          // The bar's accidentals hold for the neighbours too; a tie carries the last note on.
          {"L:1/8\nK:C", "^c ~d2- d", "73:1 74:1 74:0.1667 76:0.1667 74:0.1667 73:0.1667 74:1.333"},
          // A chord plays as written.
          {"L:1/8\nK:C", "~[CE]", "60:0 64:1"},
      },
      {"--ornaments"});
}

}  // namespace
}  // namespace corvale
