#include "logo_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace melodex {

namespace {
constexpr int kSide = 64;
}

LogoPicture::LogoPicture(QWidget* parent) : QWidget(parent) {
  setObjectName("LogoPicture");
  setFixedSize(kSide, kSide);
}

void LogoPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(32, 64, 120));
  painter.drawRoundedRect(QRectF(1, 1, kSide - 2, kSide - 2), 10, 10);

  // Three staff lines behind the note.
  painter.setPen(QPen(QColor(160, 190, 230), 1.5));
  for (int line = 0; line < 3; ++line) painter.drawLine(QPointF(8, 22 + line * 10), QPointF(kSide - 8, 22 + line * 10));

  // An eighth note: head, stem and flag.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(250, 200, 60));
  painter.save();
  painter.translate(24, 44);
  painter.rotate(-20);
  painter.drawEllipse(QRectF(-8, -5.5, 16, 11));
  painter.restore();
  painter.setPen(QPen(QColor(250, 200, 60), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(31, 42), QPointF(31, 12));
  QPainterPath flag;
  flag.moveTo(31, 12);
  flag.cubicTo(38, 18, 46, 22, 42, 34);
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(flag);
}

}  // namespace melodex
