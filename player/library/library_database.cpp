#include "player/library/library_database.h"

#include <system_error>

namespace corvale {
namespace {

// Changed whenever the tables change, so an index of an older layout is made anew.
constexpr int kLayoutVersion = 2;

constexpr const char* kTables = R"sql(
CREATE TABLE files(
  id INTEGER PRIMARY KEY,
  path BLOB NOT NULL UNIQUE,
  modified INTEGER NOT NULL,
  size INTEGER NOT NULL);
CREATE TABLE tunes(
  id INTEGER PRIMARY KEY,
  file INTEGER NOT NULL REFERENCES files(id),
  number INTEGER NOT NULL,
  offset INTEGER NOT NULL,
  xnumber TEXT, title TEXT, titles TEXT,
  key TEXT, key_name TEXT,
  metre TEXT, metre_name TEXT,
  rhythm TEXT, rhythm_name TEXT,
  composer TEXT, source TEXT, origin TEXT,
  bars TEXT);
CREATE INDEX tunes_of_file ON tunes(file);
CREATE INDEX tunes_by_key ON tunes(key_name);
CREATE INDEX tunes_by_rhythm ON tunes(rhythm_name);
CREATE INDEX tunes_by_metre ON tunes(metre_name);
-- Prefixes of up to eight bytes are kept ready, so words typed so far are answered at once.
CREATE VIRTUAL TABLE tune_words USING fts5(words, detail=none, columnsize=0, prefix='1 2 3 4 5 6 7 8');
)sql";

void removeDatabaseFiles(const std::filesystem::path& file) {
  std::error_code ignored;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    std::filesystem::remove(file.string() + suffix, ignored);
  }
}

}  // namespace

LibraryDatabase::LibraryDatabase(const std::filesystem::path& file) : file_(file) {
  std::error_code ignored;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
  try {
    connection_ = std::make_unique<SqliteConnection>(file, SqliteConnection::Mode::ReadWrite);
    if (isSound()) {
      connection_->execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
      return;
    }
  } catch (const LibraryError& error) {
    if (!error.damaged()) throw;
  }
  rebuild();
}

std::unique_ptr<SqliteConnection> LibraryDatabase::openForSearching(const std::filesystem::path& file) {
  return std::make_unique<SqliteConnection>(file, SqliteConnection::Mode::ReadOnly);
}

bool LibraryDatabase::isSound() {
  // Never trusted blindly: a file cut short or scribbled over fails the check.
  if (connection_->text("PRAGMA quick_check") != "ok") return false;
  return connection_->integer("PRAGMA user_version") == kLayoutVersion;
}

void LibraryDatabase::rebuild() {
  connection_.reset();
  removeDatabaseFiles(file_);
  connection_ = std::make_unique<SqliteConnection>(file_, SqliteConnection::Mode::ReadWrite);
  connection_->execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
  createTables();
  rebuilt_ = true;
}

void LibraryDatabase::createTables() {
  connection_->execute("BEGIN");
  connection_->execute(kTables);
  connection_->execute("PRAGMA user_version=" + std::to_string(kLayoutVersion));
  connection_->execute("COMMIT");
}

}  // namespace corvale
