// Speed of the standard ABC reading beside the classic one: the tune list of a large
// generated collection, and the parse time per tune over it and over a folder of real
// tune files. Prints its figures, the standard and the classic side by side.
// Usage: abc_bench [--tunes N] [--corpus DIR] (40,000 tunes, about 20 MB, by default)
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

#include "abc/abc_book.h"
#include "abc/abc_tune_reader.h"
#include "abc/tune_reading.h"
#include "tune/tune_file.h"
#include "tune/tune_parser.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::array<std::string_view, 6> kKeys{"D", " Gmaj", "Ador", "E Minor", "Bb", "Amix"};

// A tune of about 500 bytes with what full ABC collections hold: a file header unit,
// comments, chord symbols, broken rhythm, ties, chords, repeats and endings, rolls,
// triplets, grace notes, rests and lyrics.
void writeTune(std::ofstream& out, int number) {
  out << "X:" << number << "\nT:Generated tune " << number << "\n% written by the benchmark\n"
      << "M:6/8\nR:jig\nK:" << kKeys[static_cast<std::size_t>(number) % kKeys.size()] << "\n"
      << "|:\"D\"A>Bc d2e|\"G\"~f3 e2d|(3cBA G2F|{g}E2D z2C|\"Am7\"A,B,C D2E|F3- F2A|[B3d3] c2d|e3 f2:|\n"
      << "|1 D3 d2c:|2 D3 D2||\"Em\"e/f/g/a/ b2a|g2f e2d|c2B A2G|F2E D2C|B,2A, G,2A,|B,3 C3|\n"
      << "|:a2g fed|c'2b a2g|f/e/d/c/ B2A|G3 G2F|E2D C2B,|A,2B, C2D|E2F G2A|B3 B2:|\n"
      << "\"D\"d2c B2A|\"G\"G2F E2D|^C2D =F2G|_B2A G2F|E2D C2D|E2F G2A|B2c d2e|f3 f3||\n"
      << "|:\"G\"g2f g2a|b2a g2f|e2d e2f|g3 d3|B2A B2c|d2c B2A|G2F G2A|B3 G3|D2E F2G|A3 D3:|\n"
      << "w: lyrics line that never sounds\n\n";
}

std::filesystem::path generateCollection(int tunes) {
  const auto path = std::filesystem::temp_directory_path() / ("corvale-abc-bench-" + std::to_string(::getpid()) + ".abc");
  std::ofstream out(path, std::ios::binary);
  out << "%abc-2.1\nL:1/8\n\n";
  for (int n = 1; n <= tunes; ++n) writeTune(out, n);
  return path;
}

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Parse time per tune of one file under each reading, in microseconds, added to the totals.
struct ParseTotals {
  std::uint64_t tunes = 0;
  double standardMs = 0;
  double classicMs = 0;
  std::uint64_t standardRows = 0;
};

void parseEveryTune(const corvale::TuneFile& file, ParseTotals& totals) {
  const std::uint64_t tuneCount = file.lineStore.tuneCount();
  corvale::TuneReader reader;
  auto start = Clock::now();
  for (std::uint64_t n = 1; n <= tuneCount; ++n) {
    totals.standardRows += static_cast<std::uint64_t>(
        reader.parse(file.lineStore, n, corvale::Reading::Standard).events.count());
  }
  totals.standardMs += millisecondsSince(start);
  corvale::TuneParser parser;
  start = Clock::now();
  for (std::uint64_t n = 1; n <= file.tuneIndex.size(); ++n) parser.parse(file.lineStore, n);
  totals.classicMs += millisecondsSince(start);
  totals.tunes += tuneCount;
}

void printTotals(std::string_view name, const ParseTotals& totals, std::uint64_t classicTunes) {
  const double standardUs = totals.standardMs * 1000.0 / static_cast<double>(std::max<std::uint64_t>(totals.tunes, 1));
  const double classicUs = totals.classicMs * 1000.0 / static_cast<double>(std::max<std::uint64_t>(classicTunes, 1));
  std::cout << name << "_tunes " << totals.tunes << '\n'
            << name << "_standard_rows " << totals.standardRows << '\n'
            << name << "_standard_parse_us_per_tune " << standardUs << '\n'
            << name << "_classic_parse_us_per_tune " << classicUs << '\n'
            << name << "_standard_to_classic " << standardUs / classicUs << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  int tunes = 40000;
  std::filesystem::path corpus;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string_view(argv[i]) == "--tunes") tunes = std::max(1, std::atoi(argv[i + 1]));
    if (std::string_view(argv[i]) == "--corpus") corpus = argv[i + 1];
  }
  const std::filesystem::path path = generateCollection(tunes);
  const corvale::TuneFile file = corvale::readTuneFile(path);
  std::filesystem::remove(path);

  double bestListMs = 1e300;
  std::size_t listed = 0;
  for (int run = 0; run < 5; ++run) {
    const auto start = Clock::now();
    listed = corvale::abc::AbcBook(file.lineStore.text()).tuneList().size();
    bestListMs = std::min(bestListMs, millisecondsSince(start));
  }
  std::cout << "generated_tunes_listed " << listed << '\n' << "generated_standard_list_ms " << bestListMs << '\n';
  ParseTotals generated;
  parseEveryTune(file, generated);
  printTotals("generated", generated, file.tuneIndex.size());

  if (!corpus.empty() && std::filesystem::is_directory(corpus)) {
    ParseTotals real;
    std::uint64_t classicTunes = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
      if (entry.path().extension() != ".abc") continue;
      const corvale::TuneFile tuneFile = corvale::readTuneFile(entry.path());
      parseEveryTune(tuneFile, real);
      classicTunes += tuneFile.tuneIndex.size();
    }
    printTotals("corpus", real, classicTunes);
  }
  return 0;
}
