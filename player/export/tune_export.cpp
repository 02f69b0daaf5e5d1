#include "player/export/tune_export.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "player/export/export_error.h"
#include "player/export/export_target.h"
#include "player/export/standard_midi_file.h"
#include "practice/tune_timing.h"
#include "tune/tune_file.h"

namespace corvale {
namespace {

// The slowest tempo: a unit note lasts 2 s, so a MIDI file's ticks come from
// times a thousand times finer than one tick.
constexpr int kFinestTempo = 1;
constexpr double kWavBytesPerFrame = 4;  // two 16-bit samples
constexpr double kWavHeaderBytes = 44;
constexpr double kMegabyte = 1 << 20;

std::string titleOf(const TuneFacts& facts) {
  return facts.title.empty() ? std::string("The tune") : "\u201C" + facts.title + "\u201D";
}

std::string countText(std::uint64_t count) {
  std::string digits = std::to_string(count);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

std::string megabytesText(double bytes) { return countText(static_cast<std::uint64_t>(std::ceil(bytes / kMegabyte))) + " MB"; }

// A WAV's length: the play and the ring of its last note.
double wavMicroseconds(const PlayMeasure& measure) {
  return measure.microseconds + static_cast<double>(melodex::renderedFrames({})) * 1e6 / WavOut::kSampleRate;
}

[[noreturn]] void tooLong(const std::string& why) {
  throw ExportError(ExportEnd::TooLong, why + ", so nothing was written.");
}

void judge(const ExportPlan& plan, const ExportLimits& limits) {
  const std::string title = titleOf(plan.facts);
  if (plan.measure.notes > limits.notes) {
    tooLong(title + " plays " + countText(plan.measure.notes) + " notes with its replays; an export holds at most " +
            countText(limits.notes));
  }
  if (plan.order.kind != ExportKind::Wav) return;
  const double length = wavMicroseconds(plan.measure);
  if (!(length <= limits.wavMicroseconds)) {
    tooLong(title + " plays for " + lengthText(length) + " at this tempo; a WAV export is limited to " +
            lengthText(limits.wavMicroseconds));
  }
}

void judgeDiskSpace(const ExportPlan& plan) {
  const double bytes = kWavHeaderBytes + wavMicroseconds(plan.measure) / 1e6 * WavOut::kSampleRate * kWavBytesPerFrame;
  const auto free = static_cast<double>(freeBytesBeside(plan.destination));
  if (bytes > free) {
    tooLong(titleOf(plan.facts) + " plays for " + lengthText(wavMicroseconds(plan.measure)) + ": its WAV would take " +
            megabytesText(bytes) + ", and " + megabytesText(free) + " are free there");
  }
}

// A practice play is longer than its rows: every pass (a loop's passes asked for,
// or the replays), each at most the whole tune at the slowest share of the tempo
// a speed-up starts from. Judged again from what was recorded, count-in included.
PlayMeasure practiceMeasure(const EventTable& events, const PlaySettings& play) {
  const PracticePlan& plan = play.practice->plan;
  const int passes = plan.passLimit ? std::max(*plan.passLimit, 1) : play.replays + 1;
  PlayMeasure measure = measurePlay(events, play.tempo, passes - 1);
  const double slowest = plan.speedUp ? std::max(plan.speedUp->startPercent, kLowestPercent) / 100.0 : 1.0;
  measure.microseconds /= std::min(slowest, 1.0);
  return measure;
}

PlayMeasure recordedMeasure(const RecordedPlay& play) {
  PlayMeasure measure;
  for (const melodex::TimedWord& word : play.words) {
    const bool noteOn = (word.word & 0xF0) == 0x90 && ((word.word >> 16) & 0x7F) != 0;
    if (noteOn) ++measure.notes;
  }
  if (!play.words.empty()) measure.microseconds = static_cast<double>(play.words.back().timeMicroseconds);
  return measure;
}

// Takes the tune's Q: as the tempo kept, when asked: in a MIDI file's tempo event
// as written, in the play at TEMPO's nearest step.
void takeTuneTempo(ExportPlan& plan) {
  const std::optional<RecordedPractice>& practice = plan.order.play.practice;
  if (!plan.order.tempoFromTune && !(practice && practice->plan.tempoFromTune)) return;
  const TuneTiming timing = readTuneTiming(plan.tune.listedLines, plan.order.play.reading);
  if (!timing.tempo) return;
  constexpr double kEighthsPerQuarter = 2;
  plan.order.quarterNotesPerMinute = timing.tempo->beatsPerMinute * timing.tempo->beatLength / kEighthsPerQuarter;
  plan.order.play.tempo = sliderTempoFor(*timing.tempo, timing.unitWholeNotes);
}

[[noreturn]] void outOfMemory() {
  throw ExportError(ExportEnd::TooLong, "The tune is too large to export in the memory there is, so nothing was written.");
}

}  // namespace

ExportPlan planExportOf(const LineStore& store, const ExportOrder& order, const ExportLimits& limits) {
  try {
    ExportPlan plan;
    plan.order = order;
    plan.limits = limits;
    plan.destination = order.output;
    TuneReader reader;
    plan.tune = reader.parse(store, order.chosenTune, order.play.reading, order.play.options);
    takeTuneTempo(plan);
    plan.measure = order.play.practice ? practiceMeasure(plan.tune.events, plan.order.play)
                                       : measurePlay(plan.tune.events, plan.order.play.tempo, order.play.replays);
    plan.facts = tuneFactsOf(plan.tune, order.play.reading);
    judge(plan, limits);
    return plan;
  } catch (const std::bad_alloc&) {
    outOfMemory();
  }
}

ExportPlan planExport(const ExportOrder& order, const ExportLimits& limits) {
  const std::filesystem::path destination = exportDestination(order.output);
  ExportPlan plan = planExportOf(readTuneFile(order.tuneFile).lineStore, order, limits);
  plan.destination = destination;
  if (order.kind == ExportKind::Wav && limits.measureDiskSpace) judgeDiskSpace(plan);
  return plan;
}

RecordedPlay recordForExport(const ExportPlan& plan, const std::function<void()>& meanwhile) {
  PlaySettings settings = plan.order.play;
  if (plan.order.kind == ExportKind::Midi) {
    settings.tempo = kFinestTempo;
    // The tempo event carries the tune's tempo; the play stays at the finest one.
    if (settings.practice) settings.practice->plan.tempoFromTune = false;
  }
  try {
    RecordedPlay play = recordPlay(plan.tune, settings, meanwhile);
    if (plan.order.play.practice) {
      ExportPlan heard = plan;
      heard.measure = recordedMeasure(play);
      if (plan.order.kind == ExportKind::Midi) heard.measure.microseconds = 0;  // recorded at the slowest tempo
      judge(heard, plan.limits);
    }
    return play;
  } catch (const std::bad_alloc&) {
    outOfMemory();
  }
}

MidiFileLayout midiLayoutOf(const ExportPlan& plan) {
  MidiFileLayout layout;
  layout.trackName = plan.facts.title;
  layout.meter = plan.facts.meter;
  layout.key = plan.facts.key;
  const double unitEighths = plan.facts.unitEighths;
  layout.ticksPerMicrosecond = kTicksPerQuarter / 2.0 * unitEighths / unitMicroseconds(kFinestTempo);
  const double quarter = plan.order.quarterNotesPerMinute > 0 ? 60e6 / plan.order.quarterNotesPerMinute
                                                              : unitMicroseconds(plan.order.play.tempo) * 2 / unitEighths;
  layout.microsecondsPerQuarter = static_cast<std::uint32_t>(std::clamp(std::llround(quarter), 1LL, 0xFFFFFFLL));
  return layout;
}

void writeExport(const ExportPlan& plan, const RecordedPlay& play, const SoundFontInUse& soundFont,
                 const WorkControl& control, std::vector<std::string>& notices) {
  if (!play.problem.empty()) throw ExportError(ExportEnd::Failed, play.problem);
  try {
    PartialFile file(plan.destination);
    if (plan.order.kind == ExportKind::Midi) {
      file.write(standardMidiFile(play.words, midiLayoutOf(plan)));
      if (control.stopAsked()) throw ExportError(ExportEnd::Stopped, "the export was stopped");
    } else {
      std::filesystem::path font = soundFont.path;
      if (font.empty()) {
        throw ExportError(ExportEnd::Failed, "no General MIDI SoundFont is installed to sound the tune");
      }
      float peak = 0;
      try {
        peak = soundPeak(play.words, synthesiserSound(font), control);
      } catch (const ExportError& error) {
        // A chosen SoundFont that looked right but cannot be sounded: the built-in one instead.
        const std::filesystem::path installed = melodex::installedSoundFont();
        if (error.end() != ExportEnd::Failed || installed.empty() || font == installed) throw;
        notices.push_back(soundFontPassedOver(font, "could not be loaded", installed));
        font = installed;
        peak = soundPeak(play.words, synthesiserSound(font), control);
      }
      WavOut out(file.descriptor());
      writeSoundAtPeak(play.words, synthesiserSound(font), peak, out, control);
    }
    file.commit();
  } catch (const std::bad_alloc&) {
    outOfMemory();
  }
}

std::string exportedText(const ExportPlan& plan) {
  const double length =
      plan.order.kind == ExportKind::Wav ? wavMicroseconds(plan.measure) : plan.measure.microseconds;
  return titleOf(plan.facts) + " was exported to " + plan.destination.string() + " (" + lengthText(length) + ").";
}

}  // namespace corvale
