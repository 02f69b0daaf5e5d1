#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::testing {

// A folder of its own for one test, removed after it.
class TemporaryFolder : public ::testing::Test {
 protected:
  TemporaryFolder();
  ~TemporaryFolder() override;
  // Writes `text` to `name` in the folder, making the folders it lies in.
  std::filesystem::path write(const std::filesystem::path& name, const std::string& text) const;
  // The names in `folder`, the test's own when none is given, sorted.
  std::vector<std::string> namesIn(const std::filesystem::path& folder = {}) const;

  std::filesystem::path root;
};

// tunedump run as a process of its own, as a user or a script runs it: its output
// thrown away, its errors kept. `environment` entries ("NAME=value") take the place of
// the inherited ones of their names; `addressSpaceBytes`, unless 0, limits its memory.
class TunedumpProcess {
 public:
  explicit TunedumpProcess(const std::vector<std::string>& args, const std::vector<std::string>& environment = {},
                           std::uint64_t addressSpaceBytes = 0);
  TunedumpProcess(const TunedumpProcess&) = delete;
  ~TunedumpProcess();  // kills it if it still runs

  void signal(int number) const;

  struct Ended {
    bool inTime = false;  // ended before the time allowed
    int status = 0;       // as waitpid gives it
    long peakKilobytes = 0;
    std::string err;
  };
  Ended wait(std::chrono::milliseconds allowed);

 private:
  std::filesystem::path errFile_;
  pid_t pid_ = -1;
};

// Makes a Unix socket at `path`, as a server would leave one; throws if it cannot.
void makeSocket(const std::filesystem::path& path);

// `text` written `times` times over.
std::string repeated(std::string_view text, int times);

struct DumpResult {
  int status;
  std::string out;
  std::string err;
};

// Runs tunedump with these arguments, as the command line would.
DumpResult runDump(const std::vector<std::string>& args);

// Runs tunedump on `fileText` with these tune numbers, as the command line would;
// `options` ("--midi", "--tempo 30", ...) come before the file.
DumpResult dumpTunes(std::string_view fileText, std::vector<std::string> tuneNumbers,
                     const std::vector<std::string>& options = {});

// A word of `tunedump --midi` and the virtual time in milliseconds it was sent at.
struct SentWord {
  long ms;
  std::uint32_t word;
  bool operator==(const SentWord&) const = default;
};

std::vector<SentWord> sentWordsOf(const std::string& dumpOutput);

// The event lines of tunedump's output, compactly: "60:1 62:0.5", a silent row as "rest:2",
// a chord note tied on past its chord as "note:0+heldFor"; lengths to four significant digits.
std::string rowsOf(const std::string& dumpOutput);

// The rows tune 1 of `fileText` plays under the standard reading with `options`, as rowsOf
// gives them, the lengths in eighths.
std::string standardRows(const std::string& fileText, std::vector<std::string> options = {});

// A tune body and the rows tunedump prints for it under the header X:1, T:T, K:`key`.
struct Play {
  std::string body;
  std::string rows;
  std::string key = "C";
};

void expectPlays(std::initializer_list<Play> plays);

}  // namespace corvale::testing
