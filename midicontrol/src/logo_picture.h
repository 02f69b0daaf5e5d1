#pragma once

#include <QWidget>

namespace melodex {

// The library's logo, drawn rather than loaded, so the About box needs no
// file beside the library: three staff lines and an eighth note on a
// rounded tile.
class LogoPicture final : public QWidget {
 public:
  explicit LogoPicture(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace melodex
