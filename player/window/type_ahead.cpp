#include "player/window/type_ahead.h"

#include <QAbstractItemView>

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

void TypeAhead::search(QAbstractItemView& list, const QString& typed) {
  const QAbstractItemModel* entries = list.model();
  const int count = entries ? entries->rowCount() : 0;
  if (typed.isEmpty() || count == 0) return;
  if (!typing()) typed_.clear();
  sinceLastKey_.start();
  const bool sameLetterAgain = typed_.size() == 1 && typed_ == typed;
  if (!sameLetterAgain) typed_ += typed;

  // One letter looks from the entry after the current one, so that typing it
  // again goes on; more letters refine the search from the current entry.
  const int current = list.currentIndex().isValid() ? list.currentIndex().row() : -1;
  const int first = current < 0 ? 0 : typed_.size() == 1 ? current + 1 : current;
  for (int step = 0; step < count; ++step) {
    const QModelIndex entry = entries->index((first + step) % count, 0);
    if (withoutLeadingSpaces(entry.data(Qt::DisplayRole).toString()).startsWith(typed_, Qt::CaseInsensitive)) {
      list.setCurrentIndex(entry);
      list.scrollTo(entry);
      return;
    }
  }
}

}  // namespace corvale
