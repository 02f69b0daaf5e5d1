#include "player/settings/file_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace corvale {

std::string nonRegularFileText(unsigned mode) {
  if (S_ISFIFO(mode)) return "is a FIFO, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a regular file";
  if (S_ISDIR(mode)) return "is a folder, not a regular file";
  if (S_ISSOCK(mode)) return "is a socket, not a regular file";
  return "is not a regular file";
}

FileCheck checkFile(const std::string& path, std::int64_t maxBytes) {
  using Verdict = FileCheck::Verdict;
  // O_NONBLOCK: a FIFO with no writer would otherwise hold the open for ever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  struct stat status {};
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT) return {Verdict::Absent, "is not there"};
    // A socket cannot be opened at all: name what it is rather than the error.
    if (error == ENXIO && ::stat(path.c_str(), &status) == 0) {
      return {Verdict::NotRegular, nonRegularFileText(status.st_mode)};
    }
    char buffer[256];
    return {Verdict::Unopenable, std::string("cannot be opened: ") + ::strerror_r(error, buffer, sizeof buffer)};
  }
  const bool measured = ::fstat(fd, &status) == 0;
  ::close(fd);
  if (!measured) return {Verdict::Unopenable, "cannot be measured"};
  if (!S_ISREG(status.st_mode)) return {Verdict::NotRegular, nonRegularFileText(status.st_mode)};
  if (status.st_size > maxBytes) {
    return {Verdict::TooLarge, "is larger than " + std::to_string(maxBytes >> 20) + " MB"};
  }
  return {};
}

}  // namespace corvale
