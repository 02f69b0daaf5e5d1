// The window's exports: written off the window's thread with a progress dialog,
// cancelled, and ended by SIGTERM through the program's window.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <csignal>
#include <filesystem>

#include "main_window_support.h"
#include "player/app/export_actions.h"
#include "player/app/termination_signal.h"
#include "ui_test_support.h"

namespace corvale::test {
namespace {

namespace fs = std::filesystem;

// A tune of minutes under the classic reading, twenty under the standard one:
// its render takes seconds.
std::string longTune() {
  std::string tune = "X:1\nT:Long Reel\nL:1/1\nK:D\n";
  for (int i = 0; i < 100; ++i) tune += "D4D4D4D4|\n";
  return tune;
}

void pressCancel(QProgressDialog& dialog) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == QStringLiteral("Cancel")) button->click();
  }
}

// Handles the window's events until `done`, five seconds at most; false if it never was.
bool handleEventsUntil(const std::function<bool()>& done) {
  QElapsedTimer spent;
  spent.start();
  while (!done() && spent.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

bool partialFileIn(const QString& folder) {
  for (const auto& entry : fs::directory_iterator(folder.toStdString())) {
    if (entry.path().filename().string().rfind(".", 0) == 0) return true;
  }
  return false;
}

class ExportActionsTest : public ::testing::Test {
 protected:
  ExportActionsTest() {
    writeFile(folder.filePath("tunes.abc"), "X:1\nT:AC/DC: Live?\nK:D\nDEF\n");
    writeFile(folder.filePath("long.abc"), longTune());
  }

  ExportSource source(const char* file, const std::string& title, Reading reading = Reading::Classic) {
    return {QFile::encodeName(folder.filePath(file)).toStdString(), 1, {11, 0, "FIDDLE", reading}, title};
  }

  QTemporaryDir folder;
  QSettings settings{folder.filePath("settings.conf"), QSettings::IniFormat};
  QWidget window;
  QMenu fileMenu{&window};
  ExportRequest request{std::nullopt, "Choose a tune first."};
  QString answer;
  QString suggested;
  std::vector<std::string> messages;
  ExportActions actions{fileMenu, [this] { return request; }, settings,
                        [this](const std::string& message) { messages.push_back(message); },
                        [this](QWidget*, const QString& offered, const QString&) {
                          suggested = offered;
                          return answer;
                        }};
};

TEST_F(ExportActionsTest, AnExportIsWrittenAsideAndItsOutcomeSaid) {
  actions.exportMidi();
  EXPECT_EQ(messages, std::vector<std::string>{"Choose a tune first."});

  request = {source("tunes.abc", "AC/DC: Live?"), {}};
  const auto callsBefore = recordingPlatform().calls().size();
  answer.clear();  // the dialog cancelled: nothing happens
  actions.exportMidi();
  EXPECT_EQ(suggested, folder.filePath("AC_DC_ Live_.mid"));
  EXPECT_FALSE(actions.exporting());
  EXPECT_EQ(messages.size(), 1u);

  answer = folder.filePath("one.mid");
  actions.exportMidi();
  ASSERT_TRUE(handleEventsUntil([&] { return !actions.exporting(); }));
  EXPECT_GT(fs::file_size(answer.toStdString()), 100u);
  EXPECT_EQ(messages.back(), "\u201CAC/DC: Live?\u201D was exported to " + answer.toStdString() + " (1 s).");
  // The window's own output heard nothing of it.
  EXPECT_EQ(recordingPlatform().calls().size(), callsBefore);

  // A failure is said as the export's outcome (each failure is in the export tests).
  answer = folder.filePath("missing/one.mid");
  actions.exportWav();
  ASSERT_TRUE(handleEventsUntil([&] { return !actions.exporting(); }));
  EXPECT_NE(messages.back().find("cannot be written"), std::string::npos) << messages.back();
}

TEST_F(ExportActionsTest, ALongExportLeavesTheWindowAnsweringAndCancelLeavesNothing) {
  request = {source("long.abc", "Long Reel", Reading::Standard), {}};
  answer = folder.filePath("long.wav");
  actions.exportWav();
  // The call returned with the export under way: the window goes on meanwhile.
  ASSERT_TRUE(actions.exporting());
  ASSERT_NE(actions.progressDialog(), nullptr);
  int ticks = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
  tick.start(10);
  ASSERT_TRUE(handleEventsUntil([&] { return partialFileIn(folder.path()); }));
  EXPECT_TRUE(actions.progressDialog()->isVisible());
  const int ticksWhenRendering = ticks;
  ASSERT_TRUE(handleEventsUntil([&] { return ticks >= ticksWhenRendering + 5; })) << "the window stopped answering";
  ASSERT_TRUE(actions.exporting()) << (messages.empty() ? "" : messages.back());

  pressCancel(*actions.progressDialog());
  ASSERT_TRUE(handleEventsUntil([&] { return !actions.exporting(); }));
  EXPECT_EQ(messages.back(), "The export was cancelled; nothing was written.");
  EXPECT_FALSE(partialFileIn(folder.path()));
  EXPECT_FALSE(QFile::exists(answer));
}

TEST_F(ExportActionsTest, ActionsGoingAwayDuringAnExportLeaveNothing) {
  request = {source("long.abc", "Long Reel"), {}};
  answer = folder.filePath("long.mid");
  {
    QMenu menu;
    ExportActions ending(menu, [this] { return request; }, settings, [](const std::string&) {},
                         [this](QWidget*, const QString&, const QString&) { return folder.filePath("long.wav"); });
    ending.exportWav();
    ASSERT_TRUE(handleEventsUntil([&] { return partialFileIn(folder.path()); }));
  }
  EXPECT_FALSE(partialFileIn(folder.path()));
}

class ExportingMainWindowTest : public MainWindowTest {};

TEST_F(ExportingMainWindowTest, SigtermDuringAnExportEndsItAndLeavesNothing) {
  write(QStringLiteral("long.abc"), longTune());
  const QString out = path(QStringLiteral("out.wav"));
  window.exportActions().setAskPath([&](QWidget*, const QString&, const QString&) { return out; });
  TerminationSignal terminate([this] { window.closeEverything(); });
  window.show();
  window.openTuneFile(path(QStringLiteral("long.abc")));
  runSteps({[this] { return form().List1()->count() == 1; }, act([this] { form().List1()->setCurrentRow(0); }),
            [this] { return form().chosenTune() == 1u; }, act([this] { window.exportActions().exportWav(); }),
            [this] { return partialFileIn(folder.path()); }, act([] { std::raise(SIGTERM); })});
  // The signal closed the window: the run ended before its close.
  EXPECT_TRUE(form().closing());
  ASSERT_TRUE(handleEventsUntil([this] { return !window.exportActions().exporting(); }));
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(partialFileIn(folder.path()));
  EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
}  // namespace corvale::test
