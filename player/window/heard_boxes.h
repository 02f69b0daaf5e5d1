#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <functional>

namespace corvale {

class Fingerboard;

// The fingerboard's boxes lit when their notes are heard. The built-in
// synthesiser sounds each note a fixed delay after the play sends it; the
// box changes are held back as long, on one precise timer, and applied in
// the order they were asked for, so a quick show and hide is never lost or
// swapped. With no delay (a port, a recording) each change is made at once.
class HeardBoxes {
 public:
  HeardBoxes(Fingerboard& fingerboard, std::function<std::int64_t()> delayMicroseconds);

  void showBox(int box);
  void hideBox(int box);
  // Every box out at once, and the changes still held back dropped.
  void hideAll();

 private:
  struct Change {
    std::int64_t dueMicroseconds;
    int box;
    bool show;
  };
  void change(int box, bool show);
  void apply(const Change& change);
  void applyDue();
  void startTimer();

  Fingerboard& fingerboard_;
  std::function<std::int64_t()> delayMicroseconds_;
  std::deque<Change> held_;
  QElapsedTimer clock_;
  QTimer timer_;
};

}  // namespace corvale
