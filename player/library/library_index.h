#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "player/library/library_database.h"

namespace corvale {

struct FolderScan;

// What one pass over the music folder did.
struct IndexReport {
  int files = 0;       // tune files now in the index
  int read = 0;        // new or changed since the last pass, read again
  int unchanged = 0;   // same modification time and size: not read
  int removed = 0;     // gone from the folder, dropped from the index
  int unreadable = 0;  // files and folders that could not be read: skipped
  std::int64_t tunes = 0;  // tunes in the index afterwards
  bool rebuilt = false;    // the index was missing or damaged and made anew
  bool stopped = false;    // asked to stop before the end
};

// Told how far a pass has come: files looked at out of all found.
using IndexProgress = std::function<void(int done, int total)>;

// Keeps the index of a music folder in step with the folder.
class LibraryIndex {
 public:
  // Opens (or makes) the index file; see LibraryDatabase.
  explicit LibraryIndex(const std::filesystem::path& databaseFile);

  // Reads every tune file under `folder` that is new or changed since the last
  // pass, drops those gone, and leaves the rest as they are. A file that cannot
  // be read is counted and skipped; a database found damaged on the way is made
  // anew and the pass starts again. `stop` is asked between files.
  IndexReport update(const std::filesystem::path& folder, const IndexProgress& progress = {},
                     const std::function<bool()>& stop = {});

  std::int64_t tuneCount();

 private:
  IndexReport updateOnce(const std::filesystem::path& folder, const IndexProgress& progress,
                         const std::function<bool()>& stop);

  // A file as the index last saw it.
  struct KnownFile {
    std::int64_t id;
    std::int64_t modified;
    std::int64_t size;
  };
  void addAndDrop(SqliteConnection& db, const FolderScan& scan, std::map<std::string, KnownFile>& known,
                  const IndexProgress& progress, const std::function<bool()>& stop, IndexReport& report);
  static std::map<std::string, KnownFile> knownFiles(SqliteConnection& db);

  LibraryDatabase database_;
};

}  // namespace corvale
