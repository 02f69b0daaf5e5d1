#pragma once

#include <QPixmap>

#include "player/window/display_box.h"

namespace corvale {

// One note box of the fingerboard. It keeps a picture of itself as the style
// last drew it and repaints from that picture: between two notes one box is
// hidden and the next shown, and drawing the style's frame and the caption
// anew each time costs more than the pause between the notes allows.
//
// After anything that changes the box's look (its text, selection or cursor,
// its size, colours, font or style, being enabled, hovered or focused, its
// window being activated) the box paints as the style draws it until the
// picture is drawn again, as soon as the window is next idle: Qt draws no
// widget into a picture while a paint is under way.
class NoteBox : public DisplayBox {
 public:
  NoteBox(const QString& caption, const QColor& background, QWidget* parent);

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void forgetLook();
  void drawLook();

  QPixmap look_;
  bool lookCurrent_ = false;
  bool redrawPending_ = false;
  bool drawingLook_ = false;
};

}  // namespace corvale
