// The window as the musician first sees it, and what each handler changes.
#include <QFontInfo>
#include <algorithm>
#include <array>

#include "player/window/drive_list.h"
#include "player/window/file_list.h"
#include "ui_test_support.h"

namespace corvale::test {
namespace {

const QColor kGreen(0, 255, 0);
const QColor kMaroon(128, 0, 0);
const QColor kRust(192, 64, 0);
const QColor kCream(255, 224, 192);
const QColor kWhite(Qt::white);
const QColor kNoFill;  // drawn by the style: not checked

QRect twips(int left, int top, int width, int height) { return {left / 15, top / 15, width / 15, height / 15}; }

TEST_F(WindowTest, EveryControlHasItsPlaceCaptionFillAndFontAtStart) {
  EXPECT_EQ(form.windowTitle(), "Form1");
  EXPECT_EQ(form.size(), QSize(994, 573));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(fillColour(&form, 1), QColor(Qt::black));
  struct Look {
    QWidget* control;
    QRect place;
    QString caption;
    QColor fill;
    double points = 8.25;
    bool bold = false;
  };
  const Look looks[] = {
      {form.Command1(), twips(9600, 5640, 1095, 495), "CLICK TO START", kGreen, 8.25, true},
      {form.Command2(), twips(9600, 5160, 1095, 495), "FIDDLE", QColor(255, 128, 0), 8.25, true},
      {form.Drive1(), twips(120, 4560, 1695, 315), "", kRust},
      {form.Dir1(), twips(120, 4800, 1695, 1665), "", QColor(255, 192, 128)},
      {form.File1(), twips(120, 6480, 1695, 2040), "", kCream},
      {form.Text2(), twips(9600, 1920, 2295, 285), "   Click On Selected Tune", kMaroon},
      {form.List1(), twips(9600, 2160, 2295, 2985), "", kWhite},
      {form.List2(), twips(5040, 120, 6855, 1620), "", kWhite},
      {form.Label7(), twips(10680, 5160, 1215, 255), "     TEMPO", kMaroon},
      {form.HScroll2(), twips(10680, 5400, 735, 255), "", kNoFill},
      {form.Text6(), twips(11400, 5400, 495, 285), "0", kCream, 9.75, true},
      {form.Label6(), twips(10680, 5640, 1215, 255), "   REPLAYS", kMaroon},
      {form.HScroll1(), twips(10680, 5880, 735, 255), "", kNoFill},
      {form.Text3(), twips(11400, 5880, 480, 285), "0", kCream, 9.75, true},
      {form.Label3(), twips(1920, 8160, 1095, 375), "NOW PLAYING:", kRust, 8.25, true},
      {form.Label1(), twips(3000, 8160, 4095, 375), "", kRust, 13.5, true},
      {form.Label4(), twips(7080, 8160, 975, 375), "KEY:", kRust, 8.25, true},
      {form.Label5(), twips(8040, 8160, 1335, 375), "", kRust, 13.5, true},
      {form.Label2(), twips(6360, 2040, 3135, 855), "corvale 2.0", QColor(192, 0, 0), 14.25, true},
      {form.Picture1(), twips(9600, 6360, 2295, 2295), "", kNoFill},
  };
  for (const Look& look : looks) {
    SCOPED_TRACE(look.control->metaObject()->className() + std::string(" at ") + std::to_string(look.place.x()) +
                 "," + std::to_string(look.place.y()));
    EXPECT_EQ(look.control->geometry(), look.place);
    EXPECT_EQ(look.control->property("text").toString(), look.caption);
    if (look.fill.isValid()) {
      EXPECT_EQ(fillColour(look.control), look.fill);
    }
    const QFont font = look.control->font();
    const QString family = look.control == form.Label2() ? "DejaVu Serif" : "DejaVu Sans";
    EXPECT_EQ((std::tuple(QFontInfo(font).family(), font.pointSizeF(), font.bold())),
              (std::tuple(family, look.points, look.bold)));
  }
  EXPECT_EQ(form.fingerboard().box(0)->font().pointSizeF(), 12);
  ASSERT_TRUE(form.Midix() && form.Midix()->face());
  EXPECT_EQ(form.Midix()->face()->geometry(),
            twips(2040, 6960, form.Midix()->widthTwips(), form.Midix()->heightTwips()));
}

// REPLAYS 0..99 from 0, a step at a time, its readout after a sign position (TEMPO's
// steps are driven from the keyboard in the program's tests).
TEST_F(WindowTest, ReplaysMoveOneStepAtATimeAndTheirReadoutFollowsAfterASignPosition) {
  QScrollBar* replays = form.HScroll1();
  EXPECT_EQ((std::array<int, 5>{replays->minimum(), replays->maximum(), replays->value(), replays->singleStep(),
                                replays->pageStep()}),
            (std::array<int, 5>{0, 99, 0, 1, 1}));
  replays->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(form.Text3()->text(), " 1");
}

TEST_F(WindowTest, FileClickListsTheTunesInPlaceOfTheBrowserUntilTheWindowCloses) {
  const std::vector<QWidget*> tuneControls{form.List1(),  form.Label7(),   form.HScroll2(), form.Text6(),
                                           form.Label6(), form.HScroll1(), form.Text3()};
  // Before a file is chosen everything else shows, the boxes and frets
  // included; the message area waits for a message.
  for (QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const bool hidden = control == form.messageArea() || std::count(tuneControls.begin(), tuneControls.end(), control);
    EXPECT_EQ(control->isHidden(), hidden) << control->metaObject()->className() << " at " << control->pos().x();
  }
  EXPECT_TRUE(form.Picture1()->hasPicture());

  runLoop(QStringLiteral("tunes.abc"));
  for (QWidget* control : tuneControls) EXPECT_FALSE(control->isHidden());
  for (QWidget* control : std::initializer_list<QWidget*>{form.Drive1(), form.Dir1(), form.File1(), form.Label2(),
                                                          form.Picture1()}) {
    EXPECT_TRUE(control->isHidden());
  }
  EXPECT_EQ(form.Text3()->text(), " 0");
  EXPECT_EQ(form.Text6()->text(), " 11");
  EXPECT_EQ(form.Text2()->text(), folder.filePath(QStringLiteral("tunes.abc")));
  EXPECT_TRUE(visibleBoxes(form.fingerboard()).empty());
  EXPECT_EQ(itemTexts(form.List1()), (QStringList{"The First", " Second", "Third"}));
  EXPECT_TRUE(form.messageArea()->isHidden());
  EXPECT_TRUE(form.host().closing());
}

// The start button's caption is the run state; the instrument button sends
// program changes on channel 8 (status 0xC7): patch 105, then 110.
TEST_F(WindowTest, ButtonsFlipCaptionAndColourTogetherAndTheInstrumentSendsItsPatchAndFrets) {
  form.Command1()->click();
  EXPECT_EQ(form.Command1()->text(), "CLICK TO STOP");
  EXPECT_EQ(fillColour(form.Command1()), QColor(255, 0, 0));
  form.Command1_Click();
  EXPECT_EQ(form.Command1()->text(), "CLICK TO START");
  EXPECT_EQ(fillColour(form.Command1()), kGreen);
  for (const bool banjo : {true, false}) {
    form.Command2()->click();
    EXPECT_EQ(form.Command2()->text(), banjo ? "BANJO" : "FIDDLE");
    for (int fret = 0; fret < kFretCount; ++fret) EXPECT_EQ(form.fingerboard().fret(fret)->isHidden(), !banjo);
  }
  EXPECT_EQ(recordingPlatform().sentWords(), (std::vector<std::int32_t>{0xC7 + 105 * 256, 0xC7 + 110 * 256}));
}

// Opening a folder from its list is checked by key in the program's window.
TEST_F(WindowTest, BrowserStartsAtTheRootAndListsEveryFileNotBeginningWithADot) {
  EXPECT_EQ(form.Dir1()->item(0)->text(), "/");
  EXPECT_EQ(form.Drive1()->itemText(0), "/");
  write(QStringLiteral(".hidden"), "");
  write(QStringLiteral("notes.txt"), "");
  QDir(folder.path()).mkdir(QStringLiteral("sub"));
  EXPECT_EQ(itemTexts(form.File1()), QStringList{"tunes.abc"});
  form.Dir1_Change(folder.path());
  EXPECT_EQ(itemTexts(form.File1()), (QStringList{"notes.txt", "tunes.abc"}));
  form.Drive1_Change(QStringLiteral("/"));
  EXPECT_EQ(form.File1()->folder(), "/");
}

}  // namespace
}  // namespace corvale::test
