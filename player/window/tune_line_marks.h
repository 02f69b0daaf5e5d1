#pragma once

#include <QStyledItemDelegate>
#include <cstddef>
#include <utility>

class QListWidget;

namespace corvale {

// The marks of the followed music in the tune's lines (List2): the line being
// played is the list's current line, kept in view, and the sounding note or chord
// inside it is framed. With no mark the lines look as they always have.
class TuneLineMarks : public QStyledItemDelegate {
 public:
  explicit TuneLineMarks(QListWidget& lines);

  // Marks line `line` (from 0) and the bytes `column` to `column + width` of its
  // UTF-8 text; a line past the list's end marks nothing.
  void mark(std::size_t line, std::size_t column, std::size_t width);
  void clear();
  // The marked line (-1: none) and the note's first and past-last characters in it.
  int markedRow() const { return markedRow_; }
  std::pair<int, int> markedCharacters() const { return {begin_, end_}; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  QListWidget& lines_;
  int markedRow_ = -1;
  int begin_ = 0;  // the marked characters, as the item's text counts them
  int end_ = 0;
};

}  // namespace corvale
