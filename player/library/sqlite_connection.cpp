#include "player/library/sqlite_connection.h"

#include <sqlite3.h>

#include <utility>

namespace corvale {
namespace {

[[noreturn]] void fail(sqlite3* db, int code, std::string_view doing) {
  throw LibraryError(std::string(doing) + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(code)), code);
}

}  // namespace

bool LibraryError::damaged() const {
  const int primary = code_ & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

SqliteConnection::SqliteConnection(const std::filesystem::path& file, Mode mode) {
  const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  const int code = sqlite3_open_v2(file.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  if (code != SQLITE_OK) {
    const std::string message = std::string("cannot open the library index ") + file.string() + ": " +
                                (db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code));
    sqlite3_close(db_);
    db_ = nullptr;
    throw LibraryError(message, code);
  }
  // The window searches while the index is written aside; a short wait for the writer.
  sqlite3_busy_timeout(db_, 5000);
  sqlite3_extended_result_codes(db_, 1);
}

SqliteConnection::~SqliteConnection() { sqlite3_close(db_); }

void SqliteConnection::execute(std::string_view sql) {
  char* message = nullptr;
  const int code = sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &message);
  if (code != SQLITE_OK) {
    const std::string what = message ? message : sqlite3_errstr(code);
    sqlite3_free(message);
    throw LibraryError("library index: " + what, code);
  }
}

std::int64_t SqliteConnection::lastInsertedRow() const { return sqlite3_last_insert_rowid(db_); }

SqliteStatement SqliteConnection::prepare(std::string_view sql) { return SqliteStatement(*this, sql); }

std::int64_t SqliteConnection::integer(std::string_view sql) {
  SqliteStatement statement(*this, sql);
  return statement.step() ? statement.integer(0) : 0;
}

std::string SqliteConnection::text(std::string_view sql) {
  SqliteStatement statement(*this, sql);
  return statement.step() ? statement.text(0) : std::string();
}

SqliteStatement::SqliteStatement(SqliteConnection& connection, std::string_view sql) : connection_(&connection) {
  const int code = sqlite3_prepare_v2(connection.handle(), sql.data(), static_cast<int>(sql.size()), &statement_,
                                      nullptr);
  if (code != SQLITE_OK) fail(connection.handle(), code, "library index");
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : connection_(other.connection_), statement_(std::exchange(other.statement_, nullptr)) {}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
  sqlite3_bind_int64(statement_, index, value);
  return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
  sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  return *this;
}

SqliteStatement& SqliteStatement::bindBytes(int index, std::string_view bytes) {
  sqlite3_bind_blob(statement_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
  return *this;
}

bool SqliteStatement::step() {
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  sqlite3_reset(statement_);
  fail(connection_->handle(), code, "library index");
}

void SqliteStatement::run() {
  while (step()) {
  }
  reset();
}

void SqliteStatement::reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

std::int64_t SqliteStatement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::string SqliteStatement::text(int column) const {
  const void* bytes = sqlite3_column_blob(statement_, column);
  const int size = sqlite3_column_bytes(statement_, column);
  return bytes ? std::string(static_cast<const char*>(bytes), static_cast<std::size_t>(size)) : std::string();
}

}  // namespace corvale
