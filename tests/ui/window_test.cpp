// The window as the musician first sees it, and what each handler changes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFontInfo>
#include <QTest>
#include <vector>

#include "melodex/member_ids.h"
#include "player/ui/colour_button.h"
#include "player/ui/display_box.h"
#include "player/ui/drive_list.h"
#include "player/ui/file_list.h"
#include "player/ui/folder_list.h"
#include "player/ui/form1.h"
#include "player/ui/line_widget.h"
#include "player/ui/message_area.h"
#include "player/ui/picture_box.h"
#include "ui_test_support.h"

namespace corvale {
namespace {

using test::fillColour;

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

QRect twips(int left, int top, int width, int height) {
  return {left / 15, top / 15, width / 15, height / 15};
}

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    folder.write(QStringLiteral("reels.abc"), "X:1\nT:First\nK:D\nABc|\n");
    form.Dir1()->setFolder(folder.path());
    form.Dir1_Change(folder.path());
  }

  // The file click runs the player loop until the window closes: close it
  // from the loop's first wait.
  void chooseFileAndClose(const QString& name) {
    test::runSteps({[this] { form.close(); }});
    form.File1_Click(name);
  }

  test::TuneFolder folder;
  Form1 form;
};

TEST_F(WindowTest, WindowIsFixedSizeBlackAndCaptionedForm1) {
  EXPECT_EQ(form.windowTitle(), "Form1");
  EXPECT_EQ(form.size(), QSize(994, 573));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(fillColour(&form, 1), QColor(Qt::black));
}

TEST_F(WindowTest, ControlsSitWhereTheDesignPlacesThem) {
  const std::vector<std::pair<QWidget*, QRect>> places{
      {form.Command1(), twips(9600, 5640, 1095, 495)}, {form.Command2(), twips(9600, 5160, 1095, 495)},
      {form.Drive1(), twips(120, 4560, 1695, 315)},    {form.Dir1(), twips(120, 4800, 1695, 1665)},
      {form.File1(), twips(120, 6480, 1695, 2040)},    {form.Text2(), twips(9600, 1920, 2295, 285)},
      {form.List1(), twips(9600, 2160, 2295, 2985)},   {form.List2(), twips(5040, 120, 6855, 1620)},
      {form.Label7(), twips(10680, 5160, 1215, 255)},  {form.HScroll2(), twips(10680, 5400, 735, 255)},
      {form.Text6(), twips(11400, 5400, 495, 285)},    {form.Label6(), twips(10680, 5640, 1215, 255)},
      {form.HScroll1(), twips(10680, 5880, 735, 255)}, {form.Text3(), twips(11400, 5880, 480, 285)},
      {form.Label3(), twips(1920, 8160, 1095, 375)},   {form.Label1(), twips(3000, 8160, 4095, 375)},
      {form.Label4(), twips(7080, 8160, 975, 375)},    {form.Label5(), twips(8040, 8160, 1335, 375)},
      {form.Label2(), twips(6360, 2040, 3135, 855)},   {form.Picture1(), twips(9600, 6360, 2295, 2295)},
  };
  for (const auto& [control, place] : places) EXPECT_EQ(control->geometry(), place) << control->metaObject()->className();
  ASSERT_NE(form.Midix(), nullptr);
  ASSERT_NE(form.Midix()->face(), nullptr);
  EXPECT_EQ(form.Midix()->face()->pos(), QPoint(136, 464));
  EXPECT_EQ(form.Midix()->face()->size(),
            QSize(form.Midix()->widthTwips() / 15, form.Midix()->heightTwips() / 15));
}

