#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>

namespace corvale {

// A 44.1 kHz stereo 16-bit WAV being written through libsndfile, into an open
// file or into memory. Samples beyond full scale are clipped, never wrapped.
class WavOut {
 public:
  static constexpr int kSampleRate = 44100;

  // Writes through `fd`, which stays open and the caller's.
  explicit WavOut(int fd);
  // Writes into `bytes`, which must outlive this.
  explicit WavOut(std::string& bytes);
  ~WavOut();
  WavOut(const WavOut&) = delete;
  WavOut& operator=(const WavOut&) = delete;

  // `frames` interleaved stereo frames, each sample times `gain`; false when they
  // could not all be written.
  bool write(const float* interleaved, int frames, float gain);
  // Completes the header; false when it could not be written.
  bool finish();

 // Where a WAV kept in memory has got to.
  struct MemoryFile {
    std::string* bytes = nullptr;
    sf_count_t at = 0;
  };

 private:
  void open(int fd, SF_VIRTUAL_IO* memoryIo);

  MemoryFile memory_;
  SNDFILE* file_ = nullptr;
  float scaled_[2 * 1024];
};

}  // namespace corvale
