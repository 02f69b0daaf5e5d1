#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "abc/abc_accidentals.h"
#include "abc/abc_book.h"
#include "abc/abc_fields.h"
#include "abc/abc_key.h"
#include "abc/abc_music.h"
#include "abc/abc_note_reader.h"
#include "abc/abc_ornaments.h"
#include "abc/abc_sound_writer.h"
#include "abc/abc_transposition.h"
#include "abc/abc_voice_choice.h"

namespace corvale::abc {

// What a tune body starts from: the header's key, unit length, meter and first voice,
// how far its notes are transposed and how far an accidental reaches.
struct BodyStart {
  AbcKey key;
  double unitLength = 1;  // in eighth notes
  std::optional<Meter> meter;
  std::string firstVoice;  // "" when the header names no voice
  std::size_t firstLine = 0;  // the file line of the tune's X: line, its listed line 0
  Transposition transposition;
  BarAccidentals accidentals;
  bool playOrnaments = false;  // rolls, trills, mordents and turns as a player plays them
};

// Reads the lines of a tune body, one at a time, into music items in written order:
// notes with their lengths, accidentals through the bar, ties note by note, broken
// rhythm, tuplets, chords, grace notes and (when asked) ornaments; bar lines, endings
// and part labels for the order of play. Fields change the key, clef, transposition,
// unit length and meter from there on; lyrics and other fields never sound. Only the
// first voice is read; other voices and overlays are passed over.
class BodyReader {
 public:
  BodyReader(const BodyStart& start, Music& music);

  // One line of the body without its comment; nothing more once full().
  void readLine(const LogicalLine& line);
  // Whether the music holds as much as a body may write (kMostWrittenRows, kMostItems).
  bool full() const;

 private:
  void applyField(char letter, std::string_view text);
  void readInlineField(std::string_view line, std::size_t& at);
  void readBar(std::string_view line, std::size_t& at);
  void readEnding(std::string_view line, std::size_t& at);
  void readNote(std::string_view line, std::size_t& at);
  void readChord(std::string_view line, std::size_t& at);
  void readGraces(std::string_view line, std::size_t& at);
  void readDecoration(std::string_view line, std::size_t& at);
  void readTuplet(std::string_view line, std::size_t& at);
  void readBrokenRhythm(std::string_view line, std::size_t& at);
  void readRest(std::string_view line, std::size_t& at);
  // Counts the bar a bar line closes; the music before the first one is a pickup,
  // bar 0, when it is shorter than the meter's bar.
  void countBar();
  // Gives the rows from `firstRow` on the place of text start..end of `line`.
  void placeRows(std::size_t firstRow, const LogicalLine& line, std::size_t start, std::size_t end);

  int soundingNote(const WrittenNote& note);
  // The note `step` letters above (+1) or below (-1) a written note, in the key and bar.
  int neighbourNote(const WrittenNote& note, int step) const;
  // The length of the next note, rest or chord in eighths, with tuplet and broken rhythm.
  double timed(double writtenLength);
  // The grace notes, then the ornament's notes (for a single note), that open a sound.
  std::vector<LeadNote> leadNotes(double duration, const WrittenNote* ornamented);

  Music& music_;
  SoundWriter writer_;
  AbcKey key_;
  Transposition transposition_;
  BarAccidentals accidentals_;
  double unitLength_;
  std::optional<Meter> meter_;
  VoiceChoice voices_;
  bool playOrnaments_;
  Ornament ornament_ = Ornament::None;
  int tupletLeft_ = 0;
  double tupletFactor_ = 1;
  double nextBrokenFactor_ = 1;
  std::vector<std::pair<int, double>> graces_;  // sounding note, written length
  std::size_t firstLine_;
  std::uint32_t bar_ = 1;
  std::uint32_t restBarsAfter_ = 0;  // bars a multi-bar rest fills before the one it is written in
  bool barHasMusic_ = false;
  bool firstBarCounted_ = false;
};

}  // namespace corvale::abc
