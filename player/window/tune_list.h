#pragma once

#include <QElapsedTimer>
#include <QListWidget>
#include <QString>

namespace corvale {

// The list of a file's titles. Typing the first letters of a title goes to
// it, ignoring the spaces a title begins with (" Second" is found by "se"),
// case aside; letters typed in quick succession add up, and the same letter
// again goes on to the next title beginning with it. Tabbing into the list,
// or a moving key, always leaves a title chosen, even when the list has
// nowhere further to go.
class TuneList : public QListWidget {
 public:
  explicit TuneList(QWidget* parent);

  void keyboardSearch(const QString& search) override;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void chooseMarkedTitle();


  QString typed_;
  QElapsedTimer sinceLastKey_;
};

}  // namespace corvale
