#include "player/window/tune_list.h"

#include <QApplication>
#include <algorithm>
#include <iterator>
#include <QFocusEvent>
#include <QKeyEvent>

namespace corvale {
namespace {

QStringView withoutLeadingSpaces(const QString& title) {
  qsizetype start = 0;
  while (start < title.size() && title.at(start).isSpace()) ++start;
  return QStringView(title).mid(start);
}

}  // namespace

TuneList::TuneList(QWidget* parent) : QListWidget(parent) {}

// The keyboard's focus puts the current mark on the first title without
// choosing it: Space would then start nothing, and Down on a list of one
// title, or Home on the first, would move nowhere and choose nothing.
void TuneList::chooseMarkedTitle() {
  if (selectedItems().isEmpty() && currentItem()) currentItem()->setSelected(true);
}

void TuneList::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  // Only Tab: the list taking over the focus from the hidden browser chooses nothing.
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) chooseMarkedTitle();
}

void TuneList::keyPressEvent(QKeyEvent* event) {
  QListWidget::keyPressEvent(event);
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
    if (withoutLeadingSpaces(item(row)->text()).startsWith(typed_, Qt::CaseInsensitive)) {
      setCurrentRow(row);
      scrollToItem(item(row));
      return;
    }
  }
}

}  // namespace corvale
