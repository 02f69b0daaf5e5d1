#include "player/app/box_paint_log.h"

#include <QEvent>
#include <QWidget>
#include <cstdlib>
#include <ctime>

#include "player/window/display_box.h"
#include "player/window/fingerboard.h"

namespace corvale {

BoxPaintLog::BoxPaintLog(std::FILE* log, Fingerboard& fingerboard, QObject* parent) : QObject(parent), log_(log) {
  for (int box = 0; box < kBoxCount; ++box) {
    boxes_.insert(fingerboard.box(box), box);
    fingerboard.box(box)->installEventFilter(this);
  }
}

BoxPaintLog::~BoxPaintLog() { std::fclose(log_); }

bool BoxPaintLog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    shownUnpainted_.insert(watched);
  } else if (event->type() == QEvent::Paint && shownUnpainted_.remove(watched) &&
             static_cast<QWidget*>(watched)->isVisible()) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(log_, "%lld.%06ld %d\n", static_cast<long long>(now.tv_sec), now.tv_nsec / 1000, boxes_.value(watched));
    std::fflush(log_);
  }
  return false;
}

void installBoxPaintLogFromEnvironment(Fingerboard& fingerboard, QObject* parent) {
  const char* logPath = std::getenv("CORVALE_BOX_LOG");
  if (!logPath || !*logPath) return;
  std::FILE* log = std::fopen(logPath, "w");
  if (!log) {
    std::fprintf(stderr, "corvale: cannot write the box log %s, so no box paints are logged\n", logPath);
    return;
  }
  new BoxPaintLog(log, fingerboard, parent);
}

}  // namespace corvale
