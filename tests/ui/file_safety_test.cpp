// The file list and the player loop with files that are not tune files: links to
// FIFOs, sockets and devices, a file swapped for a FIFO after it was listed, names that
// are not UTF-8. Also the tune list's tie: each title plays the tune it came from.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <filesystem>
#include <fstream>

#include "main_window_support.h"
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

void makeSocket(const QByteArray& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
}

// A click on the Latin-1 name opens that file: its bytes go from listing to opening.
TEST_F(FileSafetyTest, ListsRegularFilesJudgedOnTheLinksTargetAndOpensANameThatIsNotUtf8) {
  ASSERT_EQ(::mkfifo(pathBytes(folder, "pipe.abc").constData(), 0600), 0);
  makeSocket(pathBytes(folder, "socket.abc"));
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
}

// Every title plays the tune whose T: line gave it: B for the title before the first
// X: line, C for tune 1, E and F for both titles of tune 3 (a second T: line after its
// key), and nothing listed for the untitled tune 2.
TEST_F(MainWindowTest, StartPlaysTheTuneOfTheSelectedTitle) {
  write(QStringLiteral("tie.abc"),
        "T:Book\nK:C\nB/4\nX:1\nT:One\nK:C\nC/4\n\nX:2\nK:C\nD/4\n\nX:3\nT:Three\nK:C\nT:Two\nE/4 F/4\n");
  form().HScroll2()->setValue(form().HScroll2()->maximum());
  window.openTuneFile(path(QStringLiteral("tie.abc")));
  std::vector<std::vector<int>> heard;
  std::vector<Step> steps{[this] { return form().List1()->count() == 4; }};
  for (int row = 0; row < 4; ++row) {
    steps.push_back(act([this, row] {
      recordingPlatform().clear();
      form().List1()->setCurrentRow(row);
      form().Command1_Click();
    }));
    steps.push_back([this, &heard] {
      if (form().Command1()->text() != "CLICK TO START") return false;
      std::vector<int> notes;
      for (const std::int32_t word : recordingPlatform().sentWords()) {
        if ((word & 0xF0) == 0x90 && ((word >> 16) & 0x7F) != 0) notes.push_back((word >> 8) & 0x7F);
      }
      heard.push_back(notes);
      return true;
    });
  }
  runSteps(steps);
  EXPECT_EQ(itemTexts(form().List1()), (QStringList{"Book", "One", "Three", "Two"}));
  EXPECT_EQ(heard, (std::vector<std::vector<int>>{{71}, {60}, {64, 65}, {64, 65}}));
}

}  // namespace
}  // namespace corvale::test
