#include "player/window/eliding_delegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>

namespace corvale {

ElidingDelegate::ElidingDelegate(QAbstractItemView* list) : QStyledItemDelegate(list), list_(list) {}

void ElidingDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, withinView(option), index);
}

bool ElidingDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                const QModelIndex& index) {
  if (event->type() != QEvent::ToolTip) return QStyledItemDelegate::helpEvent(event, view, option, index);
  const QString text = index.data(Qt::DisplayRole).toString();
  const QStyleOptionViewItem shown = withinView(option);
  if (QStyledItemDelegate::sizeHint(option, index).width() > shown.rect.width()) {
    QToolTip::showText(event->globalPos(), text, view);
  } else {
    QToolTip::hideText();
  }
  return true;
}

QStyleOptionViewItem ElidingDelegate::withinView(const QStyleOptionViewItem& option) const {
  QStyleOptionViewItem shown = option;
  shown.rect.setRight(std::min(shown.rect.right(), list_->viewport()->width() - 1));
  shown.textElideMode = Qt::ElideRight;
  return shown;
}

}  // namespace corvale
