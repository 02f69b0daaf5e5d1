// Very large tunes under the standard reading, run as tunedump does in a process of
// its own: the reading stays within twice the file and 50 MB, and where the memory
// is not there the play is refused with a message instead of ending the program.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace corvale {
namespace {

struct ChildRun {
  int status = -1;
  long peakKilobytes = 0;
};

// Runs tunedump with `args`, its output thrown away, under an address-space limit
// when one is given.
ChildRun runTunedump(const std::vector<std::string>& args, rlim_t addressSpaceLimit = RLIM_INFINITY) {
  const pid_t child = fork();
  if (child == 0) {
    if (addressSpaceLimit != RLIM_INFINITY) {
      const rlimit limit{addressSpaceLimit, addressSpaceLimit};
      setrlimit(RLIMIT_AS, &limit);
    }
    std::vector<char*> argv{const_cast<char*>(CORVALE_TUNEDUMP)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  ChildRun run;
  rusage usage{};
  wait4(child, &run.status, 0, &usage);
  run.peakKilobytes = usage.ru_maxrss;
  return run;
}

class LargeTune : public ::testing::Test {
 protected:
  static constexpr std::size_t kLineBytes = 30'000'000;

  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() / ("corvale-large-" + std::to_string(::getpid()) + ".abc");
    std::ofstream file(path_);
    file << "X:1\nT:One long line\nK:G\n";
    const std::string bar = "ABcd efga|";
    for (std::size_t written = 0; written < kLineBytes; written += bar.size()) file << bar;
    file << '\n';
  }
  void TearDown() override { std::filesystem::remove(path_); }

  std::filesystem::path path_;
};

TEST_F(LargeTune, AThirtyMegabyteLineIsReadWithinTwiceTheFileAndFiftyMegabytes) {
  const ChildRun run = runTunedump({"--standard", path_.string(), "1"});
  ASSERT_TRUE(WIFEXITED(run.status));
  EXPECT_EQ(WEXITSTATUS(run.status), 0);
  const long boundKilobytes = static_cast<long>(2 * kLineBytes / 1024) + 50 * 1024;
  EXPECT_LT(run.peakKilobytes, boundKilobytes);
}

TEST_F(LargeTune, WithoutTheMemoryForItStartSaysTheTuneIsTooLargeAndEndsTheWayItShould) {
  // Room for the program and the file, not for reading the tune.
  const ChildRun run = runTunedump({"--midi", "--standard", path_.string(), "1"}, rlim_t{200} << 20);
  ASSERT_TRUE(WIFEXITED(run.status)) << "ended by signal " << WTERMSIG(run.status);
  EXPECT_EQ(WEXITSTATUS(run.status), 1) << "the play is refused, the program goes on to its end";
}

}  // namespace
}  // namespace corvale
