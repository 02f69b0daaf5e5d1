#pragma once

#include <QDialog>

namespace melodex {

// frmAbout: the modal box that tells which control this is, with the logo,
// the version, the publisher's notice and web address, and an OK button.
class AboutBox final : public QDialog {
 public:
  explicit AboutBox(QWidget* parent);
};

}  // namespace melodex
