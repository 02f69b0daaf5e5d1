#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "player/library/search_query.h"
#include "player/library/sqlite_connection.h"

namespace corvale {

// One tune found in the library: what the results table shows and where it is.
struct LibraryHit {
  std::string title;
  std::string key;
  std::string rhythm;
  std::string metre;
  std::filesystem::path file;
  std::uint64_t number = 0;  // the tune counted among the file's X: lines
  std::string xNumber;
};

struct SearchAnswer {
  std::vector<LibraryHit> hits;  // by title
  bool more = false;             // more tunes match than the limit let through: the
                                 // hits are then the first in the library's order
};

// The tunes of the index that hold every word of `query` (each word beginning a
// word of any field) and pass its filters, at most `limit` of them. A query with
// nothing in it lists the library from its first tune.
SearchAnswer searchLibrary(SqliteConnection& db, const SearchQuery& query, int limit);

}  // namespace corvale
