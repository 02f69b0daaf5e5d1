#pragma once

#include <QColor>
#include <QLineEdit>

namespace corvale {

// A text box the player writes and the musician only reads: the note boxes,
// the file path heading and the slider readouts. It takes no focus and no typing.
class DisplayBox : public QLineEdit {
 public:
  DisplayBox(const QString& text, const QColor& background, const QColor& foreground, QWidget* parent);

  void setBackground(const QColor& background);
  QColor background() const;
};

}  // namespace corvale
