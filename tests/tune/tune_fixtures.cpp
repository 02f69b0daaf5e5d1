#include "tune_fixtures.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tune_dump.h"

namespace corvale::testing {

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "corvale-test-XXXXXX").string();
  root = ::mkdtemp(pattern.data());
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::permissions(root, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(root, ignored);
}

std::filesystem::path TemporaryFolder::write(const std::filesystem::path& name, const std::string& text) const {
  const std::filesystem::path path = root / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

void makeSocket(const std::filesystem::path& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.string().copy(address.sun_path, sizeof address.sun_path - 1);
  const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  if (!bound) throw std::runtime_error("cannot make the socket " + path.string());
}

std::vector<std::string> TemporaryFolder::namesIn(const std::filesystem::path& folder) const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? root : folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TunedumpProcess::TunedumpProcess(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                                 std::uint64_t addressSpaceBytes) {
  static int runs = 0;
  errFile_ = std::filesystem::temp_directory_path() /
             ("corvale-err-" + std::to_string(::getpid()) + "-" + std::to_string(runs++) + ".txt");
  std::vector<std::string> argv{CORVALE_TUNEDUMP};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (std::string& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ != 0) return;
  if (addressSpaceBytes != 0) {
    const rlimit limit{addressSpaceBytes, addressSpaceBytes};
    ::setrlimit(RLIMIT_AS, &limit);
  }
  for (const std::string& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
  ::dup2(::open("/dev/null", O_WRONLY), 1);
  ::dup2(::open(errFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
  ::execv(pointers[0], pointers.data());
  ::_exit(127);
}

TunedumpProcess::~TunedumpProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  std::filesystem::remove(errFile_);
}

void TunedumpProcess::signal(int number) const { ::kill(pid_, number); }

TunedumpProcess::Ended TunedumpProcess::wait(std::chrono::milliseconds allowed) {
  Ended ended;
  const auto deadline = std::chrono::steady_clock::now() + allowed;
  rusage usage{};
  while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
    if (::wait4(pid_, &ended.status, WNOHANG, &usage) == pid_) {
      pid_ = -1;
      ended.inTime = true;
      ended.peakKilobytes = usage.ru_maxrss;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  std::ifstream err(errFile_);
  ended.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
  return ended;
}

std::string repeated(std::string_view text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

DumpResult runDump(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = runTuneDump(args, out, err);
  return {status, out.str(), err.str()};
}

DumpResult dumpTunes(std::string_view fileText, std::vector<std::string> tuneNumbers,
                     const std::vector<std::string>& options) {
  // A file of its own per call and process: ctest may run these tests side by side.
  static int calls = 0;
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
      ("corvale-tune-" + std::to_string(::getpid()) + "-" + std::to_string(calls++) + ".abc");
  std::ofstream(path, std::ios::binary) << fileText;
  tuneNumbers.insert(tuneNumbers.begin(), path.string());
  tuneNumbers.insert(tuneNumbers.begin(), options.begin(), options.end());
  DumpResult result = runDump(tuneNumbers);
  std::filesystem::remove(path);
  return result;
}

std::vector<SentWord> sentWordsOf(const std::string& dumpOutput) {
  std::vector<SentWord> words;
  std::istringstream lines(dumpOutput);
  std::string tag, word;
  long ms = 0;
  while (lines >> tag >> ms >> word) words.push_back({ms, static_cast<std::uint32_t>(std::stoul(word, nullptr, 16))});
  return words;
}

std::string rowsOf(const std::string& dumpOutput) {
  std::istringstream lines(dumpOutput);
  std::string rows;
  for (std::string line; std::getline(lines, line);) {
    std::string tag, note, velocity, channel, duration, held;
    std::istringstream(line) >> tag >> note >> velocity >> channel >> duration >> held;
    if (tag != "event") continue;
    char length[48];
    std::snprintf(length, sizeof length, "%.4g", std::stod(duration));
    rows += (rows.empty() ? "" : " ") + (velocity == "0" ? "rest" : note) + ':' + length;
    if (!held.empty()) {
      std::snprintf(length, sizeof length, "+%.4g", std::stod(held));
      rows += length;
    }
  }
  return rows;
}

std::string standardRows(const std::string& fileText, std::vector<std::string> options) {
  options.insert(options.begin(), "--standard");
  return rowsOf(dumpTunes(fileText, {"1"}, options).out);
}

void expectPlays(std::initializer_list<Play> plays) {
  for (const Play& play : plays) {
    SCOPED_TRACE("K:" + play.key + " body: " + play.body);
    EXPECT_EQ(rowsOf(dumpTunes("X:1\nT:T\nK:" + play.key + "\n" + play.body + "\n", {"1"}).out), play.rows);
  }
}

}  // namespace corvale::testing
