#include "player/export/export_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>

#include "player/export/export_error.h"
#include "player/settings/file_check.h"

namespace corvale {
namespace {

namespace fs = std::filesystem;

std::string errorText(int error) {
  char buffer[256];
  return ::strerror_r(error, buffer, sizeof buffer);
}

[[noreturn]] void cannotWrite(const fs::path& destination, int error) {
  throw ExportError(ExportEnd::Failed, destination.string() + " cannot be written: " + errorText(error));
}

[[noreturn]] void refuse(const fs::path& destination, mode_t mode) {
  throw ExportError(ExportEnd::Refused, destination.string() + " " + nonRegularFileText(mode) +
                                            ": an export writes only to a regular file, so nothing was written");
}

fs::path folderOf(const fs::path& destination) {
  return destination.has_parent_path() ? destination.parent_path() : fs::path(".");
}

// The process's file mode mask, read without changing it: umask() would set it
// for a moment, for every thread of the window.
mode_t creationMask() {
  std::ifstream status("/proc/self/status");
  std::string field;
  while (status >> field) {
    if (field == "Umask:") {
      std::string octal;
      status >> octal;
      return static_cast<mode_t>(std::strtoul(octal.c_str(), nullptr, 8));
    }
  }
  return 022;
}

}  // namespace

fs::path exportDestination(const fs::path& requested) {
  struct stat status {};
  // Nothing there yet, or a place that cannot be reached: the partial file says why.
  if (::stat(requested.c_str(), &status) != 0) return requested;
  if (!S_ISREG(status.st_mode)) refuse(requested, status.st_mode);
  std::error_code error;
  if (fs::is_symlink(requested, error)) {
    const fs::path target = fs::canonical(requested, error);
    if (!error) return target;
  }
  return requested;
}

PartialFile::PartialFile(const fs::path& destination) : destination_(destination) {
  path_ = (folderOf(destination) / ("." + destination.filename().string() + ".XXXXXX")).string();
  fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
  if (fd_ < 0) cannotWrite(destination, errno);
  // A temporary file is private to its maker; the export gets the rights of the
  // file it replaces, or the usual ones.
  struct stat before {};
  const mode_t mode = ::stat(destination.c_str(), &before) == 0 ? (before.st_mode & 07777) : (0666 & ~creationMask());
  ::fchmod(fd_, mode);
}

PartialFile::~PartialFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_) ::unlink(path_.c_str());
}

void PartialFile::write(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) cannotWrite(destination_, written < 0 ? errno : ENOSPC);
    done += static_cast<std::size_t>(written);
  }
}

void PartialFile::commit() {
  // Whole on disk before it takes the old file's place.
  if (::fdatasync(fd_) != 0) cannotWrite(destination_, errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) cannotWrite(destination_, errno);
  struct stat status {};
  if (::lstat(destination_.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) refuse(destination_, status.st_mode);
  if (::rename(path_.c_str(), destination_.c_str()) != 0) cannotWrite(destination_, errno);
  committed_ = true;
}

std::uint64_t freeBytesBeside(const fs::path& destination) {
  struct statvfs space {};
  if (::statvfs(folderOf(destination).c_str(), &space) != 0) return std::numeric_limits<std::uint64_t>::max();
  return static_cast<std::uint64_t>(space.f_bavail) * space.f_frsize;
}

}  // namespace corvale
