#include "player/export/standard_midi_file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace corvale {
namespace {

// The largest delta time: four bytes of seven bits.
constexpr std::int64_t kLongestDelta = (std::int64_t{1} << 28) - 1;
constexpr std::size_t kLongestName = 255;
constexpr std::uint32_t kLongestQuarter = 0xFFFFFF;  // three bytes of microseconds
constexpr int kClocksPerQuarter = 24;

void putBigEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFFu);
}

// A delta time of at most kLongestDelta: seven bits a byte, most significant
// first, all but the last flagged.
void putVariableLength(std::string& out, std::uint32_t value) {
  char bytes[4];
  int count = 0;
  do {
    bytes[count++] = static_cast<char>(value & 0x7Fu);
    value >>= 7;
  } while (value != 0 && count < 4);
  while (count > 1) out += static_cast<char>(bytes[--count] | 0x80);
  out += bytes[0];
}

// A wait of any length before the next event: the delta times a file can hold,
// each full one closed by an empty text event, which nothing plays or shows.
void putDelta(std::string& out, std::int64_t ticks) {
  while (ticks > kLongestDelta) {
    putVariableLength(out, static_cast<std::uint32_t>(kLongestDelta));
    out += std::string("\xFF\x01\x00", 3);
    ticks -= kLongestDelta;
  }
  putVariableLength(out, static_cast<std::uint32_t>(ticks));
}

void putMeta(std::string& out, char type, const std::string& data) {
  putVariableLength(out, 0);
  out += '\xFF';
  out += type;
  putVariableLength(out, static_cast<std::uint32_t>(data.size()));
  out += data;
}

// The status byte and data bytes of a channel message word, or nothing.
std::string messageOf(std::int32_t word) {
  const auto bits = static_cast<std::uint32_t>(word);
  const std::uint32_t status = bits & 0xFFu;
  if (status < 0x80 || status >= 0xF0) return {};
  const int dataBytes = (status & 0xF0u) == 0xC0 || (status & 0xF0u) == 0xD0 ? 1 : 2;
  std::string message(1, static_cast<char>(status));
  for (int i = 1; i <= dataBytes; ++i) {
    const std::uint32_t data = (bits >> (8 * i)) & 0xFFu;
    if (data > 0x7F) return {};
    message += static_cast<char>(data);
  }
  return message;
}

void putLayout(std::string& track, const MidiFileLayout& layout) {
  if (!layout.trackName.empty()) putMeta(track, '\x03', layout.trackName.substr(0, kLongestName));
  if (layout.meter) {
    const TimeSignature& meter = *layout.meter;
    const int beatClocks = kClocksPerQuarter * 4 / meter.denominator * (meter.compound ? 3 : 1);
    std::string data;
    data += static_cast<char>(meter.numerator);
    data += static_cast<char>(std::countr_zero(static_cast<unsigned>(meter.denominator)));
    data += static_cast<char>(std::clamp(beatClocks, 1, 255));
    data += '\x08';  // thirty-second notes to a quarter
    putMeta(track, '\x58', data);
  }
  if (layout.key) {
    putMeta(track, '\x59', {static_cast<char>(static_cast<std::int8_t>(layout.key->sharps)),
                            static_cast<char>(layout.key->minor ? 1 : 0)});
  }
  std::string tempo;
  putBigEndian(tempo, std::clamp<std::uint32_t>(layout.microsecondsPerQuarter, 1, kLongestQuarter), 3);
  putMeta(track, '\x51', tempo);
}

}  // namespace

std::string standardMidiFile(const std::vector<melodex::TimedWord>& words, const MidiFileLayout& layout) {
  std::string track;
  putLayout(track, layout);
  std::int64_t lastTime = 0;
  std::int64_t pendingTicks = 0;
  for (const melodex::TimedWord& word : words) {
    const std::int64_t step = std::max<std::int64_t>(0, word.timeMicroseconds - lastTime);
    pendingTicks += std::llround(static_cast<double>(step) * layout.ticksPerMicrosecond);
    lastTime = std::max(lastTime, word.timeMicroseconds);
    const std::string message = messageOf(word.word);
    if (message.empty()) continue;
    putDelta(track, pendingTicks);
    pendingTicks = 0;
    track += message;
  }
  putVariableLength(track, 0);
  track += std::string("\xFF\x2F\x00", 3);

  std::string file = "MThd";
  putBigEndian(file, 6, 4);
  putBigEndian(file, 0, 2);  // type 0: one track
  putBigEndian(file, 1, 2);
  putBigEndian(file, kTicksPerQuarter, 2);
  file += "MTrk";
  putBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
  return file + track;
}

}  // namespace corvale
