#include "player/ui/line_widget.h"

#include <QPainter>
#include <QPen>
#include <QRect>

namespace corvale {

LineWidget::LineWidget(QPoint from, QPoint to, const QColor& colour, int width, QWidget* parent)
    : QWidget(parent), from_(from), to_(to), colour_(colour), width_(width) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  const int margin = width;
  setGeometry(QRect(from, to).normalized().adjusted(-margin, -margin, margin, margin));
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(from_ - pos(), to_ - pos());
}

}  // namespace corvale
