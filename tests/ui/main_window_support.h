#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTimer>
#include <functional>

#include "player/ui/main_window.h"
#include "ui_test_support.h"

namespace corvale::test {

// The whole program's window over a folder of three tune files, with no recent files.
class MainWindowTest : public ::testing::Test {
 protected:
  explicit MainWindowTest(const HostFactory& makeHost = realTimeHostFactory()) : window(makeHost) {
    write(QStringLiteral("tunes.abc"), "X:1\nT:The First\nK:D\nD|\nX:2\nT: Second\nK:G\nG|\nX:3\nT:Third\nK:A\nA|\n");
    write(QStringLiteral("reels.abc"), "X:1\nT:Drowsy Maggie\nK:Edor\nE2BE dEBE|\nX:2\nT:Long\nK:C\nC4 D4 E4|\n");
    write(QStringLiteral("jigs.abc"), "X:1\nT:Kesh\nK:G\nGAG GAB|\n");
    form().Dir1()->setFolder(folder.path());
    form().Dir1_Change(folder.path());
    recordingPlatform().clear();
  }

  Form1& form() { return window.form(); }
  QString path(const QString& name) const { return folder.filePath(name); }

  void write(const QString& name, const std::string& text) const { writeFile(folder.filePath(name), text); }

  // One step of a run: true once it is done, false to be asked again at the next tick.
  using Step = std::function<bool()>;

  // Takes the steps in turn, one a millisecond from the window's event loop
  // (inside the player loop once it runs), then closes the window and handles
  // events until the player loop has ended; five seconds at most in all.
  void runSteps(std::vector<Step> steps) {
    QElapsedTimer spent;
    spent.start();
    std::size_t next = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
      if (next < steps.size() && steps[next]()) ++next;
      if (next == steps.size() || spent.elapsed() > 5000) window.close();
    });
    tick.start(1);
    while (!form().closing() && spent.elapsed() < 6000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(next, steps.size()) << "the run did not get past step " << next;
  }

  // A step that does something once.
  static Step act(std::function<void()> action) {
    return [action = std::move(action)] {
      action();
      return true;
    };
  }

  // No recent files and no reading chosen before the window reads them.
  struct FreshSettings {
    FreshSettings() { QSettings(QStringLiteral("corvale"), QStringLiteral("corvale")).clear(); }
  } freshSettings;
  QTemporaryDir folder{QDir::tempPath() + QStringLiteral("/m-XXXXXX")};
  MainWindow window;
};

}  // namespace corvale::test
