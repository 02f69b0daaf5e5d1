#include "library_dump.h"

#include <charconv>
#include <ostream>

#include "dump_command_line.h"
#include "field_text.h"
#include "player/library/library_index.h"
#include "player/library/library_search.h"
#include "player/library/tune_finder.h"
#include "set_dump.h"
#include "tune/tune_file.h"
#include "tune_dump.h"

namespace corvale {
namespace {

constexpr const char* kUsage =
    "usage: tunedump --find WORDS FILE | --index FOLDER --db PATH | --search QUERY --db PATH [--limit N] | "
    "--play-set SETFILE [--tempo T] [--instrument FIDDLE|BANJO]";
constexpr int kDefaultLimit = 100;

// The mode's operand and the values of the options it allows.
struct LibraryCommandLine {
  std::string operand;
  std::string file;  // the second operand of --find
  std::string db;
  int limit = kDefaultLimit;
};

LibraryCommandLine parse(const std::vector<std::string>& args) {
  LibraryCommandLine line;
  std::vector<std::string> operands;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] != "--db" && args[i] != "--limit") {
      if (args[i].rfind("--", 0) == 0) throw DumpUsageError("unknown option \"" + args[i] + "\" (" + kUsage + ")");
      operands.push_back(args[i]);
      continue;
    }
    if (i + 1 == args.size()) throw DumpUsageError(args[i] + " needs a value (" + kUsage + ")");
    const std::string& value = args[++i];
    if (args[i - 1] == "--db") {
      line.db = value;
    } else if (const auto r = std::from_chars(value.data(), value.data() + value.size(), line.limit);
               !isAllDigits(value) || r.ec != std::errc() || line.limit < 1) {
      throw DumpUsageError("--limit takes a whole number from 1, not \"" + value + "\"");
    }
  }
  const std::size_t wanted = args.front() == "--find" ? 2 : 1;
  if (operands.size() != wanted) throw DumpUsageError(std::string(kUsage));
  line.operand = operands[0];
  if (wanted == 2) line.file = operands[1];
  if (args.front() != "--find" && line.db.empty()) throw DumpUsageError(args.front() + " needs --db PATH");
  return line;
}

int find(const LibraryCommandLine& line, std::ostream& out, Reading reading) {
  const TuneFile file = readTuneFile(line.file);
  const std::vector<TuneListEntry> entries = tuneListOf(file, reading);
  const TuneFinder finder(findableTexts(file.lineStore.text(), entries, reading));
  std::vector<TuneListEntry> found;
  for (const int row : finder.findAll(line.operand)) found.push_back(entries[static_cast<std::size_t>(row)]);
  writeTuneIndex(found, file.lineStore.text(), out);
  return 0;
}

int index(const LibraryCommandLine& line, std::ostream& out) {
  LibraryIndex library(line.db);
  // Files are kept by their whole path, so the index is the same from any working folder.
  const IndexReport report = library.update(std::filesystem::absolute(line.operand));
  out << "files\t" << report.files << "\nread\t" << report.read << "\nunchanged\t" << report.unchanged
      << "\nremoved\t" << report.removed << "\nunreadable\t" << report.unreadable << "\ntunes\t" << report.tunes
      << "\nrebuilt\t" << (report.rebuilt ? "yes" : "no") << '\n';
  return 0;
}

int search(const LibraryCommandLine& line, std::ostream& out) {
  const auto db = LibraryDatabase::openForSearching(line.db);
  const SearchAnswer answer = searchLibrary(*db, parseSearchQuery(line.operand), line.limit);
  for (const LibraryHit& hit : answer.hits) {
    out << "hit\t" << escapeControls(hit.title) << '\t' << escapeControls(hit.key) << '\t'
        << escapeControls(hit.rhythm) << '\t' << escapeControls(hit.metre) << '\t' << hit.number << '\t'
        << escapeControls(hit.file.string()) << '\n';
  }
  if (answer.more) out << "more\n";
  return 0;
}

}  // namespace

bool isLibraryMode(const std::vector<std::string>& args) {
  return !args.empty() &&
         (args.front() == "--find" || args.front() == "--index" || args.front() == "--search" ||
          args.front() == "--play-set");
}

int runLibraryMode(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, Reading reading) {
  if (args.front() == "--play-set") return runSetDump(args, out, err, reading);
  return runTellingBadInput(err, [&] {
    const LibraryCommandLine line = parse(args);
    try {
      if (args.front() == "--find") return find(line, out, reading);
      if (args.front() == "--index") return index(line, out);
      return search(line, out);
    } catch (const LibraryError& error) {
      err << "tunedump: " << error.what() << '\n';
      return 2;
    }
  });
}

}  // namespace corvale
