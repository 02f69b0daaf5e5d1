#pragma once

#include <QLabel>

namespace corvale {

// A label whose text, when wider than the label, ends in "…" on its one line
// instead of breaking mid-word onto a line the label has no room for. Its size
// and face are the caller's, and text() is always the whole text.
class ElidingLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace corvale
