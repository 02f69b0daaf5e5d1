#pragma once

#include <QObject>
#include <QHash>
#include <QSet>
#include <cstdio>

class QEvent;

namespace corvale {

class Fingerboard;

// Measuring hook: with CORVALE_BOX_LOG=FILE in its environment, corvale writes
// a line "SECONDS BOX" to FILE the first time each note box is painted after
// it is shown, SECONDS being the wall clock (CLOCK_REALTIME) as the paint
// begins, so that a script recording the sound can set the moment a note was
// seen against the moment it was heard. The sound goes where it always goes.
class BoxPaintLog : public QObject {
 public:
  BoxPaintLog(std::FILE* log, Fingerboard& fingerboard, QObject* parent);
  ~BoxPaintLog() override;
  BoxPaintLog(const BoxPaintLog&) = delete;
  BoxPaintLog& operator=(const BoxPaintLog&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::FILE* log_;
  QHash<QObject*, int> boxes_;    // each box with its number
  QSet<QObject*> shownUnpainted_;  // shown since their last paint
};

// Watches `fingerboard` when CORVALE_BOX_LOG names a file it can write; a file
// it cannot write is said on the standard error and nothing is logged.
void installBoxPaintLogFromEnvironment(Fingerboard& fingerboard, QObject* parent);

}  // namespace corvale
