#pragma once

#include <QColor>
#include <QPushButton>

namespace corvale {

// A push button drawn in its own background colour, as the start button
// (green or red) and the instrument button (orange) are.
class ColourButton : public QPushButton {
 public:
  ColourButton(const QString& caption, const QColor& background, QWidget* parent);

  void setBackground(const QColor& background);
  QColor background() const { return background_; }

 protected:
  // Draws the caption over as many lines as the button needs: "CLICK TO
  // START" is wider than the button in a bold face.
  void paintEvent(QPaintEvent* event) override;
  // Return and Enter press the focused button, as Space does.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QColor background_;
};

}  // namespace corvale
