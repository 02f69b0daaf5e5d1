#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace corvale::test {

// A Standard MIDI File of type 0 read back as a notation program would: the
// division, the meta events it names the music with, and every channel message
// as a word at its tick.
struct MidiFileRead {
  int ticksPerQuarter = 0;
  std::string trackName;
  std::vector<std::uint8_t> timeSignature;  // the four data bytes
  std::vector<std::uint8_t> keySignature;   // the two data bytes
  std::vector<std::uint32_t> tempos;        // microseconds per quarter, in order
  std::vector<std::pair<std::int64_t, std::uint32_t>> words;
  std::int64_t endTick = 0;
  bool wellFormed = true;  // header and track lengths right, no delta longer than four bytes
};

MidiFileRead readMidiBytes(const std::string& bytes);
MidiFileRead readMidiFile(const std::filesystem::path& path);

}  // namespace corvale::test
