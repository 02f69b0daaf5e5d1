#include "player/window/tune_line_marks.h"

#include <QListWidget>
#include <QPainter>

namespace corvale {
namespace {

const QColor kNoteFill(255, 220, 0, 110);
const QColor kNoteFrame(200, 0, 0);

// How many characters of `text` the first `bytes` bytes of its UTF-8 form make.
int charactersIn(const QString& text, std::size_t bytes) {
  const QByteArray utf8 = text.toUtf8();
  const auto cut = static_cast<qsizetype>(std::min<std::size_t>(bytes, static_cast<std::size_t>(utf8.size())));
  return static_cast<int>(QString::fromUtf8(utf8.left(cut)).size());
}

}  // namespace

TuneLineMarks::TuneLineMarks(QListWidget& lines) : QStyledItemDelegate(&lines), lines_(lines) {
  lines_.setItemDelegate(this);
}

void TuneLineMarks::mark(std::size_t line, std::size_t column, std::size_t width) {
  if (line >= static_cast<std::size_t>(lines_.count())) return;
  const int row = static_cast<int>(line);
  QListWidgetItem* item = lines_.item(row);
  const QString& text = item->text();
  const int begin = charactersIn(text, column);
  const int end = width == 0 ? begin : charactersIn(text, column + width);
  if (row == markedRow_ && begin == begin_ && end == end_) return;
  const int before = markedRow_;
  markedRow_ = row;
  begin_ = begin;
  end_ = end;
  if (lines_.currentRow() != row) lines_.setCurrentRow(row);
  lines_.scrollToItem(item, QAbstractItemView::EnsureVisible);
  if (before >= 0 && before < lines_.count() && before != row) lines_.update(lines_.model()->index(before, 0));
  lines_.update(lines_.model()->index(row, 0));
}

void TuneLineMarks::clear() {
  if (markedRow_ < 0) return;
  const int before = std::exchange(markedRow_, -1);
  lines_.setCurrentRow(-1);
  lines_.clearSelection();
  if (before < lines_.count()) lines_.update(lines_.model()->index(before, 0));
}

void TuneLineMarks::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  if (index.row() != markedRow_ || end_ <= begin_) return;
  // The note's characters framed where the text draws them.
  QStyleOptionViewItem text = option;
  initStyleOption(&text, index);
  const QRect textArea = text.widget->style()->subElementRect(QStyle::SE_ItemViewItemText, &text, text.widget);
  const QFontMetrics metrics(text.font);
  const int margin = text.widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, text.widget) + 1;
  const int left = textArea.left() + margin + metrics.horizontalAdvance(text.text.left(begin_));
  const int right = textArea.left() + margin + metrics.horizontalAdvance(text.text.left(end_));
  const QRect note(left - 1, textArea.top() + 1, right - left + 2, textArea.height() - 2);
  painter->save();
  painter->fillRect(note, kNoteFill);
  painter->setPen(QPen(kNoteFrame, 2));
  painter->drawRect(note);
  painter->restore();
}

}  // namespace corvale
