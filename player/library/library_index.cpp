#include "player/library/library_index.h"

#include <map>
#include <string>

#include "player/library/folder_scan.h"
#include "player/library/search_query.h"
#include "player/library/text_folding.h"
#include "player/library/tune_record.h"
#include "tune/regular_file.h"
#include "tune/utf8_text.h"

namespace corvale {
namespace {

// Committed in batches, so a search meanwhile sees whole files, and a pass cut
// short keeps what it has done.
constexpr int kTunesPerCommit = 5000;

std::string tuneText(const std::filesystem::path& path) {
  std::string bytes = readRegularFile(path);
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  if (!isValidUtf8(bytes)) widenLatin1ToUtf8(bytes);
  return bytes;
}

std::string joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += " / ";
    text += part;
  }
  return text;
}

// The statements of one pass, prepared once.
class IndexWriter {
 public:
  explicit IndexWriter(SqliteConnection& db)
      : db_(db),
        dropWords_(db.prepare("DELETE FROM tune_words WHERE rowid IN (SELECT id FROM tunes WHERE file=?1)")),
        dropTunes_(db.prepare("DELETE FROM tunes WHERE file=?1")),
        dropFile_(db.prepare("DELETE FROM files WHERE id=?1")),
        addFile_(db.prepare("INSERT INTO files(path, modified, size) VALUES(?1, ?2, ?3)")),
        addTune_(db.prepare("INSERT INTO tunes(file, number, offset, xnumber, title, titles, key, key_name, "
                            "metre, metre_name, rhythm, rhythm_name, composer, source, origin, bars) "
                            "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16)")),
        addWords_(db.prepare("INSERT INTO tune_words(rowid, words) VALUES(?1, ?2)")) {}

  void drop(std::int64_t fileId) {
    dropWords_.bind(1, fileId).run();
    dropTunes_.bind(1, fileId).run();
    dropFile_.bind(1, fileId).run();
  }

  // Adds the file with its tunes; returns how many tunes.
  int add(const FoundFile& file, const std::vector<TuneRecord>& records) {
    addFile_.bindBytes(1, file.path.native()).bind(2, file.modified).bind(3, file.size).run();
    const std::int64_t fileId = lastRow();
    for (const TuneRecord& r : records) {
      addTune_.bind(1, fileId).bind(2, static_cast<std::int64_t>(r.number)).bind(3, static_cast<std::int64_t>(r.byteOffset));
      addTune_.bind(4, r.xNumber).bind(5, r.title()).bind(6, joined(r.titles)).bind(7, r.key).bind(8, keyName(r.key));
      addTune_.bind(9, r.metre).bind(10, metreName(r.metre)).bind(11, r.rhythm).bind(12, rhythmName(r.rhythm));
      addTune_.bind(13, r.composer).bind(14, r.source).bind(15, r.origin).bind(16, r.firstBars).run();
      addWords_.bind(1, lastRow()).bind(2, foldForSearch(r.searchableText())).run();
    }
    return static_cast<int>(records.size());
  }

 private:
  std::int64_t lastRow() { return db_.lastInsertedRow(); }

  SqliteConnection& db_;
  SqliteStatement dropWords_, dropTunes_, dropFile_, addFile_, addTune_, addWords_;
};

}  // namespace

std::map<std::string, LibraryIndex::KnownFile> LibraryIndex::knownFiles(SqliteConnection& db) {
  std::map<std::string, KnownFile> known;
  SqliteStatement files = db.prepare("SELECT path, id, modified, size FROM files");
  while (files.step()) known[files.text(0)] = {files.integer(1), files.integer(2), files.integer(3)};
  return known;
}

LibraryIndex::LibraryIndex(const std::filesystem::path& databaseFile) : database_(databaseFile) {}

IndexReport LibraryIndex::update(const std::filesystem::path& folder, const IndexProgress& progress,
                                 const std::function<bool()>& stop) {
  const bool rebuiltAtOpen = database_.rebuilt();
  try {
    IndexReport report = updateOnce(folder, progress, stop);
    report.rebuilt = rebuiltAtOpen;
    return report;
  } catch (const LibraryError& error) {
    if (!error.damaged()) throw;
  }
  database_.rebuild();
  IndexReport report = updateOnce(folder, progress, stop);
  report.rebuilt = true;
  return report;
}

IndexReport LibraryIndex::updateOnce(const std::filesystem::path& folder, const IndexProgress& progress,
                                     const std::function<bool()>& stop) {
  SqliteConnection& db = database_.connection();
  IndexReport report;
  const FolderScan scan = scanMusicFolder(folder, stop);
  report.unreadable = scan.unreadable;
  std::map<std::string, KnownFile> known = knownFiles(db);
  db.execute("BEGIN");
  try {
    addAndDrop(db, scan, known, progress, stop, report);
  } catch (...) {
    try {
      db.execute("ROLLBACK");
    } catch (const LibraryError&) {
      // The first failure is the one to report.
    }
    throw;
  }
  db.execute("COMMIT");
  if (progress && !report.stopped) progress(static_cast<int>(scan.files.size()), static_cast<int>(scan.files.size()));
  report.files = static_cast<int>(db.integer("SELECT count(*) FROM files"));
  report.tunes = tuneCount();
  return report;
}

void LibraryIndex::addAndDrop(SqliteConnection& db, const FolderScan& scan, std::map<std::string, KnownFile>& known,
                              const IndexProgress& progress, const std::function<bool()>& stop, IndexReport& report) {
  IndexWriter writer(db);
  int pendingTunes = 0;
  const int total = static_cast<int>(scan.files.size());
  for (int done = 0; done < total; ++done) {
    if (stop && stop()) {
      report.stopped = true;
      break;
    }
    if (progress) progress(done, total);
    const FoundFile& file = scan.files[static_cast<std::size_t>(done)];
    const auto old = known.find(file.path.native());
    if (old != known.end()) {
      const KnownFile kept = old->second;
      known.erase(old);
      if (kept.modified == file.modified && kept.size == file.size) {
        ++report.unchanged;
        continue;
      }
      writer.drop(kept.id);
    }
    std::vector<TuneRecord> records;
    try {
      records = readTuneRecords(tuneText(file.path));
    } catch (const TuneFileError&) {
      ++report.unreadable;
      continue;
    } catch (const std::bad_alloc&) {
      ++report.unreadable;
      continue;
    }
    pendingTunes += writer.add(file, records);
    ++report.read;
    if (pendingTunes >= kTunesPerCommit) {
      db.execute("COMMIT; BEGIN");
      pendingTunes = 0;
    }
  }
  // Files no longer found are dropped, unless the pass was cut short before seeing them all.
  if (!report.stopped) {
    for (const auto& [path, gone] : known) {
      writer.drop(gone.id);
      ++report.removed;
    }
  }
}

std::int64_t LibraryIndex::tuneCount() { return database_.connection().integer("SELECT count(*) FROM tunes"); }

}  // namespace corvale
