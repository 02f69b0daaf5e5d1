#include "player/window/line_widget.h"

#include <QLineF>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <optional>

namespace corvale {
namespace {

// Whether the segment has a point inside the rectangle or on its edges.
bool segmentMeets(const QLineF& segment, const QRectF& area) {
  if (area.contains(segment.p1()) || area.contains(segment.p2())) return true;
  const QLineF edges[] = {{area.topLeft(), area.topRight()},
                          {area.topRight(), area.bottomRight()},
                          {area.bottomRight(), area.bottomLeft()},
                          {area.bottomLeft(), area.topLeft()}};
  for (const QLineF& edge : edges) {
    if (segment.intersects(edge) == QLineF::BoundedIntersection) return true;
  }
  return false;
}

}  // namespace

LineWidget::LineWidget(QPoint from, QPoint to, const QColor& colour, int width, QWidget* parent)
    : QWidget(parent), from_(from), to_(to), colour_(colour), width_(width) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  const int margin = width;
  setGeometry(QRect(from, to).normalized().adjusted(-margin, -margin, margin, margin));
}

const QPixmap& LineWidget::drawnLine() {
  const qreal pixelRatio = devicePixelRatioF();
  if (drawnLine_.isNull() || drawnLine_.devicePixelRatio() != pixelRatio) {
    drawnLine_ = QPixmap(size() * pixelRatio);
    drawnLine_.setDevicePixelRatio(pixelRatio);
    drawnLine_.fill(Qt::transparent);
    QPainter painter(&drawnLine_);
    painter.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from_ - pos(), to_ - pos());
  }
  return drawnLine_;
}

void LineWidget::paintEvent(QPaintEvent* event) {
  // Between two notes only the two boxes' squares are repainted, and the
  // rectangle around a slanting line is mostly empty: only the pieces of the
  // line inside those squares are copied, and a square the line misses costs nothing.
  const QLineF line(from_ - pos(), to_ - pos());
  std::optional<QPainter> painter;
  for (const QRect& exposed : event->region()) {
    const QRectF nearLine = QRectF(exposed).adjusted(-width_, -width_, width_, width_);
    if (!segmentMeets(line, nearLine)) continue;
    const QPixmap& picture = drawnLine();
    const qreal pixelRatio = picture.devicePixelRatio();
    if (!painter) painter.emplace(this);
    painter->drawPixmap(exposed, picture,
                        QRectF(exposed.topLeft() * pixelRatio, exposed.size() * pixelRatio).toAlignedRect());
  }
}

// The picture holds the line at the widget's place and size; a move or a
// resize draws it again.
void LineWidget::moveEvent(QMoveEvent*) { drawnLine_ = QPixmap(); }

void LineWidget::resizeEvent(QResizeEvent*) { drawnLine_ = QPixmap(); }

}  // namespace corvale
