#include "player/library/library_search.h"

namespace corvale {
namespace {

// Each folded word as a prefix term of the full-text index: folding leaves only
// letters and digits, and the quotes keep words such as "and" or "not" plain.
std::string fullTextQuery(const std::vector<std::string>& words) {
  std::string match;
  for (const std::string& word : words) {
    if (!match.empty()) match += ' ';
    match += '"' + word + "\"*";
  }
  return match;
}

}  // namespace

SearchAnswer searchLibrary(SqliteConnection& db, const SearchQuery& query, int limit) {
  std::string sql =
      "SELECT t.title, t.key, t.rhythm, t.metre, f.path, t.number, t.xnumber FROM tunes t "
      "JOIN files f ON f.id = t.file WHERE 1";
  if (!query.words.empty()) sql += " AND t.id IN (SELECT rowid FROM tune_words WHERE tune_words MATCH ?1)";
  if (!query.key.empty()) sql += " AND t.key_name = ?2";
  if (!query.rhythm.empty()) sql += " AND t.rhythm_name = ?3";
  if (!query.metre.empty()) sql += " AND t.metre_name = ?4";
  sql += " ORDER BY t.title COLLATE NOCASE, t.id LIMIT ?5";

  SqliteStatement statement = db.prepare(sql);
  if (!query.words.empty()) statement.bind(1, fullTextQuery(query.words));
  if (!query.key.empty()) statement.bind(2, query.key);
  if (!query.rhythm.empty()) statement.bind(3, query.rhythm);
  if (!query.metre.empty()) statement.bind(4, query.metre);
  statement.bind(5, static_cast<std::int64_t>(limit) + 1);

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
  return answer;
}

}  // namespace corvale
