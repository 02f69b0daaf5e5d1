#pragma once

#include <QElapsedTimer>
#include <QString>

class QAbstractItemView;

namespace corvale {

// Going to a list entry by typing its first letters, leading spaces of entries
// aside, case aside. Letters typed within a pause of each other add up, a space
// among them too; the same letter again goes on to the next entry beginning with it.
class TypeAhead {
 public:
  // The longest pause between two keys of one search.
  static constexpr int kPauseMilliseconds = 1000;

  // True while a search is being typed: the last key came within the pause.
  bool typing() const;

  // Adds `typed` to the search and makes the entry found current; nothing is
  // changed when no entry begins with what is typed.
  void search(QAbstractItemView& list, const QString& typed);

 private:
  QString typed_;
  QElapsedTimer sinceLastKey_;
};

}  // namespace corvale
