#pragma once

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace corvale {

// A straight line between two points of the window, with a colour and a
// width in pixels. It covers only the rectangle around the line and lets
// clicks through to whatever lies under it.
class LineWidget : public QWidget {
 public:
  LineWidget(QPoint from, QPoint to, const QColor& colour, int width, QWidget* parent);

  QPoint from() const { return from_; }
  QPoint to() const { return to_; }
  QColor colour() const { return colour_; }
  int lineWidth() const { return width_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The line drawn once on a transparent picture of the widget's size: a
  // note box lit or put out over the line repaints only a piece of it, and
  // copying that piece is far cheaper than stroking a wide line again.
  const QPixmap& drawnLine();

  QPoint from_;
  QPoint to_;
  QColor colour_;
  int width_;
  QPixmap drawnLine_;
};

}  // namespace corvale
