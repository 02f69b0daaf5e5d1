// What the tune file reader and tunedump do with paths that are not plain tune files:
// they must answer at once with one line, never wait on a FIFO or read a device for ever.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tune/regular_file.h"
#include "tune/tune_file.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

namespace fs = std::filesystem;

class FileKinds : public testing::TemporaryFolder {
 protected:
  fs::path at(const std::string& name) const { return root / name; }

  fs::path makeFifo(const std::string& name) const {
    if (::mkfifo(at(name).c_str(), 0600) != 0) throw std::runtime_error("mkfifo");
    return at(name);
  }

  fs::path link(const std::string& name, const fs::path& target) const {
    fs::create_symlink(target, at(name));
    return at(name);
  }
};

TEST_F(FileKinds, TunedumpRefusesAnythingButARegularFileOnOneLineWithStatusTwo) {
  const fs::path fifo = makeFifo("pipe.abc");
  const fs::path socket = at("socket.abc");
  testing::makeSocket(socket);
  const fs::path sparse = at("huge.abc");
  std::ofstream(sparse).put('X');
  fs::resize_file(sparse, kMaxTuneFileBytes + 1);  // sparse: no disk space is used
  const std::pair<fs::path, std::string> cases[] = {
      {fifo, "is not a regular file"},
      {link("pipe-link.abc", fifo), "is not a regular file"},
      {socket, "is not a regular file"},
      {link("socket-link.abc", socket), "is not a regular file"},
      {"/dev/zero", "is not a regular file"},
      {"/dev/urandom", "is not a regular file"},
      {link("zero-link.abc", "/dev/zero"), "is not a regular file"},
      {link("dangling.abc", at("gone.abc")), "No such file or directory"},
      {at(""), "is a folder, not a tune file"},
      {sparse, "is larger than 2 GB, too large to read"},
  };
  for (const auto& [path, reason] : cases) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{path.string()}, {path.string(), "1"}, {"--midi", path.string(), "1"}}) {
      const testing::DumpResult result = testing::runDump(args);
      EXPECT_EQ(result.status, 2) << path;
      EXPECT_EQ(result.out, "");
      EXPECT_EQ(result.err, "tunedump: " + path.string() + ": " + reason + "\n");
    }
  }
}

TEST_F(FileKinds, AFileThatGrowsPastTheLimitWhileReadIsRefusedAndOneAtTheLimitIsRead) {
  const fs::path file = write("tunes.abc", "X:1\nT:Ten bytes\n");
  EXPECT_EQ(readRegularFile(file, 16).size(), 16U);
  EXPECT_THROW(readRegularFile(file, 15), TuneFileError);
  // /proc files measure 0 bytes and hold more: the limit holds while reading too.
  EXPECT_THROW(readRegularFile("/proc/self/maps", 1), TuneFileError);
  EXPECT_FALSE(readRegularFile("/proc/self/maps").empty());
}

}  // namespace
}  // namespace corvale
