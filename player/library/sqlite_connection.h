#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace corvale {

// A database call that failed; what() says which and why. `damaged()` is true when
// SQLite found the file corrupt or not a database at all.
class LibraryError : public std::runtime_error {
 public:
  LibraryError(const std::string& what, int code) : std::runtime_error(what), code_(code) {}
  int code() const { return code_; }
  bool damaged() const;

 private:
  int code_;
};

class SqliteStatement;

// One open SQLite database file, closed with the object.
class SqliteConnection {
 public:
  enum class Mode { ReadWrite, ReadOnly };

  SqliteConnection(const std::filesystem::path& file, Mode mode);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  // Runs statements that return no rows.
  void execute(std::string_view sql);
  SqliteStatement prepare(std::string_view sql);
  // The first column of the first row of a query returning one value.
  std::int64_t integer(std::string_view sql);
  std::string text(std::string_view sql);

  std::int64_t lastInsertedRow() const;

  sqlite3* handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// A prepared statement: bind values from 1, step through the rows, read columns from 0.
class SqliteStatement {
 public:
  SqliteStatement(SqliteConnection& connection, std::string_view sql);
  ~SqliteStatement();
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;
  SqliteStatement& operator=(SqliteStatement&&) = delete;

  SqliteStatement& bind(int index, std::int64_t value);
  SqliteStatement& bind(int index, std::string_view text);
  // The bytes as they stand, for file names in any encoding.
  SqliteStatement& bindBytes(int index, std::string_view bytes);

  // True while there is a row to read; false once done.
  bool step();
  // step() to the end, and back to the start for the next bindings.
  void run();
  void reset();

  std::int64_t integer(int column) const;
  std::string text(int column) const;

 private:
  SqliteConnection* connection_;
  sqlite3_stmt* statement_ = nullptr;
};

}  // namespace corvale
