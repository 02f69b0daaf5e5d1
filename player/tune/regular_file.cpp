#include "tune/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace corvale {

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, const std::string& reason) {
  throw TuneFileError(path.string() + ": " + reason);
}

// strerror's text without its shared buffer, so two threads may fail at once.
std::string errorText(int error) {
  char buffer[256];
  return ::strerror_r(error, buffer, sizeof buffer);
}

std::string sizeText(std::uint64_t bytes) {
  if (bytes % (std::uint64_t{1} << 30) == 0) return std::to_string(bytes >> 30) + " GB";
  if (bytes % (std::uint64_t{1} << 20) == 0) return std::to_string(bytes >> 20) + " MB";
  return std::to_string(bytes) + " bytes";
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

void refuseAnythingButARegularFile(const std::filesystem::path& path, const struct stat& status,
                                   std::uint64_t maxBytes) {
  if (S_ISDIR(status.st_mode)) fail(path, "is a folder, not a tune file");
  if (!S_ISREG(status.st_mode)) fail(path, "is not a regular file");
  if (static_cast<std::uint64_t>(status.st_size) > maxBytes) {
    fail(path, "is larger than " + sizeText(maxBytes) + ", too large to read");
  }
}

// Reads to the end of the file, which may have grown or shrunk since it was measured.
void readAll(const std::filesystem::path& path, int fd, std::uint64_t maxBytes, std::string& bytes) {
  char chunk[1 << 16];
  std::size_t filled = 0;
  for (;;) {
    ssize_t got;
    if (filled < bytes.size()) {
      got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    } else {
      got = ::read(fd, chunk, sizeof chunk);
      if (got > 0) {
        if (filled + static_cast<std::size_t>(got) > maxBytes) {
          fail(path, "is larger than " + sizeText(maxBytes) + ", too large to read");
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
      }
    }
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      fail(path, errorText(errno));
    }
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
}

}  // namespace

std::string readRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
  // O_NONBLOCK: opening a FIFO with no writer, or some devices, would otherwise wait for
  // ever. It changes nothing for a regular file, the only kind read.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) {
    const int error = errno;
    // A socket cannot be opened at all (ENXIO): name what it is rather than the errno.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
      fail(path, "is not a regular file");
    }
    fail(path, errorText(error));
  }
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) fail(path, errorText(errno));
  refuseAnythingButARegularFile(path, status, maxBytes);

  try {
    const auto size = static_cast<std::size_t>(status.st_size);
    std::string bytes;
    // Twice the size, so a Latin-1 file widens to UTF-8 without a second copy: pages
    // never written are never resident. Without that much address space, just the size.
    try {
      bytes.reserve(2 * size + 1);
    } catch (const std::bad_alloc&) {
      bytes.reserve(size + 1);
    }
    bytes.resize(size);
    readAll(path, file.get(), maxBytes, bytes);
    return bytes;
  } catch (const std::bad_alloc&) {
    fail(path, "not enough memory to read it");
  } catch (const std::length_error&) {
    fail(path, "not enough memory to read it");
  }
}

}  // namespace corvale
