// The window as the musician first sees it, and what each handler changes.
#include <QFontInfo>
#include <algorithm>
#include <array>
#include <tuple>

#include "player/window/drive_list.h"
#include "player/window/file_list.h"
#include "ui_test_support.h"

namespace corvale::test {
namespace {

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kMaroon(128, 0, 0);
const QColor kRust(192, 64, 0);
const QColor kCream(255, 224, 192);

QRect twips(int left, int top, int width, int height) { return {left / 15, top / 15, width / 15, height / 15}; }

TEST_F(WindowTest, WindowAndControlsSitWhereTheDesignPlacesThem) {
  EXPECT_EQ(form.windowTitle(), "Form1");
  EXPECT_EQ(form.size(), QSize(994, 573));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(fillColour(&form, 1), QColor(Qt::black));
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
  ASSERT_TRUE(form.Midix() && form.Midix()->face());
  EXPECT_EQ(form.Midix()->face()->geometry(),
            twips(2040, 6960, form.Midix()->widthTwips(), form.Midix()->heightTwips()));
}

TEST_F(WindowTest, CaptionsFacesAndSlidersAtStart) {
  const std::vector<std::pair<QString, QString>> captions{
      {form.Command1()->text(), "CLICK TO START"}, {form.Command2()->text(), "FIDDLE"},
      {form.Text2()->text(), "   Click On Selected Tune"}, {form.Label7()->text(), "     TEMPO"},
      {form.Label6()->text(), "   REPLAYS"}, {form.Label3()->text(), "NOW PLAYING:"},
      {form.Label4()->text(), "KEY:"}, {form.Label2()->text(), "corvale 2.0"},
      {form.Label1()->text(), ""}, {form.Label5()->text(), ""},
      {form.Text6()->text(), "0"}, {form.Text3()->text(), "0"},
  };
  for (const auto& [caption, expected] : captions) EXPECT_EQ(caption, expected);
  const QString sans = QStringLiteral("DejaVu Sans");
  for (const auto& [control, family, points, bold] : std::vector<std::tuple<QWidget*, QString, double, bool>>{
           {&form, sans, 8.25, false}, {form.Command1(), sans, 8.25, true}, {form.Command2(), sans, 8.25, true},
           {form.Text6(), sans, 9.75, true}, {form.Label3(), sans, 8.25, true}, {form.Label1(), sans, 13.5, true},
           {form.Label5(), sans, 13.5, true}, {form.Label2(), QStringLiteral("DejaVu Serif"), 14.25, true},
           {form.fingerboard().box(0), sans, 12, true}}) {
    EXPECT_EQ((std::tuple(QFontInfo(control->font()).family(), control->font().pointSizeF(), control->font().bold())),
              (std::tuple(family, points, bold)))
        << control->metaObject()->className();
  }
  // Tempo 1..30 from 11, replays 0..99 from 0, both in steps of 1.
  for (const auto& [slider, range] : std::vector<std::pair<QScrollBar*, std::array<int, 3>>>{
           {form.HScroll2(), {1, 30, 11}}, {form.HScroll1(), {0, 99, 0}}}) {
    EXPECT_EQ((std::array<int, 3>{slider->minimum(), slider->maximum(), slider->value()}), range);
    EXPECT_EQ(slider->singleStep(), 1);
    EXPECT_EQ(slider->pageStep(), 1);
  }
}

TEST_F(WindowTest, EachControlIsFilledWithItsBackgroundColour) {
  const std::vector<std::pair<QWidget*, QColor>> fills{
      {form.Command1(), kGreen},       {form.Command2(), QColor(255, 128, 0)}, {form.Drive1(), kRust},
      {form.Dir1(), QColor(255, 192, 128)}, {form.File1(), kCream},          {form.Text2(), kMaroon},
      {form.List1(), Qt::white},       {form.List2(), Qt::white},              {form.Label7(), kMaroon},
      {form.Label6(), kMaroon},        {form.Text6(), kCream},                 {form.Text3(), kCream},
      {form.Label3(), kRust},          {form.Label1(), kRust},                 {form.Label4(), kRust},
      {form.Label5(), kRust},          {form.Label2(), QColor(192, 0, 0)},
  };
  for (const auto& [control, colour] : fills) {
    EXPECT_EQ(fillColour(control), colour) << control->metaObject()->className() << " at " << control->x() << ","
                                           << control->y();
  }
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

TEST_F(WindowTest, StartButtonFlipsCaptionAndColourTogether) {
  form.Command1()->click();
  EXPECT_EQ(form.Command1()->text(), "CLICK TO STOP");
  EXPECT_EQ(fillColour(form.Command1()), kRed);
  form.Command1_Click();
  EXPECT_EQ(form.Command1()->text(), "CLICK TO START");
  EXPECT_EQ(fillColour(form.Command1()), kGreen);
}

TEST_F(WindowTest, InstrumentButtonSendsBanjoThenFiddleOnChannel8AndFretsFollow) {
  form.Command2()->click();
  EXPECT_EQ(form.Command2()->text(), "BANJO");
  for (int fret = 0; fret < kFretCount; ++fret) EXPECT_FALSE(form.fingerboard().fret(fret)->isHidden());
  form.Command2_Click();
  EXPECT_EQ(form.Command2()->text(), "FIDDLE");
  for (int fret = 0; fret < kFretCount; ++fret) EXPECT_TRUE(form.fingerboard().fret(fret)->isHidden());
  // Program change on channel 8 (status 0xC7): patch 105, then 110.
  EXPECT_EQ(recordingPlatform().sentWords(), (std::vector<std::int32_t>{0xC7 + 105 * 256, 0xC7 + 110 * 256}));
}

TEST_F(WindowTest, ReadoutsShowSliderValuesAfterASignPosition) {
  form.HScroll2()->setValue(form.HScroll2()->maximum());
  EXPECT_EQ(form.Text6()->text(), " 30");
  form.HScroll1()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(form.Text3()->text(), " 1");
}

TEST_F(WindowTest, ClickingThePictureChangesNothing) {
  form.grab();  // the first drawing settles the window's look
  const QImage before = form.grab().toImage();
  QTest::mouseClick(form.Picture1(), Qt::LeftButton);
  EXPECT_EQ(form.grab().toImage(), before);
}

TEST_F(WindowTest, FileListShowsEveryFileNotBeginningWithADot) {
  write(QStringLiteral(".hidden"), "");
  write(QStringLiteral("notes.txt"), "");
  QDir(folder.path()).mkdir(QStringLiteral("sub"));
  EXPECT_EQ(itemTexts(form.File1()), QStringList{"tunes.abc"});
  form.Dir1_Change(folder.path());
  EXPECT_EQ(itemTexts(form.File1()), (QStringList{"notes.txt", "tunes.abc"}));
}

// Opening a folder from its list is checked by key in the program's window.
TEST_F(WindowTest, FolderAndDriveListsStartAtTheRoot) {
  EXPECT_EQ(form.Dir1()->item(0)->text(), "/");
  EXPECT_EQ(form.Drive1()->itemText(0), "/");
  form.Drive1_Change(QStringLiteral("/"));
  EXPECT_EQ(form.File1()->folder(), "/");
}

}  // namespace
}  // namespace corvale::test
