#include "player/library/folder_scan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

namespace corvale {
namespace {

constexpr std::size_t kFirstBytes = 64;

std::int64_t modifiedNanoseconds(const struct stat& status) {
  return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
}

bool hasAbcName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ending = name.substr(name.size() - 4);
  std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
  return ending == ".abc";
}

// The first bytes of a regular file, read without ever waiting on it: opened
// non-blocking and judged on the open file, so one swapped for a FIFO is refused.
// False when it cannot be read.
bool readFirstBytes(const std::string& path, std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  bool read = false;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    char buffer[kFirstBytes];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got >= 0) {
      bytes.assign(buffer, static_cast<std::size_t>(got));
      read = true;
    }
  }
  ::close(fd);
  return read;
}

class Scanner {
 public:
  explicit Scanner(const std::function<bool()>& stop) : stop_(stop) {}

  void scan(const std::string& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
      ++result_.unreadable;
      return;
    }
    if (!visited_.insert({status.st_dev, status.st_ino}).second) return;  // seen: a link loop
    if (stop_ && stop_()) return;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) {
      ++result_.unreadable;
      return;
    }
    std::vector<std::string> subfolders;
    const std::string prefix = folder.back() == '/' ? folder : folder + '/';
    while (const dirent* entry = ::readdir(dir.get())) {
      const std::string name(entry->d_name);
      if (name.empty() || name.front() == '.') continue;
      const std::string path = prefix + name;
      struct stat target {};
      // stat follows links: a link counts as what it points to; a dangling one is passed over.
      if (::stat(path.c_str(), &target) != 0) continue;
      if (S_ISDIR(target.st_mode)) {
        subfolders.push_back(path);
      } else if (S_ISREG(target.st_mode)) {
        look(path, name, target);
      }
    }
    for (const std::string& subfolder : subfolders) scan(subfolder);
  }

  FolderScan take() {
    std::sort(result_.files.begin(), result_.files.end(),
              [](const FoundFile& a, const FoundFile& b) { return a.path.native() < b.path.native(); });
    return std::move(result_);
  }

 private:
  void look(const std::string& path, const std::string& name, const struct stat& status) {
    if (!hasAbcName(name)) {
      std::string first;
      if (!readFirstBytes(path, first)) {
        ++result_.unreadable;
        return;
      }
      if (!looksLikeTuneFile(name, first)) return;
    }
    result_.files.push_back({path, modifiedNanoseconds(status), static_cast<std::int64_t>(status.st_size)});
  }

  const std::function<bool()>& stop_;
  std::set<std::pair<dev_t, ino_t>> visited_;
  FolderScan result_;
};

}  // namespace

bool looksLikeTuneFile(const std::filesystem::path& name, std::string_view firstBytes) {
  if (hasAbcName(name.filename().string())) return true;
  if (firstBytes.starts_with("\xEF\xBB\xBF")) firstBytes.remove_prefix(3);
  return firstBytes.starts_with("%abc") || firstBytes.starts_with("X:");
}

FolderScan scanMusicFolder(const std::filesystem::path& folder, const std::function<bool()>& stop) {
  Scanner scanner(stop);
  if (!folder.empty()) scanner.scan(folder.native());
  return scanner.take();
}

}  // namespace corvale
