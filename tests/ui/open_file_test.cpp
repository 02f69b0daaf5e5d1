// Opening tune files at any time: from the menu while waiting and while
// playing, a file that cannot be read, the recent files, a drop, and reading
// a slow file aside while the window stays responsive.
#include <sys/stat.h>

#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QUrl>
#include <QMenu>
#include <QMenuBar>
#include <fstream>
#include <future>

#include "../play/window_play_support.h"
#include "main_window_support.h"
#include "player/window/file_list.h"
#include "player/loop/tune_file_reading.h"

namespace corvale::test {
namespace {

using melodex::RecordedCall;

bool listShows(const Form1& form, const QStringList& titles) { return itemTexts(form.List1()) == titles; }

// Each file opened while waiting replaces the list and clears the selection; one that
// cannot be read is said, lists nothing and is not kept among the recent files.
TEST_F(MainWindowTest, FilesOpenedWhileWaitingReplaceTheListAndAnUnreadableOneIsSaid) {
  QDir(folder.path()).mkdir(QStringLiteral("folder.abc"));
  window.openTuneFile(path(QStringLiteral("tunes.abc")));
  runSteps({[this] { return form().List1()->count() == 3; },
            act([this] {
              EXPECT_TRUE(form().File1()->isHidden()) << "the first file hides the browser, as a click does";
              form().List1()->setCurrentRow(1);
              window.openTuneFile(path(QStringLiteral("reels.abc")));
            }),
            [this] { return listShows(form(), {"Drowsy Maggie", "Long"}); },
            act([this] {
              EXPECT_EQ(form().Text2()->text(), path(QStringLiteral("reels.abc")));
              EXPECT_TRUE(form().List1()->selectedRow() < 0);
              EXPECT_EQ(form().Label1()->text(), "");
              EXPECT_EQ(form().chosenTune(), 0u);
              window.openTuneFile(path(QStringLiteral("folder.abc")));
            }),
            [this] { return !form().messageArea()->isHidden(); },
            act([this] {
              EXPECT_NE(form().messageArea()->message().find("folder.abc"), std::string::npos);
              EXPECT_EQ(form().List1()->count(), 0);
              window.openTuneFile(path(QStringLiteral("jigs.abc")));
            }),
            [this] { return listShows(form(), {"Kesh"}); }});
  EXPECT_TRUE(form().messageArea()->isHidden());
  EXPECT_EQ(form().Command1()->text(), "CLICK TO START");
  EXPECT_TRUE(recordingPlatform().calls().empty()) << "nothing played";
  EXPECT_EQ(RecentFiles().paths(), (QStringList{path("jigs.abc"), path("reels.abc"), path("tunes.abc")}));
}

TEST_F(MainWindowTest, DroppedFileIsOpened) {
  QMimeData data;
  data.setUrls({QUrl(QStringLiteral("https://example.invalid/x.abc")), QUrl::fromLocalFile(path("jigs.abc"))});
  QDragEnterEvent enter(QPoint(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &drop);
  EXPECT_TRUE(drop.isAccepted());
  runSteps({[this] { return listShows(form(), {"Kesh"}); }});
  EXPECT_EQ(form().tunePath(), path("jigs.abc"));

  QMimeData text;
  text.setText(QStringLiteral("X:1"));
  QDragEnterEvent refused(QPoint(500, 300), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &refused);
  EXPECT_FALSE(refused.isAccepted());
}

TEST_F(MainWindowTest, RecentFilesKeepTheTenNewestAndAGoneOneIsSaidAndDropped) {
  RecentFiles recent;
  for (int file = 1; file <= 12; ++file) recent.add(QStringLiteral("/tunes/%1.abc").arg(file));
  recent.add(QStringLiteral("/tunes/5.abc"));
  QStringList expected{"/tunes/5.abc", "/tunes/12.abc", "/tunes/11.abc", "/tunes/10.abc", "/tunes/9.abc",
                       "/tunes/8.abc", "/tunes/7.abc",  "/tunes/6.abc",  "/tunes/4.abc",  "/tunes/3.abc"};
  EXPECT_EQ(recent.paths(), expected);

  emit window.recentMenu()->aboutToShow();
  QStringList entries;
  for (QAction* entry : window.recentMenu()->actions()) entries << entry->text();
  EXPECT_EQ(entries, expected);
  window.recentMenu()->actions().front()->trigger();
  expected.removeFirst();
  EXPECT_EQ(recent.paths(), expected);
  EXPECT_NE(form().messageArea()->message().find("/tunes/5.abc is no longer there"), std::string::npos);
  EXPECT_FALSE(form().messageArea()->isHidden());
  QCoreApplication::processEvents();
  EXPECT_EQ(window.recentMenu()->actions().size(), 9);
}

// The window on a clock that each note's wait moves on, a millisecond a step.
class PlayingMainWindowTest : public MainWindowTest {
 protected:
  PlayingMainWindowTest() : MainWindowTest(testing::fastHosts()) {}

  testing::FastQtHost& host() { return testing::fastHost(form()); }
};

// The modal About box is not offered while a tune plays; a file asked for
// then stops the play after its sounding note.
TEST_F(PlayingMainWindowTest, FileOpenedWhilePlayingStopsAfterTheSoundingNoteThenListsItsTunes) {
  QMenu* help = window.menuBar()->actions().back()->menu();
  std::vector<bool> aboutOffered;
  const auto lookAtHelp = [&] {
    emit help->aboutToShow();
    aboutOffered.push_back(window.actions().aboutMelodex->isEnabled());
  };
  std::size_t callsAtRequest = 0;
  window.openTuneFile(path(QStringLiteral("reels.abc")));
  runSteps({[this] { return form().List1()->count() == 2; },
            act([&] {
              lookAtHelp();
              form().List1()->setCurrentRow(1);  // C4 D4 E4, 727 ms a note at TEMPO 11
              host().at(testing::nowMs() + 100, lookAtHelp);
              host().at(testing::nowMs() + 300, [&] {
                callsAtRequest = recordingPlatform().calls().size();
                window.openTuneFile(path(QStringLiteral("jigs.abc")));
              });
              form().Command1_Click();
            }),
            [this] { return listShows(form(), {"Kesh"}); }});
  EXPECT_EQ(aboutOffered, (std::vector<bool>{true, false}));
  const std::vector<RecordedCall>& calls = recordingPlatform().calls();
  ASSERT_GT(callsAtRequest, 0u);
  ASSERT_EQ(calls.size(), callsAtRequest + 2) << "the note-off, then the output closed, and nothing more";
  EXPECT_EQ(calls[callsAtRequest - 1].word, 0x00503C97) << "C sounding when the file was asked for";
  EXPECT_EQ(calls[callsAtRequest].word, 0x00003C87);
  EXPECT_EQ(calls.back().kind, RecordedCall::Kind::Close);
  EXPECT_EQ(form().Command1()->text(), "CLICK TO START");
  EXPECT_EQ(form().Text2()->text(), path("jigs.abc"));
}

// Reading aside, with a reader the test holds up.
class ReadingAsideTest : public WindowTest {
 protected:
  ~ReadingAsideTest() override { release.set_value(); }

  TuneFileReader heldReader() {
    return [held = release.get_future().share()](const std::filesystem::path&) {
      held.wait();
      return readTuneText("X:1\nT:Late\n");
    };
  }

  std::promise<void> release;
};

TEST_F(ReadingAsideTest, SlowFileShowsReadingAndClosingTheWindowEndsTheWaitAtOnce) {
  std::string shown;
  QTimer::singleShot(kReadingNoticeDelay + std::chrono::milliseconds(150), [&] {
    shown = form.messageArea()->isHidden() ? "" : form.messageArea()->message();
    form.close();
  });
  QElapsedTimer waited;
  waited.start();
  const std::optional<TuneFile> read = readTuneFileWhileWaiting(form, "/tunes/huge.abc", heldReader());
  EXPECT_LT(waited.elapsed(), 1000);
  EXPECT_FALSE(read.has_value());
  EXPECT_EQ(shown, "Reading /tunes/huge.abc …");
  EXPECT_TRUE(form.messageArea()->isHidden());
}

TEST_F(ReadingAsideTest, FileReadAsideComesBackAndAReaderOutOfMemoryIsAReadError) {
  QTimer::singleShot(20, [this] { release.set_value(); });
  const std::optional<TuneFile> read = readTuneFileWhileWaiting(form, "/tunes/a.abc", heldReader());
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(titlesOf(read->tuneIndex, read->lineStore.text()), std::vector<std::string>{"Late"});
  EXPECT_TRUE(form.messageArea()->isHidden()) << "no notice for a file that comes quickly";
  release = std::promise<void>();

  const TuneFileReader exhausted = [](const std::filesystem::path&) -> TuneFile { throw std::bad_alloc(); };
  try {
    readTuneFileWhileWaiting(form, "/dev/zero", exhausted);
    ADD_FAILURE() << "no error";
  } catch (const TuneFileError& error) {
    EXPECT_STREQ(error.what(), "/dev/zero is too large to be read into memory");
  }
}

TEST(QuickReadTest, LargeFilesAndPipesAreReadAsideWhatFailsAtOnceIsNot) {
  QTemporaryDir folder;
  const std::string small = folder.filePath("small.abc").toStdString();
  std::filesystem::path large = folder.filePath("large.abc").toStdString();
  { std::ofstream(small) << "X:1\n"; }
  std::filesystem::resize_file((std::ofstream(large), large), kQuickReadBytes + 1);
  EXPECT_TRUE(quickToRead(small));
  EXPECT_FALSE(quickToRead(large));
  EXPECT_FALSE(quickToRead("/dev/zero"));
  const std::string pipe = folder.filePath("pipe").toStdString();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(quickToRead(pipe));
  EXPECT_TRUE(quickToRead(folder.path().toStdString()));
  EXPECT_TRUE(quickToRead(folder.filePath("gone.abc").toStdString()));
}

}  // namespace
}  // namespace corvale::test
