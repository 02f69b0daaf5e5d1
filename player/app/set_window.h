#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

#include "player/library/tune_set.h"

class QTableWidget;

namespace corvale {

// The Set window: the tunes of the current set in the order they are played,
// each with the times it is played, to reorder, remove, play, save and open.
// The current set is kept in `keptIn` whenever it changes, so the next run
// starts with it.
class SetWindow : public QWidget {
 public:
  using PlaySet = std::function<void(const TuneSet& set)>;
  using ShowMessage = std::function<void(const QString& message)>;

  SetWindow(std::filesystem::path keptIn, PlaySet playSet, ShowMessage showMessage, QWidget* parent);

  const TuneSet& set() const { return set_; }
  void add(const SetEntry& entry);
  void replace(const TuneSet& set);
  void removeRow(int row);
  void moveRow(int row, int by);
  void setTimes(int row, int times);
  void play();

  QTableWidget* table() const { return table_; }

 private:
  void openSetFile();
  void saveSetFile();
  void refill(int currentRow);
  void keep();

  std::filesystem::path keptIn_;
  PlaySet playSet_;
  ShowMessage showMessage_;
  TuneSet set_;
  QTableWidget* table_;
};

}  // namespace corvale
