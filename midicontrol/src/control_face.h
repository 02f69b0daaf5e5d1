#pragma once

#include <QPointer>
#include <QWidget>

namespace melodex {

class AboutBox;

// The control's look on its host's window: the face with InfoLabel, a child
// of the window, and the About box it opens. Exists only for a host that has
// a window, so a control driven by a tool or a test builds no widget.
class ControlFace {
 public:
  explicit ControlFace(QWidget* window);
  ~ControlFace();
  ControlFace(const ControlFace&) = delete;
  ControlFace& operator=(const ControlFace&) = delete;

  QWidget* widget() const { return face_; }
  // Creates the About box the first time, then shows it modally.
  void showAbout();

 private:
  QPointer<QWidget> window_;
  QPointer<QWidget> face_;
  QPointer<AboutBox> aboutBox_;
};

}  // namespace melodex
