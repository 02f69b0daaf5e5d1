#include "player/library/library_search.h"

#include <QString>
#include <algorithm>

namespace corvale {
namespace {

// The longest prefix the full-text index keeps ready (see LibraryDatabase): a longer
// one would have the index merge every word it begins before the first answer.
constexpr std::size_t kIndexedPrefixBytes = 8;

// At most `bytes` bytes of a word, never cutting a character.
std::string_view headOf(std::string_view word, std::size_t bytes) {
  if (word.size() <= bytes) return word;
  while (bytes > 0 && (static_cast<unsigned char>(word[bytes]) & 0xC0) == 0x80) --bytes;
  return word.substr(0, bytes);
}

// Each folded word as a prefix term of the full-text index: folding leaves only
// letters and digits, and the quotes keep words such as "and" or "not" plain. A
// long word is looked for by its indexed head, the rest checked on the words found.
std::string fullTextQuery(const std::vector<std::string>& words) {
  std::string match;
  for (const std::string& word : words) {
    if (!match.empty()) match += ' ';
    match += '"' + std::string(headOf(word, kIndexedPrefixBytes)) + "\"*";
  }
  return match;
}

}  // namespace

SearchAnswer searchLibrary(SqliteConnection& db, const SearchQuery& query, int limit) {
  // Taken in the index's own order and stopped at the limit: sorting every match of a
  // word as short as "t" would cost more than the answer may take. The hits are
  // sorted by title afterwards.
  std::string sql = "SELECT t.title, t.key, t.rhythm, t.metre, f.path, t.number, t.xnumber FROM ";
  // With words, the full-text index leads and each tune is looked up by its row: a filter's
  // own index must not drive it, or the words would be matched once for every tune.
  sql += query.words.empty() ? "tunes t" : "tune_words w CROSS JOIN tunes t ON t.id = w.rowid";
  sql += " JOIN files f ON f.id = t.file WHERE 1";
  if (!query.words.empty()) sql += " AND tune_words MATCH ?1";
  if (!query.key.empty()) sql += " AND t.key_name = ?2";
  if (!query.rhythm.empty()) sql += " AND t.rhythm_name = ?3";
  if (!query.metre.empty()) sql += " AND t.metre_name = ?4";
  std::vector<std::string> longWords;
  for (const std::string& word : query.words) {
    if (word.size() <= kIndexedPrefixBytes) continue;
    longWords.push_back("% " + word + "%");
    sql += " AND (' ' || w.words) LIKE ?" + std::to_string(5 + longWords.size());
  }
  sql += " LIMIT ?5";

  SqliteStatement statement = db.prepare(sql);
  if (!query.words.empty()) statement.bind(1, fullTextQuery(query.words));
  if (!query.key.empty()) statement.bind(2, query.key);
  if (!query.rhythm.empty()) statement.bind(3, query.rhythm);
  if (!query.metre.empty()) statement.bind(4, query.metre);
  statement.bind(5, static_cast<std::int64_t>(limit) + 1);
  for (std::size_t i = 0; i < longWords.size(); ++i) statement.bind(static_cast<int>(6 + i), longWords[i]);

  SearchAnswer answer;
  while (statement.step()) {
    if (static_cast<int>(answer.hits.size()) == limit) {
      answer.more = true;
      break;
    }
    answer.hits.push_back({statement.text(0), statement.text(1), statement.text(2), statement.text(3),
                           std::filesystem::path(statement.text(4)), static_cast<std::uint64_t>(statement.integer(5)),
                           statement.text(6)});
  }
  std::stable_sort(answer.hits.begin(), answer.hits.end(), [](const LibraryHit& a, const LibraryHit& b) {
    return QString::compare(QString::fromStdString(a.title), QString::fromStdString(b.title), Qt::CaseInsensitive) < 0;
  });
  return answer;
}

}  // namespace corvale
