#include "player/window/note_box.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace corvale {

NoteBox::NoteBox(const QString& caption, const QColor& background, QWidget* parent)
    : DisplayBox(caption, background, Qt::black, parent) {
  connect(this, &QLineEdit::textChanged, this, [this] { forgetLook(); });
  connect(this, &QLineEdit::selectionChanged, this, [this] { forgetLook(); });
  connect(this, &QLineEdit::cursorPositionChanged, this, [this] { forgetLook(); });
  forgetLook();
}

bool NoteBox::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      forgetLook();
      break;
    default:
      break;
  }
  return DisplayBox::event(event);
}

// Palette, font, style, enabled state, activation and the like.
void NoteBox::changeEvent(QEvent* event) {
  forgetLook();
  DisplayBox::changeEvent(event);
}

void NoteBox::resizeEvent(QResizeEvent* event) {
  forgetLook();
  DisplayBox::resizeEvent(event);
}

void NoteBox::forgetLook() {
  lookCurrent_ = false;
  if (redrawPending_) return;
  redrawPending_ = true;
  QMetaObject::invokeMethod(this, &NoteBox::drawLook, Qt::QueuedConnection);
}

void NoteBox::drawLook() {
  redrawPending_ = false;
  const qreal pixelRatio = devicePixelRatioF();
  look_ = QPixmap(size() * pixelRatio);
  look_.setDevicePixelRatio(pixelRatio);
  // What lies under the style's rounded corners shows through, as when the style draws on the window.
  look_.fill(Qt::transparent);
  drawingLook_ = true;
  render(&look_, QPoint(), QRegion(), {});
  drawingLook_ = false;
  lookCurrent_ = true;
}

void NoteBox::paintEvent(QPaintEvent* event) {
  if (drawingLook_ || !lookCurrent_ || look_.devicePixelRatio() != devicePixelRatioF()) {
    DisplayBox::paintEvent(event);
    return;
  }
  const qreal pixelRatio = look_.devicePixelRatio();
  QPainter painter(this);
  for (const QRect& exposed : event->region()) {
    painter.drawPixmap(exposed, look_,
                       QRectF(exposed.topLeft() * pixelRatio, exposed.size() * pixelRatio).toAlignedRect());
  }
}

}  // namespace corvale
