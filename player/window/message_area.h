#pragma once

#include <QLabel>
#include <string>

namespace corvale {

// Where the player tells the musician what went wrong (a file it cannot
// read, no sound output): white text on black in the place of the picture,
// so nothing covers a control or changes the window's size.
class MessageArea : public QLabel {
 public:
  explicit MessageArea(QWidget* parent);

  void showMessage(const std::string& message);
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

}  // namespace corvale
