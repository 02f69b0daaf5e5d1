#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "melodex/recording_platform.h"

namespace corvale::test {

// The MIDI service every window of the test program sends to.
melodex::RecordingPlatform& recordingPlatform();

// The colour a widget shows `inset` pixels inside its bottom-right corner, as drawn.
inline QColor fillColour(QWidget* widget, int inset = 3) {
  const QImage image = widget->grab().toImage();
  return image.pixelColor(image.width() - 1 - inset, image.height() - 1 - inset);
}

// A folder of files written for one test and removed after it.
class TuneFolder {
 public:
  void write(const QString& name, const std::string& text) const;
  QString path() const { return folder_.path(); }
  QString pathOf(const QString& name) const { return folder_.filePath(name); }

 private:
  // A short name, so the folder list shows it without a scroll bar.
  QTemporaryDir folder_{QDir::tempPath() + QStringLiteral("/t-XXXXXX")};
};

// Runs the steps from `index` on, one after another from the window's event
// loop, each in its own pass so the player loop looks at the window between two.
inline void runStepsFrom(std::shared_ptr<std::vector<std::function<void()>>> steps, std::size_t index) {
  if (index >= steps->size()) return;
  QTimer::singleShot(1, [steps, index] {
    (*steps)[index]();
    runStepsFrom(steps, index + 1);
  });
}

inline void runSteps(std::vector<std::function<void()>> steps) {
  runStepsFrom(std::make_shared<std::vector<std::function<void()>>>(std::move(steps)), 0);
}

}  // namespace corvale::test
