#include "player/window/tune_list.h"

#include <QApplication>
#include <algorithm>
#include <iterator>
#include <QFocusEvent>
#include <QKeyEvent>

#include "player/window/tune_title_model.h"

namespace corvale {
namespace {

QStringView withoutLeadingSpaces(const QString& title) {
  qsizetype start = 0;
  while (start < title.size() && title.at(start).isSpace()) ++start;
  return QStringView(title).mid(start);
}

}  // namespace

TuneList::TuneList(QWidget* parent) : QListView(parent), model_(new TuneTitleModel(this)) {
  setModel(model_);
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

void TuneList::focusInEvent(QFocusEvent* event) {
  QListView::focusInEvent(event);
  // Only Tab: the list taking over the focus from the hidden browser chooses nothing.
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) chooseMarkedTitle();
}

void TuneList::keyPressEvent(QKeyEvent* event) {
  QListView::keyPressEvent(event);
  static constexpr int kMovingKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp,
                                        Qt::Key_PageDown};
  if (std::find(std::begin(kMovingKeys), std::end(kMovingKeys), event->key()) != std::end(kMovingKeys)) {
    chooseMarkedTitle();
  }
}

void TuneList::keyboardSearch(const QString& search) {
  if (search.isEmpty() || count() == 0) return;
  if (!sinceLastKey_.isValid() || sinceLastKey_.elapsed() > QApplication::keyboardInputInterval()) typed_.clear();
  sinceLastKey_.start();
  const bool sameLetterAgain = typed_.size() == 1 && typed_ == search;
  if (!sameLetterAgain) typed_ += search;

  // One letter looks from the title after the current one, so that typing it
  // again goes on; more letters refine the search from the current title.
  const int current = currentRow();
  const int first = current < 0 ? 0 : typed_.size() == 1 ? current + 1 : current;
  for (int step = 0; step < count(); ++step) {
    const int row = (first + step) % count();
    if (withoutLeadingSpaces(title(row)).startsWith(typed_, Qt::CaseInsensitive)) {
      setCurrentRow(row);
      scrollTo(model_->index(row, 0));
      return;
    }
  }
}

}  // namespace corvale
