#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace corvale {

// Where an export asked for `requested` writes: that path when nothing is there
// or it is a regular file, the file a link leads to when that is a regular file.
// Anything else there (a FIFO, a device, a socket, a folder, or a link to one)
// is refused with ExportError(Refused) before anything is rendered, so no node
// is ever replaced.
std::filesystem::path exportDestination(const std::filesystem::path& requested);

// The bytes an export writes, held in a hidden file beside the destination until
// they are whole. The file is removed on every way out but commit(): an error,
// an exception, a cancelled or interrupted export.
class PartialFile {
 public:
  // Throws ExportError(Failed) when no file can be made beside `destination`.
  explicit PartialFile(const std::filesystem::path& destination);
  ~PartialFile();
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  int descriptor() const { return fd_; }
  // Writes all of `bytes` or throws ExportError(Failed).
  void write(const std::string& bytes);
  // Puts the whole file in the destination's place, atomically; a node that
  // appeared there meanwhile is refused and left as it is.
  void commit();

 private:
  std::filesystem::path destination_;
  std::string path_;
  int fd_ = -1;
  bool committed_ = false;
};

// The bytes free for a new file at the destination's folder, or the most there are
// when the file system cannot say.
std::uint64_t freeBytesBeside(const std::filesystem::path& destination);

}  // namespace corvale
