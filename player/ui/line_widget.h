#pragma once

#include <QColor>
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

 private:
  QPoint from_;
  QPoint to_;
  QColor colour_;
  int width_;
};

}  // namespace corvale
