#include "player/app/focus_frame.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace corvale {
namespace {

constexpr int kWidth = 4;

}  // namespace

FocusFrame::FocusFrame(QWidget& area, QWidget* parent) : QWidget(parent), area_(area) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
  qApp->installEventFilter(this);
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (!keyboardInUse_) {
        keyboardInUse_ = true;
        place();
      }
      break;
    case QEvent::MouseButtonPress:
      if (keyboardInUse_) {
        keyboardInUse_ = false;
        place();
      }
      break;
    case QEvent::Hide:
      if (watched == target_) place();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void FocusFrame::follow(QWidget* focused) {
  target_ = focused && area_.isAncestorOf(focused) ? focused : nullptr;
  place();
}

void FocusFrame::place() {
  if (!keyboardInUse_ || !target_ || !target_->isVisible()) {
    hide();
    return;
  }
  setGeometry(QRect(target_->mapTo(parentWidget(), QPoint(0, 0)), target_->size()));
  show();
  raise();
  update();
}

void FocusFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect outer = rect();
  // Yellow on every control's colour, lined with black against yellow ones.
  for (int ring = 0; ring < kWidth; ++ring) {
    painter.setPen(ring == kWidth - 1 ? QColor(Qt::black) : QColor(255, 255, 0));
    painter.drawRect(outer.adjusted(ring, ring, -ring - 1, -ring - 1));
  }
}

}  // namespace corvale
