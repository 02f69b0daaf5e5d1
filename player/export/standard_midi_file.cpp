#include "player/export/standard_midi_file.h"

#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cstdint>

namespace corvale {
namespace {

constexpr std::uint32_t kTicksPerQuarter = 1000;
constexpr std::uint32_t kMicrosecondsPerQuarter = 1000000;  // so a tick is a millisecond

void putBigEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFFu);
}

// A delta time: seven bits a byte, most significant first, all but the last flagged.
void putVariableLength(std::string& out, std::uint32_t value) {
  char bytes[5];
  int count = 0;
  do {
    bytes[count++] = static_cast<char>(value & 0x7Fu);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out += static_cast<char>(bytes[--count] | 0x80);
  out += bytes[0];
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

}  // namespace

std::string standardMidiFile(const std::vector<melodex::TimedWord>& words) {
  std::string track;
  putVariableLength(track, 0);
  track += "\xFF\x51\x03";
  putBigEndian(track, kMicrosecondsPerQuarter, 3);
  std::int64_t lastTick = 0;
  for (const melodex::TimedWord& word : words) {
    const std::string message = messageOf(word.word);
    if (message.empty()) continue;
    const std::int64_t tick = std::max<std::int64_t>(lastTick, word.timeMicroseconds / 1000);
    putVariableLength(track, static_cast<std::uint32_t>(tick - lastTick));
    track += message;
    lastTick = tick;
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

bool writeStandardMidiFile(const std::vector<melodex::TimedWord>& words, const std::filesystem::path& path,
                           std::string& problem) {
  // QSaveFile writes beside the file and renames only a whole file into place.
  QSaveFile file(QString::fromStdString(path.string()));
  const std::string bytes = standardMidiFile(words);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                                              static_cast<qint64>(bytes.size()) ||
      !file.commit()) {
    problem = path.string() + " cannot be written: " + file.errorString().toStdString();
    return false;
  }
  return true;
}

}  // namespace corvale
