// Reading, indexing and parsing speed on a large generated tune collection, and the
// time and peak memory of listing a file of nothing but empty lines.
// Prints its figures; the last three lines are index_ms, parse_us_per_tune and
// index_peak_mb. Memory targets: the peak while listing any file stays under twice
// the file plus 50 MB.
// Usage: tune_bench [--tunes N] [--empty-mb M] (40,000 tunes, about 20 MB, and 100 MB
// of empty lines by default; --empty-mb 0 leaves the empty lines out)
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "tune/tune_file.h"
#include "tune/tune_parser.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::array<std::string_view, 6> kKeys{"D", "G", "Ador", "Em", "F Major", "A"};

// A tune of about 500 bytes with the things real collections hold: comments, chords,
// repeats and endings, rolls, triplets, grace notes and rests.
void writeTune(std::ofstream& out, int number) {
  out << "X:" << number << "\nT:Generated tune " << number << "\n% written by the benchmark\n"
      << "M:6/8\nL:1/8\nK:" << kKeys[static_cast<std::size_t>(number) % kKeys.size()] << "\n"
      << "|:\"D\"ABc d2e|\"G\"~f3 e2d|(3cBA G2F|{g}E2D z2C|\"Am\"A,B,C D2E|F3 G2A|B3 c2d|e3 f2:|\n"
      << "|1 D3 d2c:|2 D3 D2||\"Em\"e/f/g/a/ b2a|g2f e2d|c2B A2G|F2E D2C|B,2A, G,2A,|B,3 C3|\n"
      << "|:a2g fed|c'2b a2g|f/e/d/c/ B2A|G3 G2F|E2D C2B,|A,2B, C2D|E2F G2A|B3 B2:|\n"
      << "\"D\"d2c B2A|\"G\"G2F E2D|^C2D =F2G|_B2A G2F|E2D C2D|E2F G2A|B2c d2e|f3 f3||\n"
      << "|:\"G\"g2f g2a|b2a g2f|e2d e2f|g3 d3|B2A B2c|d2c B2A|G2F G2A|B3 G3|D2E F2G|A3 D3:|\n"
      << "w: lyrics line that sounds as notes\n\n";
}

std::filesystem::path generateCollection(int tunes) {
  const auto path = std::filesystem::temp_directory_path() / ("corvale-bench-" + std::to_string(::getpid()) + ".abc");
  std::ofstream out(path, std::ios::binary);
  out << "%abc-2.1\n% A generated collection\n\n";
  for (int n = 1; n <= tunes; ++n) writeTune(out, n);
  return path;
}

std::filesystem::path generateEmptyLines(int megabytes) {
  const auto path =
      std::filesystem::temp_directory_path() / ("corvale-bench-empty-" + std::to_string(::getpid()) + ".abc");
  std::ofstream out(path, std::ios::binary);
  const std::string block(1 << 20, '\n');
  for (int mb = 0; mb < megabytes; ++mb) out << block;
  return path;
}

// Peak resident memory of this process since the last reset, in MB.
double peakResidentMb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

void resetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  int tunes = 40000;
  int emptyMb = 100;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string_view(argv[i]) == "--tunes") tunes = std::max(1, std::atoi(argv[i + 1]));
    if (std::string_view(argv[i]) == "--empty-mb") emptyMb = std::max(0, std::atoi(argv[i + 1]));
  }
  if (emptyMb > 0) {
    const std::filesystem::path emptyPath = generateEmptyLines(emptyMb);
    resetPeakResident();
    const double before = peakResidentMb();
    const auto start = Clock::now();
    const std::size_t listed = corvale::readTuneFile(emptyPath).tuneIndex.size();
    const double listMs = millisecondsSince(start);
    std::filesystem::remove(emptyPath);
    std::cout << "empty_lines_mb " << emptyMb << '\n'
              << "empty_lines_listed " << listed << '\n'
              << "empty_lines_ms " << listMs << '\n'
              << "empty_lines_peak_mb " << peakResidentMb() << '\n'
              << "empty_lines_peak_target_mb " << before + 2.0 * emptyMb + 50 << '\n';
  }
  const std::filesystem::path path = generateCollection(tunes);
  const double fileMb = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);

  resetPeakResident();
  double bestIndexMs = 1e300;
  corvale::TuneFile file;
  for (int run = 0; run < 5; ++run) {
    file = corvale::TuneFile{};
    const auto start = Clock::now();
    file = corvale::readTuneFile(path);
    bestIndexMs = std::min(bestIndexMs, millisecondsSince(start));
    if (run == 0) std::cout << "index_first_peak_mb " << peakResidentMb() << '\n';
  }
  const double indexPeakMb = peakResidentMb();

  corvale::TuneParser parser;
  std::uint64_t events = 0;
  const auto parseStart = Clock::now();
  for (std::uint64_t n = 1; n <= file.tuneIndex.size(); ++n) {
    events += static_cast<std::uint64_t>(parser.parse(file.lineStore, n).events.count());
  }
  const double parseUs = millisecondsSince(parseStart) * 1000.0 / static_cast<double>(file.tuneIndex.size());
  std::filesystem::remove(path);

  std::cout << "file_mb " << fileMb << '\n'
            << "index_peak_target_mb " << 2.0 * fileMb + 50 << '\n'
            << "tunes_listed " << file.tuneIndex.size() << '\n'
            << "events_total " << events << '\n'
            << "index_ms " << bestIndexMs << '\n'
            << "parse_us_per_tune " << parseUs << '\n'
            << "index_peak_mb " << indexPeakMb << '\n';
  return 0;
}
