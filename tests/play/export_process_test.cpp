// tunedump's exports as a separate process, as a user or a script runs them: a
// signal during a long export, settings that are not a settings file, and a
// SoundFont chosen before that cannot be used. Each run has a configuration
// folder of its own.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tune_fixtures.h"

namespace corvale {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using testing::TunedumpProcess;
using Ended = TunedumpProcess::Ended;

class ExportProcessTest : public testing::TemporaryFolder {
 protected:
  void SetUp() override {
    fs::create_directories(folder);
    fs::create_directories(home / "config" / "corvale");
  }

  TunedumpProcess start(const std::vector<std::string>& args) {
    return TunedumpProcess(args, {"HOME=" + home.string(), "XDG_CONFIG_HOME=" + (home / "config").string()});
  }

  Ended run(const std::vector<std::string>& args, std::chrono::milliseconds allowed = std::chrono::seconds(20)) {
    return start(args).wait(allowed);
  }

  fs::path folder = root / "out";
  fs::path home = root / "home";
  fs::path settingsFile = home / "config" / "corvale" / "corvale.conf";
  fs::path tuneFile = write("tune.abc", "X:1\nT:Short\nK:D\nDEF|\n");
};

bool partialFileIn(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind(".long.wav.", 0) == 0) return true;
  }
  return false;
}

TEST_F(ExportProcessTest, ASignalDuringAnExportLeavesNothingAndEndsWithThatSignal) {
  // Twenty minutes of sound: a render that takes far longer than the signal.
  std::ofstream(tuneFile) << "X:1\nT:Long\nL:1/1\nK:C\n" << corvale::testing::repeated("C8|\n", 100);
  for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
    TunedumpProcess process = start({"--export-wav", (folder / "long.wav").string(), "--standard", tuneFile.string(), "1"});
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (!partialFileIn(folder) && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(partialFileIn(folder)) << "the render never started";
    process.signal(number);
    const Ended ended = process.wait(std::chrono::seconds(10));
    ASSERT_TRUE(ended.inTime) << "still rendering after signal " << number;
    EXPECT_TRUE(WIFSIGNALED(ended.status) && WTERMSIG(ended.status) == number) << ended.status << ' ' << ended.err;
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{});
  }
}

TEST_F(ExportProcessTest, SettingsThatAreNotASettingsFileArePassedOverAtOnce) {
  const fs::path wav = folder / "short.wav";
  const fs::path fifo = root / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string name;
    fs::path settings;
    std::function<void(const fs::path&)> make;
    std::string said;
  };
  const std::vector<Case> cases{
      {"FIFO", settingsFile, [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }, "is a FIFO"},
      {"link to a FIFO", settingsFile, [&](const fs::path& p) { fs::create_symlink(fifo, p); }, "is a FIFO"},
      {"folder", settingsFile, [](const fs::path& p) { fs::create_directory(p); }, "is a folder"},
      {"larger than 1 MB", settingsFile,
       [](const fs::path& p) { std::ofstream(p) << "[sound]\n" << std::string(2 << 20, '#') << '\n'; },
       "is larger than 1 MB"},
      {"the fallback file a FIFO", home / "config" / "corvale.conf",
       [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }, "is a FIFO"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.make(c.settings);
    const Ended ended = run({"--export-wav", wav.string(), tuneFile.string(), "1"}, std::chrono::seconds(10));
    ASSERT_TRUE(ended.inTime) << "blocked opening the settings";
    EXPECT_TRUE(WIFEXITED(ended.status) && WEXITSTATUS(ended.status) == 0) << ended.err;
    EXPECT_NE(ended.err.find(c.settings.string() + " " + c.said), std::string::npos) << ended.err;
    EXPECT_NE(ended.err.find("passed over"), std::string::npos) << ended.err;
    EXPECT_GT(fs::file_size(wav), 44u);
    fs::remove_all(c.settings);
  }
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

TEST_F(ExportProcessTest, ASoundFontChosenBeforeThatCannotBeUsedIsSaid) {
  const fs::path wav = folder / "short.wav";
  const fs::path fifo = root / "font.sf2";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path garbage = root / "garbage.sf2";
  std::ofstream(garbage) << "not a SoundFont at all";
  for (const auto& [font, said] : std::vector<std::pair<fs::path, std::string>>{
           {fifo, "is a FIFO, not a regular file"},
           {root, "is a folder, not a regular file"},
           {"/dev/zero", "is a device, not a regular file"},
           {root / "gone.sf2", "is not there"},
           {garbage, "could not be loaded"}}) {
    std::ofstream(settingsFile) << "[sound]\nsoundFont=" << font.string() << '\n';
    const Ended ended = run({"--export-wav", wav.string(), tuneFile.string(), "1"});
    ASSERT_TRUE(ended.inTime) << font;
    EXPECT_TRUE(WIFEXITED(ended.status) && WEXITSTATUS(ended.status) == 0) << ended.err;
    EXPECT_NE(ended.err.find("The SoundFont " + font.string() + " chosen before " + said), std::string::npos)
        << ended.err;
    EXPECT_NE(ended.err.find("the built-in synthesiser uses"), std::string::npos) << ended.err;
    EXPECT_GT(fs::file_size(wav), 44u);
  }
}

}  // namespace
}  // namespace corvale
