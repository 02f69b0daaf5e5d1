#include "player/window/picture_box.h"

#include <QPainter>
#include <QRectF>

// The picture lives in this library's resources, which a program linking the
// library statically must register by name, from the global namespace.
static void registerPictureResources() { Q_INIT_RESOURCE(images); }

namespace corvale {
namespace {

// The picture's own size in pixels; the box around it is a little larger.
constexpr int kPictureWidth = 152;
constexpr int kPictureHeight = 145;

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  registerPictureResources();
  picture_.load(QStringLiteral(":/images/fiddle-and-banjo.svg"));
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  picture_.render(&painter, QRectF(0, 0, kPictureWidth, kPictureHeight));
}

}  // namespace corvale
