#pragma once

#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "player/library/sqlite_connection.h"
#include "player/library/tune_set.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QStandardItemModel;
class QTableView;

namespace corvale {

class LibraryIndexer;
struct IndexReport;

// The Find in Music Folder window: a search field answered as one types (words
// in any field, `key:`, `rhythm:` and `metre:` filters) and a sortable table of
// the tunes found, with the indexing's progress. Double-click or Enter opens the
// tune; Ctrl+D adds it to the set.
class LibraryWindow : public QWidget {
 public:
  using OpenTune = std::function<void(const std::filesystem::path& file, std::uint64_t tune)>;
  using AddToSet = std::function<void(const SetEntry& entry)>;

  LibraryWindow(LibraryIndexer& indexer, OpenTune openTune, AddToSet addToSet, QWidget* parent);
  ~LibraryWindow() override;

  void showFor(const QString& musicFolder);
  void search();

  QLineEdit* field() const { return field_; }
  QTableView* results() const { return results_; }
  QLabel* status() const { return status_; }

  // The tune of a results row as a set holds it; nothing for no row.
  std::optional<SetEntry> entryOf(int row) const;

 private:
  void showProgress(int done, int total);
  void indexingEnded(const IndexReport& report);
  void openRow(int row);
  int currentRow() const;

  LibraryIndexer& indexer_;
  OpenTune openTune_;
  AddToSet addToSet_;
  QLineEdit* field_;
  QLabel* status_;
  QProgressBar* progress_;
  QTableView* results_;
  QStandardItemModel* model_;
  QString musicFolder_;
  std::unique_ptr<SqliteConnection> database_;
};

}  // namespace corvale
