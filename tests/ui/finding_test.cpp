// Finding tunes in the program's window: the Find Tune box over the tune list,
// the Find in Music Folder window over an index of a temporary folder, opening
// a tune found there, and a set played through the window.
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>

#include "main_window_support.h"
#include "player/app/find_tune_dialog.h"
#include "player/app/library_indexer.h"
#include "player/app/library_places.h"
#include "player/app/library_window.h"
#include "player/app/set_window.h"
#include "player/window/file_list.h"

namespace corvale::test {
namespace {

class FindingTest : public MainWindowTest {
 protected:
  FindingTest() {
    write(QStringLiteral("book.abc"),
          "X:1\nT:Cooley's\nR:reel\nK:Edor\nE2BE dEBE|\n\nX:2\nT:The Kesh\nR:jig\nK:G\nGAG GAB|\n\n"
          "X:3\nT:Tobin's Jig\nR:jig\nK:D\nD3 D3|\n\nX:4\nT:Sally Gardens\nR:reel\nK:G\nC4 D4 E4 F4|\n");
  }
  FindTuneDialog& dialog() { return window.library().findDialog(); }
};

TEST_F(FindingTest, FindTuneSelectsTheNextTitleHoldingEveryWordAndEnterChoosesIt) {
  window.openTuneFile(path(QStringLiteral("book.abc")));
  runSteps({[this] { return form().List1()->count() == 4; },
            act([this] {
              window.library().findTune->trigger();
              ASSERT_TRUE(dialog().isVisible());
              // Shortcuts follow the active window, which the offscreen platform leaves as it was.
              QApplication::setActiveWindow(&dialog());
              ASSERT_TRUE(dialog().field()->hasFocus());
              EXPECT_EQ(form().geometry().topLeft(), QPoint(0, 0)) << "the client area stays where it is";
              // What matches is the finder's to say; the window selects it as one types.
              QTest::keyClicks(dialog().field(), QStringLiteral("JIG"));
              EXPECT_EQ(form().List1()->currentRow(), 2);
              EXPECT_EQ(dialog().status()->text(), "1 tune holds them.");
              dialog().field()->clear();
              QTest::keyClicks(dialog().field(), QStringLiteral("s"));
              EXPECT_EQ(form().List1()->currentRow(), 3);
              QTest::keyClick(dialog().field(), Qt::Key_F3);
              EXPECT_EQ(form().List1()->currentRow(), 3) << "Sally is the only title with a word in s";
              window.library().findPrevious->trigger();
              EXPECT_EQ(form().List1()->currentRow(), 3);
              QTest::keyClick(dialog().field(), Qt::Key_Return);
              EXPECT_FALSE(dialog().isVisible());
            }),
            [this] { return form().Label1()->text() == "Sally Gardens"; }});
}

class MusicFolderTest : public FindingTest {
 protected:
  MusicFolderTest() {
    write(QStringLiteral("music/more/polkas.txt"), "X:1\nT:Britches Full of Stitches\nR:polka\nM:2/4\nK:A\nA>B|\n");
    write(QStringLiteral("music/book.abc"), "X:1\nT:Drowsy Maggie\nR:reel\nM:4/4\nK:Edor\nE2BE|\n\n"
                                            "X:2\nT:Kesh\nR:jig\nM:6/8\nK:G\nGAG|\n");
  }
  void write(const QString& name, const std::string& text) const {
    QDir(folder.path()).mkpath(QFileInfo(path(name)).path());
    writeFile(path(name), text);
  }
  QTemporaryDir cache;
  LibraryIndexer indexer{pathOf(cache.filePath(QStringLiteral("library.sqlite"))), nullptr};
};

TEST_F(MusicFolderTest, TheSearchAnswersAsOneTypesAndOpensOrAddsTheTuneFound) {
  std::vector<std::pair<std::string, std::uint64_t>> opened;
  std::vector<SetEntry> added;
  LibraryWindow library(
      indexer, [&](const std::filesystem::path& file, std::uint64_t tune) { opened.emplace_back(file.string(), tune); },
      [&](const SetEntry& entry) { added.push_back(entry); }, nullptr);
  QSignalSpy finished(&indexer, &LibraryIndexer::finished);
  indexer.index(path(QStringLiteral("music")));
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_EQ(finished.front().front().value<IndexReport>().tunes, 3);
  library.showFor(path(QStringLiteral("music")));
  EXPECT_EQ(library.results()->model()->rowCount(), 3);
  // What the search finds is the index's to say; the window shows it as one types.
  library.field()->setText(QStringLiteral("kesh"));
  ASSERT_EQ(library.results()->model()->rowCount(), 1);
  EXPECT_EQ(library.results()->model()->index(0, 0).data().toString(), "Kesh");
  QTest::keyClick(library.field(), Qt::Key_Return);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], std::make_pair(path(QStringLiteral("music/book.abc")).toStdString(), std::uint64_t{2}));
  library.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&library));
  library.results()->setCurrentIndex(library.results()->model()->index(0, 0));
  QTest::keyClick(library.results(), Qt::Key_D, Qt::ControlModifier);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].title, "Kesh");
}

