// Very large tunes under the standard reading, run as tunedump does in a process of
// its own: the reading stays within twice the file and 50 MB, and where the memory
// is not there the play is refused with a message instead of ending the program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tune_fixtures.h"

namespace corvale {
namespace {

using testing::TunedumpProcess;

class LargeTune : public testing::TemporaryFolder {
 protected:
  static constexpr std::size_t kLineBytes = 30'000'000;

  void SetUp() override {
    std::ofstream file(path_);
    file << "X:1\nT:One long line\nK:G\n";
    const std::string bar = "ABcd efga|";
    for (std::size_t written = 0; written < kLineBytes; written += bar.size()) file << bar;
    file << '\n';
  }
  const std::filesystem::path path_ = root / "large.abc";
};

TEST_F(LargeTune, AThirtyMegabyteLineIsReadWithinTwiceTheFileAndFiftyMegabytes) {
  const TunedumpProcess::Ended run = TunedumpProcess({"--standard", path_.string(), "1"}).wait(std::chrono::minutes(5));
  ASSERT_TRUE(run.inTime && WIFEXITED(run.status));
  EXPECT_EQ(WEXITSTATUS(run.status), 0);
  const long boundKilobytes = static_cast<long>(2 * kLineBytes / 1024) + 50 * 1024;
  EXPECT_LT(run.peakKilobytes, boundKilobytes);
}

TEST_F(LargeTune, WithoutTheMemoryForItStartSaysTheTuneIsTooLargeAndEndsTheWayItShould) {
  // Room for the program and the file, not for reading the tune.
  const TunedumpProcess::Ended run =
      TunedumpProcess({"--midi", "--standard", path_.string(), "1"}, {}, std::uint64_t{200} << 20).wait(std::chrono::minutes(5));
  ASSERT_TRUE(run.inTime && WIFEXITED(run.status)) << "ended by signal " << WTERMSIG(run.status);
  EXPECT_EQ(WEXITSTATUS(run.status), 1) << "the play is refused, the program goes on to its end";
}

}  // namespace
}  // namespace corvale
