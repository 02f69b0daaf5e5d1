#pragma once

#include <QPointer>
#include <QWidget>

namespace corvale {

// A clear frame around the control that has the keyboard focus, drawn over
// the window in its own yellow and black. It shows only while the keyboard is
// in use (from the first key press to the next mouse click), so the window
// looks as it always did to a musician using the mouse.
class FocusFrame : public QWidget {
 public:
  // `area` holds the controls; the frame is drawn in `parent`, which holds `area`.
  FocusFrame(QWidget& area, QWidget* parent);

  // The control framed, or nullptr when none is.
  QWidget* framed() const { return isVisible() ? target_.data() : nullptr; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void follow(QWidget* focused);
  void place();

  QWidget& area_;
  QPointer<QWidget> target_;
  bool keyboardInUse_ = false;
};

}  // namespace corvale