TEST_F(FindingTest, ATuneFoundInTheLibraryIsOpenedAndSelectedReadyToStart) {
  window.library().openTune(pathOf(path(QStringLiteral("book.abc"))), 3);
  runSteps({[this] { return form().List1()->currentRow() == 2; },
            [this] { return form().Label1()->text() == "Tobin's Jig" && form().chosenTune() == 3u; }});
}

TEST_F(FindingTest, ASetPlaysItsTunesInTurnAndTheTuneListFollows) {
  SetWindow& set = window.library().setWindow();
  set.replace({});
  const std::filesystem::path book = pathOf(path(QStringLiteral("book.abc")));
  set.add({book, 4, "Sally Gardens", 1});
  set.add({pathOf(path(QStringLiteral("jigs.abc"))), 1, "Kesh", 1});
  set.add({book, 9, "Gone Away", 1});
  set.moveRow(1, -1);
  form().HScroll2()->setValue(30);
  window.openTuneFile(path(QStringLiteral("book.abc")));
  const auto playing = [this](const char* title, int row) {
    return form().Command1()->text() == "CLICK TO STOP" && form().Label1()->text() == title &&
           form().List1()->selectedRow() == row && (row < 0 || form().List1()->currentRow() == row);
  };
  runSteps({[this] { return form().List1()->count() == 4; },
            act([&set] { set.play(); }),
            [&] { return playing("Kesh", -1); },
            [&] { return playing("Sally Gardens", 3); },
            [this] { return form().Command1()->text() == "CLICK TO START"; }});
  EXPECT_NE(form().messageArea()->message().find("Gone Away"), std::string::npos);
}

TEST_F(FindingTest, TheSetIsKeptForTheNextRun) {
  const std::filesystem::path kept = pathOf(path(QStringLiteral("kept/current.set")));
  const auto noMessage = [](const QString& message) { ADD_FAILURE() << message.toStdString(); };
  {
    SetWindow first(kept, {}, noMessage, nullptr);
    first.add({pathOf(path(QStringLiteral("jigs.abc"))), 1, "Kesh", 1});
    first.add({pathOf(path(QStringLiteral("book.abc"))), 2, "The Kesh", 1});
    first.setTimes(1, 3);
    first.moveRow(1, -1);
  }
  const SetWindow next(kept, {}, noMessage, nullptr);
  ASSERT_EQ(next.set().entries.size(), 2u);
  EXPECT_EQ(next.set().entries[0].title, "The Kesh");
  EXPECT_EQ(next.set().entries[0].times, 3);
  EXPECT_EQ(next.table()->rowCount(), 2);
}

TEST_F(FindingTest, ASetPlayedBeforeAnyFileIsOpenedStartsWithItsFirstFile) {
  SetWindow& set = window.library().setWindow();
  set.replace({{{pathOf(path(QStringLiteral("jigs.abc"))), 1, "Kesh", 1}}});
  form().HScroll2()->setValue(30);
  runSteps({act([&set] { set.play(); }),
            [this] { return form().tunePath() == path(QStringLiteral("jigs.abc")); },
            [this] { return form().Command1()->text() == "CLICK TO START" && !recordingPlatform().sentWords().empty(); }});
  EXPECT_TRUE(form().File1()->isHidden()) << "the browser gave way to the tune list";
  EXPECT_EQ(form().List1()->count(), 1);
}

}  // namespace
}  // namespace corvale::test
