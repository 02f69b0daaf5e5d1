#include "player/library/tune_finder.h"

#include "player/library/text_folding.h"
#include "player/library/tune_record.h"

namespace corvale {

std::vector<std::string> findableTexts(std::string_view utf8Text, const std::vector<TuneListEntry>& entries,
                                       Reading reading) {
  std::vector<std::string> texts;
  texts.reserve(entries.size());
  if (reading == Reading::Classic) {
    for (const TuneListEntry& entry : entries) texts.push_back(foldForSearch(entry.title(utf8Text)));
    return texts;
  }
  const std::vector<TuneRecord> records = readTuneRecords(utf8Text);
  for (const TuneListEntry& entry : entries) {
    std::string text = entry.title(utf8Text);
    if (entry.tune >= 1 && entry.tune <= records.size()) text += ' ' + records[entry.tune - 1].searchableText();
    texts.push_back(foldForSearch(text));
  }
  return texts;
}

std::optional<int> TuneFinder::find(std::string_view query, int from, Direction direction, bool fromCounts) const {
  const std::vector<std::string> words = searchWords(query);
  const int count = static_cast<int>(texts_.size());
  if (words.empty() || count == 0) return std::nullopt;
  const int step = direction == Direction::Forward ? 1 : -1;
  if (from < 0 || from >= count) {
    from = direction == Direction::Forward ? 0 : count - 1;
    fromCounts = true;
  }
  int row = fromCounts ? from : from + step;
  for (int tried = 0; tried < count; ++tried, row += step) {
    row = (row % count + count) % count;
    if (containsEveryWord(words, texts_[static_cast<std::size_t>(row)])) return row;
  }
  return std::nullopt;
}

std::vector<int> TuneFinder::findAll(std::string_view query) const {
  const std::vector<std::string> words = searchWords(query);
  std::vector<int> rows;
  if (words.empty()) return rows;
  for (std::size_t row = 0; row < texts_.size(); ++row) {
    if (containsEveryWord(words, texts_[row])) rows.push_back(static_cast<int>(row));
  }
  return rows;
}

}  // namespace corvale
