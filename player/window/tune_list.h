#pragma once

#include <QListWidget>
#include <QString>

#include "player/window/type_ahead.h"

namespace corvale {

// The list of a file's titles. Typing the first letters of a title goes to
// it (see TypeAhead): while a title is being typed Space is one of its letters,
// and only after the pause does it start the tune as everywhere in the window.
// Tabbing into the list, or a moving key, always leaves a title chosen, even
// when the list has nowhere further to go. A title too long for the list ends
// in "…" and shows whole when pointed at.
class TuneList : public QListWidget {
 public:
  explicit TuneList(QWidget* parent);

  void keyboardSearch(const QString& search) override;

 protected:
  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void chooseMarkedTitle();
  bool isTypedSpace(const QKeyEvent& key) const;

  TypeAhead typeAhead_;
};

}  // namespace corvale
