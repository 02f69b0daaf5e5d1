#include "player/window/type_ahead.h"

#include <QListWidget>

namespace corvale {
namespace {

QStringView withoutLeadingSpaces(const QString& text) {
  qsizetype start = 0;
  while (start < text.size() && text.at(start).isSpace()) ++start;
  return QStringView(text).mid(start);
}

}  // namespace

bool TypeAhead::typing() const {
  return !typed_.isEmpty() && sinceLastKey_.isValid() && sinceLastKey_.elapsed() <= kPauseMilliseconds;
}

void TypeAhead::search(QListWidget& list, const QString& typed) {
  if (typed.isEmpty() || list.count() == 0) return;
  if (!typing()) typed_.clear();
  sinceLastKey_.start();
  const bool sameLetterAgain = typed_.size() == 1 && typed_ == typed;
  if (!sameLetterAgain) typed_ += typed;

  // One letter looks from the entry after the current one, so that typing it
  // again goes on; more letters refine the search from the current entry.
  const int current = list.currentRow();
  const int first = current < 0 ? 0 : typed_.size() == 1 ? current + 1 : current;
  for (int step = 0; step < list.count(); ++step) {
    const int row = (first + step) % list.count();
    if (withoutLeadingSpaces(list.item(row)->text()).startsWith(typed_, Qt::CaseInsensitive)) {
      list.setCurrentRow(row);
      list.scrollToItem(list.item(row));
      return;
    }
  }
}

}  // namespace corvale
