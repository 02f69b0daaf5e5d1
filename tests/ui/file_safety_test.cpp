// The file list and the player loop with files that are not tune files: links to
// FIFOs, sockets and devices, a file swapped for a FIFO after it was listed, names that
// are not UTF-8.
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <filesystem>
#include <fstream>

#include "tune_fixtures.h"
#include "ui_test_support.h"
#include "player/window/file_list.h"

namespace corvale::test {
namespace {

// Removes the files it made by their bytes: Qt does not see a name that is not UTF-8,
// so the temporary folder could not remove itself.
class FileSafetyTest : public WindowTest {
 protected:
  ~FileSafetyTest() override { std::filesystem::remove_all(QFile::encodeName(folder.path()).toStdString()); }
};

QByteArray pathBytes(const QTemporaryDir& folder, const QByteArray& name) {
  return QFile::encodeName(folder.path()) + '/' + name;
}

// A click on the Latin-1 name opens that file: its bytes go from listing to opening.
TEST_F(FileSafetyTest, ListsRegularFilesJudgedOnTheLinksTargetAndOpensANameThatIsNotUtf8) {
  ASSERT_EQ(::mkfifo(pathBytes(folder, "pipe.abc").constData(), 0600), 0);
  testing::makeSocket(pathBytes(folder, "socket.abc").toStdString());
  const std::pair<const char*, QByteArray> links[] = {
      {"to-pipe.abc", pathBytes(folder, "pipe.abc")}, {"to-socket.abc", pathBytes(folder, "socket.abc")},
      {"to-zero.abc", "/dev/zero"},                   {"dangling.abc", pathBytes(folder, "gone.abc")},
      {"to-tunes.abc", "tunes.abc"},
  };
  for (const auto& [name, target] : links) ASSERT_EQ(::symlink(target.constData(), pathBytes(folder, name)), 0);
  std::ofstream(pathBytes(folder, "caf\xE9.abc").constData(), std::ios::binary) << "X:1\nT:Caf\xE9\n";
  form.Dir1_Change(folder.path());
  EXPECT_EQ(itemTexts(form.File1()), (QStringList{QStringLiteral("caf\uFFFD.abc"), "to-tunes.abc", "tunes.abc"}));

  const QRect latin1 = form.File1()->visualItemRect(form.File1()->item(0));
  runSteps(form, form, {}, [&] { QTest::mouseClick(form.File1()->viewport(), Qt::LeftButton, {}, latin1.center()); });
  EXPECT_EQ(itemTexts(form.List1()), QStringList{QStringLiteral("Caf\u00E9")});
  EXPECT_TRUE(form.messageArea()->isHidden());
}

// Opening never waits for a writer: the loop reports the FIFO at once, keeps waiting on
// the window, and the window's close ends it straight away.
TEST_F(FileSafetyTest, AFileSwappedForAFifoAfterListingIsReportedAndTheWindowStillCloses) {
  QFile::remove(folder.filePath(QStringLiteral("tunes.abc")));
  ASSERT_EQ(::mkfifo(pathBytes(folder, "tunes.abc").constData(), 0600), 0);
  QElapsedTimer timer;
  timer.start();
  bool waited = false;
  runSteps(form, form, {[&] { return !form.messageArea()->message().empty(); }, act([&] { waited = true; })},
           [&] { form.File1_Click(QStringLiteral("tunes.abc")); });
  EXPECT_LT(timer.elapsed(), 1000);
  EXPECT_TRUE(waited);
  EXPECT_EQ(form.List1()->count(), 0);
  EXPECT_NE(form.messageArea()->message().find("tunes.abc: is not a regular file"), std::string::npos);
  // White on black, where the picture stood.
  EXPECT_FALSE(form.messageArea()->isHidden());
  EXPECT_EQ(form.messageArea()->geometry(), form.Picture1()->geometry());
  EXPECT_TRUE(form.Picture1()->isHidden());
  EXPECT_EQ(fillColour(form.messageArea(), 1), QColor(Qt::black));
  EXPECT_EQ(form.messageArea()->palette().color(QPalette::WindowText), QColor(Qt::white));
}

}  // namespace
}  // namespace corvale::test
