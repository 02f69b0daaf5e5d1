#include "player/library/set_tunes.h"

#include <map>
#include <optional>

#include "player/library/text_folding.h"
#include "player/library/tune_record.h"
#include "tune/tune_file.h"

namespace corvale {
namespace {

// A tune file read once for all the set's tunes in it.
struct ReadFile {
  TuneFile file;
  std::vector<TuneRecord> records;
  std::string problem;
};

// Whether a record is the tune called `title`: the title as kept in the set may be
// the tune list's, cut short, so it need only begin one of the tune's titles.
bool isCalled(const TuneRecord& record, const std::string& foldedTitle) {
  if (foldForSearch(record.title()).starts_with(foldedTitle)) return true;
  for (const std::string& title : record.titles) {
    if (foldForSearch(title).starts_with(foldedTitle)) return true;
  }
  return false;
}

std::optional<std::uint64_t> placeOf(const ReadFile& read, const SetEntry& entry) {
  const std::string folded = foldForSearch(entry.title);
  if (entry.tune >= 1 && entry.tune <= read.records.size() && isCalled(read.records[entry.tune - 1], folded)) {
    return entry.tune;
  }
  if (folded.empty()) return std::nullopt;
  for (const TuneRecord& record : read.records) {
    if (isCalled(record, folded)) return record.number;
  }
  return std::nullopt;
}

}  // namespace

FoundSet findSetTunes(const TuneSet& set, Reading reading) {
  FoundSet found;
  std::map<std::string, ReadFile> files;
  TuneReader reader;
  for (const SetEntry& entry : set.entries) {
    auto [at, first] = files.try_emplace(entry.file.native());
    ReadFile& read = at->second;
    if (first) {
      try {
        read.file = readTuneFile(entry.file);
        read.records = readTuneRecords(read.file.lineStore.text());
      } catch (const TuneFileError& error) {
        read.problem = error.what();
      }
    }
    if (!read.problem.empty()) {
      found.problems.push_back("\"" + entry.title + "\" was left out of the set: " + read.problem + ".");
      continue;
    }
    const std::optional<std::uint64_t> number = placeOf(read, entry);
    if (!number) {
      found.problems.push_back("\"" + entry.title + "\" was left out of the set: " + entry.file.string() +
                               " no longer holds it.");
      continue;
    }
    found.tunes.push_back({reader.parse(read.file.lineStore, *number, reading), entry.times, entry.title, entry.file,
                           *number});
  }
  return found;
}

}  // namespace corvale
