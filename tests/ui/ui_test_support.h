#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "melodex/recording_platform.h"
#include "player/window/colour_button.h"
#include "player/window/display_box.h"
#include "player/window/folder_list.h"
#include "player/window/form1.h"
#include "player/window/line_widget.h"
#include "player/window/message_area.h"
#include "player/window/picture_box.h"

namespace corvale::test {

// The MIDI service every window of the test program sends to.
melodex::RecordingPlatform& recordingPlatform();

// The colour a widget shows `inset` pixels inside its bottom-right corner, as drawn.
inline QColor fillColour(QWidget* widget, int inset = 3) {
  const QImage image = widget->grab().toImage();
  return image.pixelColor(image.width() - 1 - inset, image.height() - 1 - inset);
}

inline QStringList itemTexts(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

inline QStringList itemTexts(const TuneList* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row) texts << list->title(row);
  return texts;
}

// A menu's entries as shown: "-" for a separator, "*" after a checked entry, then
// the entry's shortcuts.
inline QStringList menuEntries(const QMenu& menu) {
  QStringList entries;
  for (const QAction* action : menu.actions()) {
    QString entry = action->isSeparator() ? QStringLiteral("-") : action->text() + (action->isChecked() ? "*" : "");
    for (const QKeySequence& key : action->shortcuts()) entry += QLatin1Char(' ') + key.toString();
    entries << entry;
  }
  return entries;
}

inline std::vector<int> visibleBoxes(const Fingerboard& board) {
  std::vector<int> visible;
  for (int box = 0; box < kBoxCount; ++box) {
    if (!board.box(box)->isHidden()) visible.push_back(box);
  }
  return visible;
}

inline void writeFile(const QString& path, const std::string& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write a test file");
  file.write(text.data(), static_cast<qint64>(text.size()));
}

// One step of a run: true once it is done, false to be asked again at the next tick.
using Step = std::function<bool()>;

// A step that does something once.
inline Step act(std::function<void()> action) {
  return [action = std::move(action)] {
    action();
    return true;
  };
}

// Takes the steps in turn, one a millisecond from the window's event loop (inside
// the player loop once it runs, so that it looks at the window between two), then
// a tick later closes `window` and handles events until the player loop has ended; five seconds
// at most in all. `begin` starts the run: a file click returns when the loop ends.
inline void runSteps(QWidget& window, const Form1& form, std::vector<Step> steps,
                     const std::function<void()>& begin = {}) {
  QElapsedTimer spent;
  spent.start();
  std::size_t next = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    // The window closes a tick after the last step, so that what it started is seen.
    if (next == steps.size() || spent.elapsed() > 5000) window.close();
    else if (steps[next]()) ++next;
  });
  tick.start(1);
  if (begin) begin();
  while (!form.closing() && spent.elapsed() < 6000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(next, steps.size()) << "the run did not get past step " << next;
}

// A window browsing a folder of tune files written for one test and removed after it.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    write(QStringLiteral("tunes.abc"),
          "X:1\nT:The First\nK:D\nD|\nX:2\nT: Second\nT:Subtitle\nK:G\nG|\nX:3\nT:Third\nK:A\nA|\n");
    form.Dir1()->setFolder(folder.path());
    form.Dir1_Change(folder.path());
    recordingPlatform().clear();
  }

  void write(const QString& name, const std::string& text) const { writeFile(folder.filePath(name), text); }

  // Runs the player loop on `file` with `actions` taken from inside its wait;
  // the window closes after the last one, which ends the loop.
  void runLoop(const QString& file, const std::vector<std::function<void()>>& actions = {}) {
    std::vector<Step> steps;
    for (const auto& action : actions) steps.push_back(act(action));
    runSteps(form, form, std::move(steps), [&] { form.File1_Click(file); });
  }

  // A short name, so the folder list shows it without a scroll bar.
  QTemporaryDir folder{QDir::tempPath() + QStringLiteral("/t-XXXXXX")};
  Form1 form;
};

}  // namespace corvale::test
