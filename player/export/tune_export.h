#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "player/export/levelled_wav.h"
#include "player/export/play_measure.h"
#include "player/export/recorded_play.h"
#include "player/export/sound_choice.h"
#include "player/export/standard_midi_file.h"
#include "player/export/tune_facts.h"
#include "tune/line_store.h"

namespace corvale {

enum class ExportKind { Midi, Wav };

// What an export keeps at most. A WAV longer than its limit, or than the free
// space at its destination holds, and a play of more notes than an export
// holds, are refused before anything is played.
struct ExportLimits {
  double wavMicroseconds = 60 * 60e6;
  std::uint64_t notes = 200'000;  // as many as the longest tune the standard reading holds
  bool measureDiskSpace = true;
};

// What the musician asked to keep.
struct ExportOrder {
  ExportKind kind = ExportKind::Midi;
  std::filesystem::path tuneFile;
  std::uint64_t chosenTune = 0;
  PlaySettings play;
  std::filesystem::path output;
  // The tempo heard, in quarter notes a minute, that a MIDI file's tempo event
  // gives; 0 for the one the TEMPO value plays (a unit note of 2000 ÷ TEMPO ms).
  // A play that follows the tune's own tempo sets it.
  double quarterNotesPerMinute = 0;
  // The tune's Q: gives the tempo (TEMPO its nearest step, the MIDI file's tempo
  // event the tempo itself), as Practice ▸ Tempo from the Tune plays it; a tune
  // without Q: keeps the TEMPO asked for.
  bool tempoFromTune = false;
};

// An export ready to be played: its destination checked, its tune parsed,
// measured and within the limits.
struct ExportPlan {
  ExportOrder order;
  ExportLimits limits;
  std::filesystem::path destination;
  ParsedTune tune;
  TuneFacts facts;
  PlayMeasure measure;
};

// Checks the destination (exportDestination), reads the tune file and parses,
// measures and judges the chosen tune. Any thread. Throws ExportError: Refused
// for an output that is not a regular file, TooLong with the tune's length or
// notes, Failed for a tune file that cannot be read.
ExportPlan planExport(const ExportOrder& order, const ExportLimits& limits = {});
// The same for a tune file already read; the destination is not looked at.
ExportPlan planExportOf(const LineStore& store, const ExportOrder& order, const ExportLimits& limits);

// Plays the plan's tune as its kind of file keeps it: a WAV at the tempo asked, a
// MIDI file at the slowest tempo, whose finer times put every note on the
// written beat grid whatever tempo the file names. The window's thread only,
// `meanwhile` called every few milliseconds (recordPlay).
RecordedPlay recordForExport(const ExportPlan& plan, const std::function<void()>& meanwhile = {});

// How a recorded play is laid out in a MIDI file of the plan.
MidiFileLayout midiLayoutOf(const ExportPlan& plan);

// Writes the recorded play to the plan's destination, whole or not at all: a MIDI
// file, or a WAV at its proper level with `soundFont`, the best one installed
// instead when that one cannot be sounded (said in `notices`). Any thread; the
// control can stop it at once, the partial file then removed. Throws ExportError.
void writeExport(const ExportPlan& plan, const RecordedPlay& play, const SoundFontInUse& soundFont,
                 const WorkControl& control, std::vector<std::string>& notices);

// What a finished export says: "“Title” was exported to OUT (3 min 12 s)."
std::string exportedText(const ExportPlan& plan);

}  // namespace corvale
