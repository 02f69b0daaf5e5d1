// Indexing and searching a music folder the size of a large library: the first
// index of a generated folder, a second pass over it unchanged, and the answer
// time of searches a musician types (words as they are typed, filters, both).
// Prints its figures; the last three lines are first_index_ms, reindex_ms and
// search_p95_ms. Targets: 100,000 tunes in 20 files indexed within 30 s, the
// unchanged folder within 1 s, every answer within 50 ms.
// Usage: library_bench [--files F] [--tunes-per-file N] [--searches S]
// (20 files of 5,000 tunes, each query asked 20 times, by default)
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "player/library/library_index.h"
#include "player/library/library_search.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::array<const char*, 8> kWords{"Wind", "Barley", "Maggie", "Kesh", "Cooley's", "Gardens", "Spear", "Lark"};
constexpr std::array<const char*, 6> kKeys{"D", "G", "Ador", "Em", "Edor", "A"};
constexpr std::array<const char*, 5> kRhythms{"reel", "jig", "hornpipe", "polka", "slip jig"};
constexpr std::array<const char*, 5> kMetres{"4/4", "6/8", "C|", "2/4", "9/8"};

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void writeFolder(const std::filesystem::path& folder, int files, int tunesPerFile) {
  for (int f = 0; f < files; ++f) {
    std::ofstream out(folder / ("book" + std::to_string(f) + ".abc"));
    for (int t = 0; t < tunesPerFile; ++t) {
      const int n = f * tunesPerFile + t;
      const auto pick = [n](const auto& list, int salt) { return list[static_cast<std::size_t>((n / salt) % list.size())]; };
      out << "X:" << t + 1 << "\nT:The " << pick(kWords, 1) << ' ' << pick(kWords, 7) << ' ' << pick(kWords, 13) << "\nT:"
          << pick(kWords, 3) << "'s Fancy\nR:" << pick(kRhythms, 2) << "\nM:" << pick(kMetres, 5)
          << "\nC:Composer " << n % 997 << "\nO:Ireland\nS:Collection " << n % 53 << "\nL:1/8\nK:" << pick(kKeys, 11)
          << "\n|:ABc d2e|f3 e2d|cBA G2F|E2D z2C:|\n|:a2g fed|c'2b a2g|fedc B2A|G3 G2F:|\n\n";
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  int files = 20, tunesPerFile = 5000, searches = 20;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const int value = std::atoi(argv[i + 1]);
    if (option == "--files") files = value;
    if (option == "--tunes-per-file") tunesPerFile = value;
    if (option == "--searches") searches = value;
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "corvale-library-bench-XXXXXX").string();
  const std::filesystem::path root = ::mkdtemp(pattern.data());
  const std::filesystem::path folder = root / "music";
  const std::filesystem::path db = root / "library.sqlite";
  std::filesystem::create_directory(folder);
  writeFolder(folder, files, tunesPerFile);

  Clock::time_point start = Clock::now();
  const corvale::IndexReport first = corvale::LibraryIndex(db).update(folder);
  const double firstMs = millisecondsSince(start);
  start = Clock::now();
  const corvale::IndexReport again = corvale::LibraryIndex(db).update(folder);
  const double againMs = millisecondsSince(start);
  std::cout << "tunes\t" << first.tunes << "\nfiles\t" << first.files << "\nindex_mb\t"
            << static_cast<double>(std::filesystem::file_size(db)) / 1e6 << "\nreindex_read\t" << again.read << '\n';

  // As typed, letter by letter, and with filters.
  const std::vector<std::string> queries{"t",         "th",          "the",           "the w",      "the wind",
                                         "wind bar",  "cooleys",     "key:G",         "rhythm:reel", "rhythm:reel key:D",
                                         "metre:6/8 lark", "composer 5", "collection 12 jig", "zzz", ""};
  const auto connection = corvale::LibraryDatabase::openForSearching(db);
  std::vector<double> times;
  for (const std::string& query : queries) {
    std::vector<double> these;
    std::size_t found = 0;
    for (int i = 0; i < searches; ++i) {
      start = Clock::now();
      found = corvale::searchLibrary(*connection, corvale::parseSearchQuery(query), 500).hits.size();
      these.push_back(millisecondsSince(start));
    }
    std::sort(these.begin(), these.end());
    std::cout << "search\t\"" << query << "\"\thits " << found << "\tp50 " << these[these.size() / 2] << " ms\tmax "
              << these.back() << " ms\n";
    times.insert(times.end(), these.begin(), these.end());
  }
  std::sort(times.begin(), times.end());
  const double p95 = times[std::min(times.size() - 1, times.size() * 95 / 100)];
  std::cout << "search_p50_ms\t" << times[times.size() / 2] << "\nsearch_max_ms\t" << times.back()
            << "\nfirst_index_ms\t" << firstMs << "\nreindex_ms\t" << againMs << "\nsearch_p95_ms\t" << p95 << '\n';
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return 0;
}
