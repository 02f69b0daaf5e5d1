#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace corvale {

// what() names the file and the reason it could not be read.
class TuneFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The largest tune file read: anything bigger is refused rather than held in memory.
inline constexpr std::uint64_t kMaxTuneFileBytes = std::uint64_t{2} << 30;

// All bytes of the regular file at `path` (a link is followed to its target). Opening
// never waits: a FIFO, socket or device, a folder, a file over `maxBytes` and a file
// that runs out of memory are refused with TuneFileError, judged on the open file itself
// so a file swapped after it was listed is caught too. Room is kept behind the bytes
// for widening them in place (see widenLatin1ToUtf8). Safe to call from any thread.
std::string readRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes = kMaxTuneFileBytes);

}  // namespace corvale
