#include "player/window/eliding_label.h"

#include <QPainter>
#include <QStyle>

namespace corvale {

void ElidingLabel::paintEvent(QPaintEvent* event) {
  const QRect room = contentsRect();
  if (fontMetrics().horizontalAdvance(text()) <= room.width()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(),
                        fontMetrics().elidedText(text(), Qt::ElideRight, room.width()), foregroundRole());
}

}  // namespace corvale
