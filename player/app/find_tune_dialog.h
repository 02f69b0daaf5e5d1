#pragma once

#include <QDialog>
#include <memory>

#include "player/library/tune_finder.h"

class QLabel;
class QLineEdit;

namespace corvale {

class Form1;

// The Find Tune box: a field whose words select, in the tune list, the next
// title holding every one of them (case, accents and punctuation aside, in any
// order; under the standard reading the tune's fields too). Typing selects the
// first such title from the selected one on; Next and Previous (F3, Shift+F3,
// also once the box is closed) go on from there. Enter chooses the title and
// leaves the keyboard in the tune list; Escape closes the box. It floats over
// the window, so the client area never moves.
class FindTuneDialog : public QDialog {
 public:
  FindTuneDialog(Form1& form, QWidget* parent);

  // Opens the box (or brings it forward) with the open file's tunes read afresh.
  void openForFinding();
  void findNext();
  void findPrevious();
  // Enter: the selected title stays chosen, the box closes, the keyboard goes to the tune list.
  void choose();

  QLineEdit* field() const { return field_; }
  QLabel* status() const { return status_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Selects the match from the selected row on; false when there is none.
  bool findFrom(TuneFinder::Direction direction, bool selectedCounts);
  void refreshTunes();

  Form1& form_;
  QLineEdit* field_;
  QLabel* matches_;
  QLabel* status_;
  std::unique_ptr<TuneFinder> finder_;
  QString findsIn_;  // the file and reading the finder was made for
};

}  // namespace corvale
