#pragma once

#include <QSettings>

#include "player/app/main_window.h"
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

  void runSteps(std::vector<Step> steps) { test::runSteps(window, form(), std::move(steps)); }

  // No recent files and no reading chosen before the window reads them.
  struct FreshSettings {
    FreshSettings() { QSettings(QStringLiteral("corvale"), QStringLiteral("corvale")).clear(); }
  } freshSettings;
  QTemporaryDir folder{QDir::tempPath() + QStringLiteral("/m-XXXXXX")};
  MainWindow window;
};

}  // namespace corvale::test
