#include "player/export/wav_out.h"

#include <algorithm>

namespace corvale {
namespace {

// libsndfile's virtual file over a string, for a WAV kept in memory.
struct MemoryIo {
  static sf_count_t length(void* data) { return static_cast<sf_count_t>(memory(data).bytes->size()); }
  static sf_count_t seek(sf_count_t offset, int whence, void* data) {
    auto& file = memory(data);
    const sf_count_t base = whence == SEEK_CUR ? file.at : whence == SEEK_END ? length(data) : 0;
    file.at = std::max<sf_count_t>(0, base + offset);
    return file.at;
  }
  static sf_count_t read(void* out, sf_count_t count, void* data) {
    auto& file = memory(data);
    const sf_count_t available = std::max<sf_count_t>(0, length(data) - file.at);
    const sf_count_t taken = std::min(count, available);
    std::copy_n(file.bytes->data() + file.at, taken, static_cast<char*>(out));
    file.at += taken;
    return taken;
  }
  static sf_count_t write(const void* in, sf_count_t count, void* data) {
    auto& file = memory(data);
    if (file.bytes->size() < static_cast<std::size_t>(file.at + count)) {
      file.bytes->resize(static_cast<std::size_t>(file.at + count));
    }
    std::copy_n(static_cast<const char*>(in), count, file.bytes->data() + file.at);
    file.at += count;
    return count;
  }
  static sf_count_t tell(void* data) { return memory(data).at; }

  static WavOut::MemoryFile& memory(void* data) { return *static_cast<WavOut::MemoryFile*>(data); }
};

SF_INFO wavInfo() {
  SF_INFO info{};
  info.samplerate = WavOut::kSampleRate;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  return info;
}

}  // namespace

WavOut::WavOut(int fd) { open(fd, nullptr); }

WavOut::WavOut(std::string& bytes) {
  memory_.bytes = &bytes;
  static SF_VIRTUAL_IO io{MemoryIo::length, MemoryIo::seek, MemoryIo::read, MemoryIo::write, MemoryIo::tell};
  open(-1, &io);
}

void WavOut::open(int fd, SF_VIRTUAL_IO* memoryIo) {
  SF_INFO info = wavInfo();
  file_ = memoryIo ? sf_open_virtual(memoryIo, SFM_WRITE, &info, &memory_) : sf_open_fd(fd, SFM_WRITE, &info, SF_FALSE);
  if (file_) sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

WavOut::~WavOut() {
  if (file_) sf_close(file_);
}

bool WavOut::write(const float* interleaved, int frames, float gain) {
  if (!file_) return false;
  constexpr int kChunkFrames = static_cast<int>(sizeof(scaled_) / sizeof(scaled_[0]) / 2);
  for (int done = 0; done < frames;) {
    const int count = std::min(kChunkFrames, frames - done);
    std::transform(interleaved + 2 * done, interleaved + 2 * (done + count), scaled_,
                   [gain](float sample) { return sample * gain; });
    if (sf_writef_float(file_, scaled_, count) != count) return false;
    done += count;
  }
  return true;
}

bool WavOut::finish() {
  if (!file_) return false;
  const int error = sf_close(file_);
  file_ = nullptr;
  return error == 0;
}

}  // namespace corvale
