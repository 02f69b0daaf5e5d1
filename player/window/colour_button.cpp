#include "player/window/colour_button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace corvale {

ColourButton::ColourButton(const QString& caption, const QColor& background, QWidget* parent)
    : QPushButton(caption, parent) {
  setBackground(background);
}

void ColourButton::setBackground(const QColor& background) {
  background_ = background;
  // A style sheet is the one way every Qt style honours a button's fill; the
  // raised border and its pressed look keep it reading as a button.
  const QString fill = background.name();
  const QString light = background.lighter(150).name();
  const QString dark = background.darker(200).name();
  setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black; "
                               "border: 2px solid; border-color: %2 %3 %3 %2; }"
                               "QPushButton:pressed { border-color: %3 %2 %2 %3; }")
                    .arg(fill, light, dark));
}

void ColourButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);
  painter.setPen(Qt::black);
  constexpr int kBorder = 2;
  painter.drawText(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder), Qt::AlignCenter | Qt::TextWordWrap, text());
}

void ColourButton::keyPressEvent(QKeyEvent* event) {
  const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
  if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

}  // namespace corvale