TEST_F(WindowTest, CaptionsAndSliderSettingsAtStart) {
  EXPECT_EQ(form.Command1()->text(), "CLICK TO START");
  EXPECT_EQ(form.Command2()->text(), "FIDDLE");
  EXPECT_EQ(form.Text2()->text(), "   Click On Selected Tune");
  EXPECT_EQ(form.Label7()->text(), "     TEMPO");
  EXPECT_EQ(form.Label6()->text(), "   REPLAYS");
  EXPECT_EQ(form.Label3()->text(), "NOW PLAYING:");
  EXPECT_EQ(form.Label4()->text(), "KEY:");
  EXPECT_EQ(form.Label2()->text(), "corvale 2.0");
  EXPECT_TRUE(form.Label1()->text().isEmpty());
  EXPECT_TRUE(form.Label5()->text().isEmpty());
  EXPECT_EQ(form.Text6()->text(), "0");
  EXPECT_EQ(form.Text3()->text(), "0");
  EXPECT_EQ(form.List1()->count(), 0);
  EXPECT_EQ(form.List2()->count(), 0);
  EXPECT_EQ(form.HScroll2()->minimum(), 1);
  EXPECT_EQ(form.HScroll2()->maximum(), 30);
  EXPECT_EQ(form.HScroll2()->value(), 11);
  EXPECT_EQ(form.HScroll1()->minimum(), 0);
  EXPECT_EQ(form.HScroll1()->maximum(), 99);
  EXPECT_EQ(form.HScroll1()->value(), 0);
  for (QScrollBar* slider : {form.HScroll1(), form.HScroll2()}) {
    EXPECT_EQ(slider->singleStep(), 1);
    EXPECT_EQ(slider->pageStep(), 1);
  }
}

TEST_F(WindowTest, FacesSizesAndWeightsFollowTheDesign) {
  auto expectFont = [](QWidget* control, const QString& family, double points, bool bold) {
    EXPECT_EQ(QFontInfo(control->font()).family(), family) << control->metaObject()->className();
    EXPECT_DOUBLE_EQ(control->font().pointSizeF(), points);
    EXPECT_EQ(control->font().bold(), bold);
  };
  expectFont(&form, "DejaVu Sans", 8.25, false);
  expectFont(form.Command1(), "DejaVu Sans", 8.25, true);
  expectFont(form.Command2(), "DejaVu Sans", 8.25, true);
  expectFont(form.Text6(), "DejaVu Sans", 9.75, true);
  expectFont(form.Text3(), "DejaVu Sans", 9.75, true);
  expectFont(form.Label3(), "DejaVu Sans", 8.25, true);
  expectFont(form.Label1(), "DejaVu Sans", 13.5, true);
  expectFont(form.Label5(), "DejaVu Sans", 13.5, true);
  expectFont(form.Label2(), "DejaVu Serif", 14.25, true);
  expectFont(form.fingerboard().box(0), "DejaVu Sans", 12, true);
}

TEST_F(WindowTest, EachControlIsFilledWithItsBackgroundColour) {
  const std::vector<std::pair<QWidget*, QColor>> fills{
      {form.Command1(), kGreen},
      {form.Command2(), QColor(255, 128, 0)},
      {form.Drive1(), QColor(192, 64, 0)},
      {form.Dir1(), QColor(255, 192, 128)},
      {form.File1(), QColor(255, 224, 192)},
      {form.Text2(), QColor(128, 0, 0)},
      {form.List1(), QColor(Qt::white)},
      {form.List2(), QColor(Qt::white)},
      {form.Label7(), QColor(128, 0, 0)},
      {form.Label6(), QColor(128, 0, 0)},
      {form.Text6(), QColor(255, 224, 192)},
      {form.Text3(), QColor(255, 224, 192)},
      {form.Label3(), QColor(192, 64, 0)},
      {form.Label1(), QColor(192, 64, 0)},
      {form.Label4(), QColor(192, 64, 0)},
      {form.Label5(), QColor(192, 64, 0)},
      {form.Label2(), QColor(192, 0, 0)},
  };
  for (const auto& [control, colour] : fills) {
    EXPECT_EQ(fillColour(control), colour) << control->metaObject()->className() << " at "
                                           << control->x() << "," << control->y();
  }
}

