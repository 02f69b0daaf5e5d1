#include "player/window/message_area.h"

#include <QPalette>

namespace corvale {

MessageArea::MessageArea(QWidget* parent) : QLabel(parent) {
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::black);
  colours.setColor(QPalette::WindowText, Qt::white);
  setPalette(colours);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setWordWrap(true);
  setTextFormat(Qt::PlainText);
  hide();
}

void MessageArea::showMessage(const std::string& message) {
  message_ = message;
  // Paths have no spaces to wrap at: a zero-width space after each separator lets them break there.
  QString shown = QString::fromStdString(message);
  shown.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
  setText(shown);
  setToolTip(QString::fromStdString(message));
  show();
  raise();
}

}  // namespace corvale
