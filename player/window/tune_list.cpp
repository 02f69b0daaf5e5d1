#include "player/window/tune_list.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>
#include <iterator>

#include "player/window/eliding_delegate.h"
#include "player/window/tune_title_model.h"

namespace corvale {

TuneList::TuneList(QWidget* parent) : QListView(parent), model_(new TuneTitleModel(this)) {
  setModel(model_);
  setItemDelegate(new ElidingDelegate(this));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Every title is one line of the same font: rows are laid out without measuring
  // each, which keeps a list of millions quick.
  setUniformItemSizes(true);
}

void TuneList::setTitles(TuneTitles titles) { model_->setTitles(std::move(titles)); }

int TuneList::count() const { return model_->rowCount(); }

QString TuneList::title(int row) const { return model_->title(row); }

int TuneList::currentRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }

void TuneList::setCurrentRow(int row) { setCurrentIndex(model_->index(row, 0)); }

void TuneList::setCurrentRow(int row, QItemSelectionModel::SelectionFlags command) {
  selectionModel()->setCurrentIndex(model_->index(row, 0), command);
}

int TuneList::selectedRow() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.front().row();
}

QRect TuneList::rowRect(int row) const { return visualRect(model_->index(row, 0)); }

// The keyboard's focus puts the current mark on the first title without
// choosing it: Space would then start nothing, and Down on a list of one
// title, or Home on the first, would move nowhere and choose nothing.
void TuneList::chooseMarkedTitle() {
  if (selectedRow() < 0 && currentIndex().isValid()) {
    selectionModel()->select(currentIndex(), QItemSelectionModel::Select);
  }
}

bool TuneList::isTypedSpace(const QKeyEvent& key) const {
  return key.key() == Qt::Key_Space && key.modifiers() == Qt::NoModifier && typeAhead_.typing();
}

bool TuneList::event(QEvent* event) {
  // A space typed within a title goes to the search, ahead of the window's Start / Stop.
  if (event->type() == QEvent::ShortcutOverride && isTypedSpace(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QListView::event(event);
}

void TuneList::focusInEvent(QFocusEvent* event) {
  QListView::focusInEvent(event);
  // Only Tab: the list taking over the focus from the hidden browser chooses nothing.
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) chooseMarkedTitle();
}

void TuneList::keyPressEvent(QKeyEvent* event) {
  if (isTypedSpace(*event)) {
    keyboardSearch(QStringLiteral(" "));
    return;
  }
  QListView::keyPressEvent(event);
  static constexpr int kMovingKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp,
                                        Qt::Key_PageDown};
  if (std::find(std::begin(kMovingKeys), std::end(kMovingKeys), event->key()) != std::end(kMovingKeys)) {
    chooseMarkedTitle();
  }
}

void TuneList::keyboardSearch(const QString& search) { typeAhead_.search(*this, search); }

}  // namespace corvale