TEST_F(WindowTest, BrowserTitleAndPictureShowUntilAFileIsChosen) {
  for (QWidget* hidden : std::vector<QWidget*>{form.List1(), form.Label7(), form.HScroll2(), form.Text6(),
                                               form.Label6(), form.HScroll1(), form.Text3()}) {
    EXPECT_TRUE(hidden->isHidden());
  }
  for (QWidget* shown : std::vector<QWidget*>{form.Drive1(), form.Dir1(), form.File1(), form.Label2(),
                                              form.Picture1(), form.Command1(), form.Command2(), form.List2(),
                                              form.Text2(), form.Label1(), form.Label3()}) {
    EXPECT_FALSE(shown->isHidden());
  }
  EXPECT_TRUE(form.Picture1()->hasPicture());
  EXPECT_TRUE(form.messageArea()->isHidden());
  for (int box = 0; box < 31; ++box) EXPECT_FALSE(form.fingerboard().box(box)->isHidden());
  for (int fret = 0; fret < 8; ++fret) EXPECT_FALSE(form.fingerboard().fret(fret)->isHidden());
}

TEST_F(WindowTest, FileClickSwapsTheBrowserForTheTuneListAndSliders) {
  chooseFileAndClose(QStringLiteral("reels.abc"));
  for (QWidget* shown : std::vector<QWidget*>{form.List1(), form.Label7(), form.HScroll2(), form.Text6(),
                                              form.Label6(), form.HScroll1(), form.Text3()}) {
    EXPECT_FALSE(shown->isHidden());
  }
  for (QWidget* hidden : std::vector<QWidget*>{form.Drive1(), form.Dir1(), form.File1(), form.Label2(),
                                               form.Picture1()}) {
    EXPECT_TRUE(hidden->isHidden());
  }
  EXPECT_EQ(form.Text3()->text(), " 0");
  EXPECT_EQ(form.Text6()->text(), " 11");
  EXPECT_EQ(form.tunePath(), folder.pathOf(QStringLiteral("reels.abc")));
  EXPECT_EQ(form.Text2()->text(), form.tunePath());
  for (int box = 0; box < 31; ++box) EXPECT_TRUE(form.fingerboard().box(box)->isHidden());
}

TEST_F(WindowTest, StartButtonFlipsCaptionAndColourTogether) {
  form.Command1_Click();
  EXPECT_EQ(form.Command1()->text(), "CLICK TO STOP");
  EXPECT_EQ(fillColour(form.Command1()), kRed);
  form.Command1_Click();
  EXPECT_EQ(form.Command1()->text(), "CLICK TO START");
  EXPECT_EQ(fillColour(form.Command1()), kGreen);
  form.Command1()->click();
  EXPECT_EQ(form.runCaption(), "CLICK TO STOP");
  form.setIdle();
  EXPECT_EQ(form.Command1()->text(), "CLICK TO START");
  EXPECT_EQ(fillColour(form.Command1()), kGreen);
}

TEST_F(WindowTest, InstrumentButtonSendsBanjoThenFiddleOnChannel8AndFretsFollow) {
  auto& midi = test::recordingPlatform();
  midi.clear();
  form.Command2()->click();
  EXPECT_EQ(form.Command2()->text(), "BANJO");
  for (int fret = 0; fret < 8; ++fret) EXPECT_FALSE(form.fingerboard().fret(fret)->isHidden());
  form.Command2_Click();
  EXPECT_EQ(form.Command2()->text(), "FIDDLE");
  for (int fret = 0; fret < 8; ++fret) EXPECT_TRUE(form.fingerboard().fret(fret)->isHidden());
  // Program change on channel 8 (status 0xC7): patch 105, then 110.
  EXPECT_EQ(midi.sentWords(), (std::vector<std::int32_t>{0xC7 + 105 * 256, 0xC7 + 110 * 256}));
}

