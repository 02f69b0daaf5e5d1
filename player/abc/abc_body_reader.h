#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "abc/abc_book.h"
#include "abc/abc_fields.h"
#include "abc/abc_key.h"
#include "abc/abc_music.h"
#include "abc/abc_note_reader.h"
#include "abc/abc_voice_choice.h"

namespace corvale::abc {

// What a tune body starts from: the header's key, unit length, meter and first voice.
struct BodyStart {
  AbcKey key;
  double unitLength = 1;  // in eighth notes
  std::optional<Meter> meter;
  std::string firstVoice;  // "" when the header names no voice
  std::size_t firstLine = 0;  // the file line of the tune's X: line, its listed line 0
};

// Reads the lines of a tune body, one at a time, into music items in written order:
// notes with their lengths, accidentals through the bar, ties, broken rhythm, tuplets,
// chords and grace notes; bar lines, endings and part labels for the order of play.
// Fields change the key, unit length and meter from there on; lyrics and other fields
// never sound. Only the first voice is read; other voices and overlays are passed over.
class BodyReader {
 public:
  BodyReader(const BodyStart& start, Music& music);

  // One line of the body without its comment.
  void readLine(const LogicalLine& line);

 private:
  struct Tie {
    std::size_t item;
    std::vector<std::pair<int, int>> notes;  // natural and sounding note of each tied note
  };

  void applyField(char letter, std::string_view text);
  void readInlineField(std::string_view line, std::size_t& at);
  void readBar(std::string_view line, std::size_t& at);
  void readEnding(std::string_view line, std::size_t& at);
  void readChord(std::string_view line, std::size_t& at);
  void readGraces(std::string_view line, std::size_t& at);
  void readTuplet(std::string_view line, std::size_t& at);
  void readBrokenRhythm(std::string_view line, std::size_t& at);
  void readRest(std::string_view line, std::size_t& at);
  void markTie();
  // Counts the bar a bar line closes; the music before the first one is a pickup,
  // bar 0, when it is shorter than the meter's bar.
  void countBar();
  // Gives the rows from `firstRow` on the place of text start..end of `line`.
  void placeRows(std::size_t firstRow, const LogicalLine& line, std::size_t start, std::size_t end);

  int soundingNote(const WrittenNote& note);
  // The length of the next note, rest or chord in eighths, with tuplet and broken rhythm.
  double timed(double writtenLength);
  // Adds a sound of these (natural, sounding) notes, tied to the last one or not.
  void addSound(const std::vector<std::pair<int, int>>& notes, double duration);
  bool tiedTo(const std::vector<std::pair<int, int>>& notes) const;

  Music& music_;
  AbcKey key_;
  double unitLength_;
  std::optional<Meter> meter_;
  VoiceChoice voices_;
  std::vector<std::pair<int, int>> barAccidentals_;  // letter (C D E F G A B as 0..6), semitones
  int tupletLeft_ = 0;
  double tupletFactor_ = 1;
  double nextBrokenFactor_ = 1;
  std::optional<std::size_t> lastSound_;
  std::optional<Tie> tie_;
  std::vector<int> tieNaturals_;  // the naturals of the last sound's rows, for a tie after it
  std::vector<std::pair<int, double>> graces_;  // sounding note, written length
  std::size_t firstLine_;
  std::uint32_t bar_ = 1;
  std::uint32_t restBarsAfter_ = 0;  // bars a multi-bar rest fills before the one it is written in
  bool barHasMusic_ = false;
  bool firstBarCounted_ = false;
  double firstBarLength_ = 0;  // in eighths, until the first bar line
};

}  // namespace corvale::abc
