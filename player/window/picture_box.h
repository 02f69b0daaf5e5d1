#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace corvale {

// The picture of a fiddle and a banjo shown beside the buttons until a file
// is chosen. Purely decoration: a click does nothing.
class PictureBox : public QWidget {
 public:
  explicit PictureBox(QWidget* parent);

  // True when the picture was found in the program's resources.
  bool hasPicture() const { return picture_.isValid(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSvgRenderer picture_;
};

}  // namespace corvale