TEST_F(WindowTest, ReadoutsShowSliderValuesAfterASignPosition) {
  chooseFileAndClose(QStringLiteral("reels.abc"));
  form.HScroll2()->setValue(form.HScroll2()->maximum());
  EXPECT_EQ(form.Text6()->text(), " 30");
  form.HScroll2()->setValue(form.HScroll2()->minimum());
  EXPECT_EQ(form.Text6()->text(), " 1");
  form.HScroll1()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(form.HScroll1()->value(), 1);
  EXPECT_EQ(form.Text3()->text(), " 1");
  EXPECT_EQ(form.tempoValue(), 1);
  EXPECT_EQ(form.replaysValue(), 1);
}

TEST_F(WindowTest, ClickingThePictureChangesNothing) {
  form.grab();  // the first drawing settles the window's look
  const QImage before = form.grab().toImage();
  QTest::mouseClick(form.Picture1(), Qt::LeftButton);
  EXPECT_EQ(form.grab().toImage(), before);
}

TEST_F(WindowTest, FileListShowsEveryFileNotBeginningWithADot) {
  folder.write(QStringLiteral(".hidden"), "");
  folder.write(QStringLiteral("notes.txt"), "");
  QDir(folder.path()).mkdir(QStringLiteral("sub"));
  // A pipe would leave the player waiting on it for ever: it is no tune file.
  ASSERT_EQ(::mkfifo(folder.pathOf(QStringLiteral("pipe")).toLocal8Bit().constData(), 0600), 0);
  QStringList names;
  for (int row = 0; row < form.File1()->count(); ++row) names << form.File1()->item(row)->text();
  EXPECT_EQ(names, QStringList{"reels.abc"});
  form.Dir1_Change(folder.path());
  names.clear();
  for (int row = 0; row < form.File1()->count(); ++row) names << form.File1()->item(row)->text();
  EXPECT_EQ(names, (QStringList{"notes.txt", "reels.abc"}));
}

TEST_F(WindowTest, OpeningAFolderListsItsFiles) {
  QDir(folder.path()).mkdir(QStringLiteral("jigs"));
  folder.write(QStringLiteral("jigs/a.abc"), "X:1\n");
  form.Dir1()->setFolder(folder.path());
  QListWidgetItem* jigs = form.Dir1()->findItems(QStringLiteral("jigs"), Qt::MatchEndsWith).value(0);
  ASSERT_NE(jigs, nullptr);
  emit form.Dir1()->itemActivated(jigs);
  EXPECT_EQ(form.Dir1()->folder(), folder.pathOf(QStringLiteral("jigs")));
  EXPECT_EQ(form.File1()->folder(), form.Dir1()->folder());
  ASSERT_EQ(form.File1()->count(), 1);
  EXPECT_EQ(form.File1()->item(0)->text(), "a.abc");
  // The path down to the folder comes first, the root at the top.
  EXPECT_EQ(form.Dir1()->item(0)->text(), "/");
}

TEST_F(WindowTest, DriveListPutsTheRootFirstAndShowsItsFolder) {
  ASSERT_GT(form.Drive1()->count(), 0);
  EXPECT_EQ(form.Drive1()->itemText(0), "/");
  form.Drive1_Change(QStringLiteral("/"));
  EXPECT_EQ(form.Dir1()->folder(), "/");
  EXPECT_EQ(form.File1()->folder(), "/");
}

TEST_F(WindowTest, SoundProblemIsShownWhereThePictureStood) {
  form.reportSoundUnavailable(6, "no General MIDI SoundFont is installed");
  EXPECT_FALSE(form.messageArea()->isHidden());
  EXPECT_TRUE(form.Picture1()->isHidden());
  EXPECT_EQ(form.messageArea()->geometry(), form.Picture1()->geometry());
  EXPECT_NE(form.messageArea()->message().find("no General MIDI SoundFont"), std::string::npos);
  EXPECT_EQ(fillColour(form.messageArea(), 1), QColor(Qt::black));
  EXPECT_EQ(form.messageArea()->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(form.size(), QSize(994, 573));
}

}  // namespace
}  // namespace corvale
