// The program's window: the menu bar over the unchanged client area, what
// each menu action and shortcut does, and the keyboard in the window.
#include <QAccessible>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <tuple>

#include "main_window_support.h"
#include "player/window/drive_list.h"
#include "player/window/file_list.h"
#include "player/app/focus_frame.h"
#include "player/window/tune_list.h"

namespace corvale::test {
namespace {

class ShownMainWindowTest : public MainWindowTest {
 protected:
  ShownMainWindowTest() {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
};

TEST_F(ShownMainWindowTest, ClientAreaSitsUnchangedBelowTheMenuBar) {
  const int bar = window.menuBar()->height();
  EXPECT_GT(bar, 0);
  EXPECT_EQ(window.windowTitle(), "Form1");
  EXPECT_EQ(form().size(), QSize(994, 573));
  EXPECT_EQ(form().mapTo(&window, QPoint(0, 0)), QPoint(0, bar));
  EXPECT_EQ(window.size(), QSize(994, 573 + bar));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  // The start button is drawn at its place measured from the client area's top left.
  EXPECT_EQ(window.grab(QRect(QPoint(0, bar), form().size())).toImage().pixelColor(660, 400), QColor(0, 255, 0));
}

TEST_F(MainWindowTest, MenusShowTheirActionsWithTheirShortcuts) {
  const QList<QAction*> menus = window.menuBar()->actions();
  const std::vector<std::pair<QString, QStringList>> expected{
      {"&File",
       {"&Open Tune File… Ctrl+O", "Open &Recent", "-", "Export as MIDI File…", "Export as WAV…", "&Music Folder…", "-",
        "&Quit Ctrl+Q"}},
      {"&Play",
       {"&Start / Stop Space", "-", "&Faster Ctrl+Up +", "S&lower Ctrl+Down -", "-", "Switch &Instrument Ctrl+I",
        "Switch Instrument at Each Sta&rt*", "-", "&Find Tune… Ctrl+F", "Find &Next F3", "Find Pre&vious Shift+F3",
        "Find in &Music Folder… Ctrl+Shift+F", "-", "&Add to Set Ctrl+D", "S&et…", "Play Se&t"}},
      {"Pr&actice",
       {"&Loop", "Start From &Bar… Ctrl+G", "Start From the Be&ginning Ctrl+Shift+G", "-", "&Pause Ctrl+P Pause", "-",
        "&Count In Ctrl+K", "Count In &Each Pass", "&Metronome Ctrl+M", "-", "&Speed Up Each Pass… Ctrl+U",
        "&Tempo from the Tune Ctrl+T", "&Follow in the Tune Lines Ctrl+E"}},
      {"&Reading", {"&Classic*", "&Standard ABC", "-", "Play &Ornaments"}},  // classic, no ornaments at first
      {"&Sound", {}},  // its outputs are listed afresh each time it opens: in the Sound menu's tests
      {"&Help", {"&Keyboard Shortcuts", "&What corvale Reads", "-", "About &corvale", "&About Melodex"}},
  };
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t menu = 0; menu < expected.size(); ++menu) {
    const QAction* shown = menus[static_cast<qsizetype>(menu)];
    EXPECT_EQ(shown->text(), expected[menu].first);
    if (!expected[menu].second.isEmpty()) {
      EXPECT_EQ(menuEntries(*shown->menu()), expected[menu].second) << menu;
    }
  }
}

TEST_F(ShownMainWindowTest, ShortcutsDoWhatTheirControlsDo) {
  form().Dir1()->setFocus();
  const auto press = [this](QKeyCombination key) { QTest::keyClick(form().Dir1(), key.key(), key.keyboardModifiers()); };
  press(Qt::Key_Space);
  EXPECT_EQ(form().Command1()->text(), "CLICK TO STOP");
  window.actions().startStop->trigger();
  EXPECT_EQ(form().Command1()->text(), "CLICK TO START");
  // One step of TEMPO each from anywhere, the readout following; on the focused
  // slider its own keys move it too.
  QScrollBar* tempo = form().HScroll2();
  for (const auto& [at, key, value] : std::vector<std::tuple<QWidget*, QKeyCombination, int>>{
           {form().Dir1(), Qt::CTRL | Qt::Key_Up, 12}, {form().Dir1(), QKeyCombination(Qt::Key_Plus), 13},
           {form().Dir1(), QKeyCombination(Qt::Key_Minus), 12}, {form().Dir1(), Qt::CTRL | Qt::Key_Down, 11},
           {tempo, QKeyCombination(Qt::Key_Right), 12}, {tempo, QKeyCombination(Qt::Key_Up), 13},
           {tempo, QKeyCombination(Qt::Key_Left), 12}, {tempo, QKeyCombination(Qt::Key_PageUp), 13},
           {tempo, QKeyCombination(Qt::Key_PageDown), 12}, {tempo, QKeyCombination(Qt::Key_End), 30},
           {tempo, QKeyCombination(Qt::Key_Home), 1}}) {
    at->setFocus();
    QTest::keyClick(at, key.key(), key.keyboardModifiers());
    EXPECT_EQ(tempo->value(), value) << key.key();
    EXPECT_EQ(form().Text6()->text(), QStringLiteral(" %1").arg(value));
  }
  form().Dir1()->setFocus();
  press(Qt::CTRL | Qt::Key_I);
  EXPECT_EQ(form().Command2()->text(), "BANJO");
  EXPECT_EQ(recordingPlatform().sentWords(), std::vector<std::int32_t>{0xC7 + 105 * 256});
  // Space on the focused instrument button presses that button, not Start.
  form().Command2()->setFocus();
  QTest::keyClick(form().Command2(), Qt::Key_Space);
  EXPECT_EQ(form().Command2()->text(), "FIDDLE");
  EXPECT_EQ(form().Command1()->text(), "CLICK TO START");
  press(Qt::CTRL | Qt::Key_Q);
  EXPECT_TRUE(form().closing());
  EXPECT_TRUE(form().host().closing());
}

TEST_F(ShownMainWindowTest, ReturnInTheTuneListStartsAndHelpBoxesLeaveThePlayerRunning) {
  window.openTuneFile(path(QStringLiteral("tunes.abc")));
  runSteps({[this] { return form().List1()->count() == 3; },
            act([this] {
              window.actions().keyboardShortcuts->trigger();
              window.actions().whatItReads->trigger();
              EXPECT_EQ(window.findChildren<QMessageBox*>().size(), 2);
              form().List1()->setFocus();
              form().List1()->setCurrentRow(2);
              QTest::keyClick(form().List1(), Qt::Key_Return);
            }),
            [] { return !recordingPlatform().calls().empty(); }});
  EXPECT_EQ(form().chosenTune(), 3u);
  EXPECT_EQ(recordingPlatform().calls().front().kind, melodex::RecordedCall::Kind::Open);
}

TEST_F(MainWindowTest, TabRunsThroughTheControlsInTheirNaturalOrder) {
  const std::vector<QWidget*> order{form().Drive1(),   form().Dir1(),     form().File1(),    form().List1(),
                                    form().Command1(), form().Command2(), form().HScroll2(), form().HScroll1()};
  std::vector<QWidget*> chain;
  QWidget* next = form().Drive1();
  do {
    if (next->focusPolicy() & Qt::TabFocus && form().isAncestorOf(next)) chain.push_back(next);
    next = next->nextInFocusChain();
  } while (next != form().Drive1());
  EXPECT_EQ(chain, order);
}

// Space chooses the current file, as a click does: the player loop starts.
TEST_F(ShownMainWindowTest, TheFileListChoosesByKey) {
  form().File1()->setFocus();
  form().File1()->setCurrentRow(form().File1()->row(form().File1()->findItems("tunes.abc", Qt::MatchExactly)[0]));
  QTimer::singleShot(20, &window, [this] { window.close(); });
  QTest::keyClick(form().File1(), Qt::Key_Space);
  EXPECT_EQ(form().tunePath(), path(QStringLiteral("tunes.abc")));
  EXPECT_EQ(itemTexts(form().List1()), (QStringList{"The First", " Second", "Third"}));
  EXPECT_EQ(form().Command1()->text(), "CLICK TO START");
}

TEST_F(ShownMainWindowTest, ReturnOnAFolderOpensIt) {
  QDir(folder.path()).mkdir(QStringLiteral("hornpipes"));
  write(QStringLiteral("hornpipes/a.abc"), "X:1\n");
  form().Dir1()->setFolder(folder.path());
  form().Dir1()->setFocus();
  form().Dir1()->setCurrentItem(form().Dir1()->findItems(QStringLiteral("hornpipes"), Qt::MatchEndsWith).value(0));
  QTest::keyClick(form().Dir1(), Qt::Key_Return);
  EXPECT_EQ(form().Dir1()->folder(), path(QStringLiteral("hornpipes")));
  EXPECT_EQ(itemTexts(form().File1()), QStringList{"a.abc"});
}

TEST(TuneListTest, TypedLettersFindTitlesIgnoringTheirLeadingSpaces) {
  TuneList list(nullptr);
  const std::string text = "The First Second  Sally GardensThirdsecond star";
  list.setTitles(TuneTitles({TuneListEntry::inText(0, 9, 1), TuneListEntry::inText(9, 7, 2),
                             TuneListEntry::inText(16, 15, 3), TuneListEntry::inText(31, 5, 4),
                             TuneListEntry::inText(36, 11, 5)},
                            text));
  const std::vector<std::pair<QString, int>> searches{
      {"s", 1}, {"s", 2}, {"s", 4}, {"s", 1}, {"thi", 3}, {"SAL", 2}, {"x", 2}, {"the f", 0}};
  for (const auto& [typed, row] : searches) {
    QTest::keyClicks(&list, typed);
    EXPECT_EQ(list.currentRow(), row) << typed.toStdString();
    EXPECT_EQ(list.selectedRow(), row);
    QTest::qWait(TypeAhead::kPauseMilliseconds + 50);
  }
}

TEST_F(ShownMainWindowTest, TabbingIntoTheTuneListOrAMovingKeyChoosesTheMarkedTitle) {
  window.openTuneFile(path(QStringLiteral("jigs.abc")));
  runSteps({[this] { return form().List1()->count() == 1; },
            act([this] {
              // The list took the focus from the hidden browser: nothing chosen yet.
              EXPECT_TRUE(form().List1()->hasFocus());
              EXPECT_LT(form().List1()->selectedRow(), 0);
              form().List1()->setCurrentRow(0, QItemSelectionModel::NoUpdate);
              QTest::keyClick(form().List1(), Qt::Key_Down);  // nowhere to go on a list of one
              EXPECT_EQ(form().chosenTune(), 0u) << "read at the loop's next look";
            }),
            [this] { return form().chosenTune() == 1u; },
            act([this] {
              form().List1()->clearSelection();
              QTest::keyClick(form().List1(), Qt::Key_Tab);
              QTest::keyClick(form().Command1(), Qt::Key_Backtab);
              EXPECT_GE(form().List1()->selectedRow(), 0);
            })});
}

TEST_F(ShownMainWindowTest, FocusFrameShowsWhileTheKeyboardIsInUse) {
  FocusFrame& frame = window.focusFrame();
  form().Dir1()->setFocus();
  EXPECT_EQ(frame.framed(), nullptr) << "no frame before a key is pressed";
  QTest::keyClick(form().Dir1(), Qt::Key_Tab);
  ASSERT_EQ(frame.framed(), form().File1());
  EXPECT_EQ(frame.geometry(), QRect(form().File1()->mapTo(frame.parentWidget(), QPoint(0, 0)), form().File1()->size()));
  // Three pixels of yellow inside the list's edge.
  const QImage drawn = window.grab().toImage();
  const QPoint corner = form().File1()->mapTo(&window, QPoint(0, 20));
  EXPECT_EQ(drawn.pixelColor(corner + QPoint(2, 0)), QColor(255, 255, 0));
  EXPECT_EQ(drawn.pixelColor(corner + QPoint(3, 0)), QColor(Qt::black));
  QTest::mouseClick(form().Dir1()->viewport(), Qt::LeftButton);
  EXPECT_EQ(frame.framed(), nullptr);
}

TEST_F(MainWindowTest, EveryControlHasAnAccessibleName) {
  EXPECT_EQ(form().fingerboard().box(0)->accessibleName(), "Fingerboard G,");
  for (QWidget* control : form().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(control);
    ASSERT_NE(reading, nullptr);
    EXPECT_FALSE(reading->text(QAccessible::Name).isEmpty())
        << control->metaObject()->className() << " at " << control->x() << "," << control->y();
  }
}

}  // namespace
}  // namespace corvale::test
