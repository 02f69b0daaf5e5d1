// Feeds arbitrary bytes through the export path into memory, under both readings
// and as both kinds of file: the tune planned within small limits, its play
// recorded, a MIDI file written and read back, a WAV levelled and written. The
// sound comes from a stand-in that turns the words' times into samples, so an
// input costs microseconds; the synthesiser's own render is tested apart.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "player/export/export_error.h"
#include "player/export/standard_midi_file.h"
#include "player/export/tune_export.h"
#include "tune/tune_file.h"

namespace {

using corvale::ExportKind;

// A file whose header and track lengths agree with its bytes and whose every
// delta time fits in four bytes; false otherwise.
bool wellFormedMidi(const std::string& bytes) {
  if (bytes.size() < 22 || bytes.compare(0, 4, "MThd") != 0 || bytes.compare(14, 4, "MTrk") != 0) return false;
  std::size_t length = 0;
  for (int i = 18; i < 22; ++i) length = length << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
  if (22 + length != bytes.size()) return false;
  std::size_t at = 22;
  while (at < bytes.size()) {
    int deltaBytes = 0;
    while (at < bytes.size() && (static_cast<unsigned char>(bytes[at]) & 0x80u)) ++at, ++deltaBytes;
    if (++deltaBytes > 4 || ++at >= bytes.size()) return false;
    const auto status = static_cast<unsigned char>(bytes[at]);
    if (status == 0xFF) {
      // A meta event's length is a variable-length number, as a delta time is.
      at += 2;
      std::size_t dataLength = 0;
      int lengthBytes = 0;
      while (at < bytes.size() && ++lengthBytes <= 4) {
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        dataLength = dataLength << 7 | (byte & 0x7Fu);
        if (!(byte & 0x80u)) break;
      }
      if (lengthBytes > 4 || at + dataLength > bytes.size()) return false;
      at += dataLength;
    } else if (status >= 0x80 && status < 0xF0) {
      at += (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 2 : 3;
    } else {
      return false;
    }
  }
  return at == bytes.size();
}

// Samples that follow the words: a level from each word, held until the next.
bool standInSound(const std::vector<melodex::TimedWord>& words, const melodex::SoundBlockSink& sink, std::string&) {
  float block[2 * 64];
  const std::int64_t frames = melodex::renderedFrames(words);
  std::size_t next = 0;
  float level = 0;
  for (std::int64_t frame = 0; frame < frames; frame += 64) {
    while (next < words.size() && words[next].timeMicroseconds * 44100 / 1000000 <= frame) {
      level = static_cast<float>(words[next++].word & 0x7F) / 127.0F;
    }
    for (int i = 0; i < 128; ++i) block[i] = level * std::sin(static_cast<float>(frame + i / 2) * 0.05F);
    if (!sink(block, 64)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const corvale::TuneFile file = corvale::readTuneText(std::string(reinterpret_cast<const char*>(data) + 2, size - 2));
  corvale::ExportLimits limits;
  limits.wavMicroseconds = 1e6;
  limits.notes = 2000;
  limits.measureDiskSpace = false;
  for (const corvale::Reading reading : {corvale::Reading::Classic, corvale::Reading::Standard}) {
    for (const ExportKind kind : {ExportKind::Midi, ExportKind::Wav}) {
      corvale::ExportOrder order;
      order.kind = kind;
      order.chosenTune = 1;
      order.play = {data[0] % 30 + 1, data[1] % 4, data[1] & 0x80 ? "BANJO" : "FIDDLE", reading};
      corvale::ExportPlan plan;
      try {
        plan = corvale::planExportOf(file.lineStore, order, limits);
      } catch (const corvale::ExportError& error) {
        if (error.end() != corvale::ExportEnd::TooLong) __builtin_trap();
        continue;
      }
      const corvale::RecordedPlay play = corvale::recordForExport(plan);
      if (!play.problem.empty()) continue;
      if (kind == ExportKind::Midi) {
        if (!wellFormedMidi(corvale::standardMidiFile(play.words, corvale::midiLayoutOf(plan)))) __builtin_trap();
        continue;
      }
      // The length judged before the play is the length it plays.
      if (!play.words.empty() && static_cast<double>(play.words.back().timeMicroseconds) > plan.measure.microseconds) {
        __builtin_trap();
      }
      std::string wav;
      corvale::WavOut out(wav);
      const corvale::WorkControl control;
      const float peak = corvale::soundPeak(play.words, standInSound, control);
      corvale::writeSoundAtPeak(play.words, standInSound, peak, out, control);
      const auto frames = static_cast<std::size_t>((melodex::renderedFrames(play.words) + 63) / 64 * 64);
      if (wav.size() != 44 + 4 * frames) __builtin_trap();
    }
  }
  return 0;
}
