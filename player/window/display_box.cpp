#include "player/window/display_box.h"

#include <QPalette>

namespace corvale {

DisplayBox::DisplayBox(const QString& text, const QColor& background, const QColor& foreground, QWidget* parent)
    : QLineEdit(text, parent) {
  setReadOnly(true);
  setFocusPolicy(Qt::NoFocus);
  setContextMenuPolicy(Qt::NoContextMenu);
  // Nothing is dropped into a box the musician only reads: a file dropped on it goes to the window.
  setAcceptDrops(false);
  QPalette colours = palette();
  colours.setColor(QPalette::Text, foreground);
  setPalette(colours);
  setBackground(background);
  // Leading spaces are part of the captions (" G,#"), so the text is never scrolled.
  setCursorPosition(0);
}

void DisplayBox::setBackground(const QColor& background) {
  QPalette colours = palette();
  colours.setColor(QPalette::Base, background);
  setPalette(colours);
}

QColor DisplayBox::background() const { return palette().color(QPalette::Base); }

}  // namespace corvale
