#include "tune_fixtures.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "tune/tune_file.h"
#include "tune_dump.h"

namespace corvale::testing {

namespace {

// A tune file on disk for as long as it lives.
class TempTuneFile {
 public:
  explicit TempTuneFile(std::string_view bytes) {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("corvale-tune-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".abc");
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~TempTuneFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  TempTuneFile(const TempTuneFile&) = delete;
  TempTuneFile& operator=(const TempTuneFile&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

ParsedTune parseTune(const std::string& fileText, std::uint64_t tune) {
  const TuneFile file = readTuneText(fileText);
  return TuneParser().parse(file.lineStore, tune);
}

std::string rowsOf(const ParsedTune& tune) {
  std::string rows;
  for (int i = 1; i <= tune.events.count(); ++i) {
    const NoteEvent& event = tune.events.row(i);
    if (!rows.empty()) rows += ' ';
    rows += event.velocity == 0 ? "rest" : formatNumber(event.note);
    rows += ':' + formatNumber(event.duration);
  }
  return rows;
}

std::string playBody(std::string_view body, std::string_view key) {
  return rowsOf(parseTune("X:1\nT:T\nK:" + std::string(key) + "\n" + std::string(body) + "\n"));
}

DumpResult dumpTunes(std::string_view fileText, const std::vector<std::string>& tuneNumbers) {
  const TempTuneFile file(fileText);
  std::vector<std::string> args{file.path().string()};
  args.insert(args.end(), tuneNumbers.begin(), tuneNumbers.end());
  std::ostringstream out;
  std::ostringstream err;
  const int status = runTuneDump(args, out, err);
  return {status, out.str(), err.str()};
}

std::string dumpedNotes(const std::string& dumpOutput) {
  std::istringstream lines(dumpOutput);
  std::string line;
  std::string notes;
  while (std::getline(lines, line)) {
    if (!line.starts_with("event\t")) continue;
    const std::size_t noteEnd = line.find('\t', 6);
    if (!notes.empty()) notes += ' ';
    notes += line.substr(6, noteEnd - 6);
  }
  return notes;
}

}  // namespace corvale::testing
