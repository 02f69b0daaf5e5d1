#include "midi_file_reader.h"

#include <fstream>
#include <iterator>

namespace corvale::test {
namespace {

std::uint32_t bigEndian(const std::string& bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

}  // namespace

MidiFileRead readMidiBytes(const std::string& bytes) {
  MidiFileRead file;
  if (bytes.size() < 22 || bytes.substr(0, 4) != "MThd" || bigEndian(bytes, 4, 4) != 6 || bigEndian(bytes, 8, 2) != 0 ||
      bigEndian(bytes, 10, 2) != 1 || bytes.substr(14, 4) != "MTrk") {
    file.wellFormed = false;
    return file;
  }
  file.ticksPerQuarter = static_cast<int>(bigEndian(bytes, 12, 2));
  const std::size_t end = 22 + bigEndian(bytes, 18, 4);
  file.wellFormed = end == bytes.size();
  std::size_t at = 22;
  std::int64_t tick = 0;
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(i < end ? bytes[i] : 0); };
  while (at < end) {
    std::uint32_t delta = 0;
    int length = 0;
    unsigned char byte = 0;
    do {
      byte = byteAt(at++);
      delta = delta << 7 | (byte & 0x7Fu);
      ++length;
    } while ((byte & 0x80u) && at < end);
    if (length > 4) file.wellFormed = false;
    tick += delta;
    const unsigned char status = byteAt(at);
    if (status == 0xFF) {
      const unsigned char type = byteAt(at + 1);
      const std::size_t size = byteAt(at + 2);
      const std::string data = bytes.substr(at + 3, size);
      if (type == 0x03) file.trackName = data;
      if (type == 0x58) file.timeSignature.assign(data.begin(), data.end());
      if (type == 0x59) file.keySignature.assign(data.begin(), data.end());
      if (type == 0x51) file.tempos.push_back(bigEndian(data, 0, 3));
      if (type == 0x2F) file.endTick = tick;
      at += 3 + size;
      continue;
    }
    const int dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
    std::uint32_t word = status;
    for (int i = 1; i <= dataBytes; ++i) word |= static_cast<std::uint32_t>(byteAt(at + static_cast<std::size_t>(i))) << (8 * i);
    file.words.emplace_back(tick, word);
    at += 1 + static_cast<std::size_t>(dataBytes);
  }
  return file;
}

MidiFileRead readMidiFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return readMidiBytes(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
}

}  // namespace corvale::test
