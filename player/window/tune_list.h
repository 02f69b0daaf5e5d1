#pragma once

#include <QItemSelectionModel>
#include <QListView>
#include <QString>

#include "player/window/type_ahead.h"
#include "tune/tune_index.h"

namespace corvale {

class TuneTitleModel;

// The list of a file's titles. Typing the first letters of a title goes to
// it (see TypeAhead): while a title is being typed Space is one of its letters,
// and only after the pause does it start the tune as everywhere in the window.
// Tabbing into the list, or a moving key, always leaves a title chosen, even
// when the list has nowhere further to go. A title too long for the list ends
// in "…" and shows whole when pointed at. The titles are held compactly
// (TuneTitleModel).
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
  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void chooseMarkedTitle();
  bool isTypedSpace(const QKeyEvent& key) const;

  TuneTitleModel* model_;
  TypeAhead typeAhead_;
};

}  // namespace corvale
