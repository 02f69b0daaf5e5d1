#pragma once

#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QListView>
#include <QString>

#include "tune/tune_index.h"

namespace corvale {

class TuneTitleModel;

// The list of a file's titles. Typing the first letters of a title goes to
// it, ignoring the spaces a title begins with (" Second" is found by "se"),
// case aside; letters typed in quick succession add up, and the same letter
// again goes on to the next title beginning with it. Tabbing into the list,
// or a moving key, always leaves a title chosen, even when the list has
// nowhere further to go. The titles are held compactly (TuneTitleModel).
class TuneList : public QListView {
 public:
  explicit TuneList(QWidget* parent);

  void setTitles(TuneTitles titles);
  int count() const;
  QString title(int row) const;

  // The row of the title with the keyboard's mark, or -1.
  int currentRow() const;
  // Marks a row; as a click does, unless `command` says otherwise.
  void setCurrentRow(int row);
  void setCurrentRow(int row, QItemSelectionModel::SelectionFlags command);
  // The chosen title's row, or -1 when none is chosen.
  int selectedRow() const;
  // Where a row is drawn, in the viewport.
  QRect rowRect(int row) const;

  void keyboardSearch(const QString& search) override;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void chooseMarkedTitle();

  TuneTitleModel* model_;
  QString typed_;
  QElapsedTimer sinceLastKey_;
};

}  // namespace corvale
