#include "player/ui/tune_list.h"

#include <QApplication>

namespace corvale {
namespace {

QStringView withoutLeadingSpaces(const QString& title) {
  qsizetype start = 0;
  while (start < title.size() && title.at(start).isSpace()) ++start;
  return QStringView(title).mid(start);
}

}  // namespace

TuneList::TuneList(QWidget* parent) : QListWidget(parent) {}

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
