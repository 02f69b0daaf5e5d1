#pragma once

#include <filesystem>
#include <memory>

#include "player/library/sqlite_connection.h"

namespace corvale {

// The library index as a database file: a table of tune files (path bytes,
// modification time, size), a table of tunes (one row per tune with its fields),
// and a full-text index of every tune's folded words.
class LibraryDatabase {
 public:
  // Opens the index for writing, made anew from nothing when it is missing, of
  // another layout, or damaged (its integrity check fails, or it is no database).
  // `rebuilt()` says whether that happened. Throws LibraryError when no database
  // can be made there at all.
  explicit LibraryDatabase(const std::filesystem::path& file);

  // Opens an index only to search it: no check, nothing written. Throws
  // LibraryError when the file is missing or unreadable.
  static std::unique_ptr<SqliteConnection> openForSearching(const std::filesystem::path& file);

  SqliteConnection& connection() { return *connection_; }
  bool rebuilt() const { return rebuilt_; }

  // Throws the database away and starts it again empty (after a damage seen late).
  void rebuild();

 private:
  bool isSound();
  void createTables();

  std::filesystem::path file_;
  std::unique_ptr<SqliteConnection> connection_;
  bool rebuilt_ = false;
};

}  // namespace corvale
