#include "player/window/form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFont>
#include <QPalette>
#include <cmath>
#include <filesystem>
#include <utility>

#include "melodex/control_loader.h"
#include "melodex/sound_output.h"
#include "melodex/entry_points.h"
#include "player/play/instrument_switch.h"
#include "player/window/colour_button.h"
#include "player/window/display_box.h"
#include "player/window/drive_list.h"
#include "player/window/eliding_label.h"
#include "player/window/file_list.h"
#include "player/window/folder_list.h"
#include "player/window/message_area.h"
#include "player/window/picture_box.h"
#include "player/loop/player_loop.h"
#include "player/window/readout_text.h"
#include "player/window/tune_line_marks.h"
#include "player/window/tune_list.h"
#include "player/window/twips.h"

namespace corvale {
namespace {

const QColor kStartGreen(0, 255, 0);
const QColor kStopRed(255, 0, 0);
const QColor kOrange(255, 128, 0);
const QColor kBrowserBrown(192, 64, 0);
const QColor kFolderPeach(255, 192, 128);
const QColor kFileCream(255, 224, 192);
const QColor kHeadingMaroon(128, 0, 0);
const QColor kTitleRed(192, 0, 0);

constexpr int kTempoMinimum = 1;
constexpr int kTempoMaximum = 30;
constexpr int kTempoAtStart = 11;
constexpr int kReplaysMaximum = 99;

QFont sansFont(double points, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void setColours(QWidget* widget, QPalette::ColorRole backgroundRole, const QColor& background,
                QPalette::ColorRole textRole, const QColor& text) {
  QPalette colours = widget->palette();
  colours.setColor(backgroundRole, background);
  colours.setColor(textRole, text);
  widget->setPalette(colours);
}

QLabel* makeLabel(const QString& caption, const QRect& place, const QColor& background, const QColor& text,
                  QWidget* window, QLabel* label = nullptr) {
  if (!label) label = new QLabel(caption, window);
  label->setGeometry(place);
  label->setAutoFillBackground(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  // As a label does, a caption too wide for one line goes on over the next.
  label->setWordWrap(true);
  setColours(label, QPalette::Window, background, QPalette::WindowText, text);
  return label;
}

template <class List>
List* placeTuneList(List* list, const QRect& place) {
  list->setGeometry(place);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  setColours(list, QPalette::Base, Qt::white, QPalette::Text, Qt::black);
  return list;
}

QScrollBar* makeSlider(int minimum, int maximum, int value, const QRect& place, QWidget* window) {
  auto* slider = new QScrollBar(Qt::Horizontal, window);
  slider->setGeometry(place);
  slider->setRange(minimum, maximum);
  slider->setValue(value);
  // Arrow and page clicks alike move one step.
  slider->setSingleStep(1);
  slider->setPageStep(1);
  return slider;
}

DisplayBox* makeReadout(const QRect& place, QWidget* window) {
  auto* readout = new DisplayBox(QStringLiteral("0"), kFileCream, Qt::black, window);
  readout->setGeometry(place);
  readout->setFont(sansFont(9.75, true));
  return readout;
}

}  // namespace

Form1::Form1(const HostFactory& makeHost, QWidget* parent)
    : QWidget(parent), fingerboard_(this), heardBoxes_(fingerboard_, melodex::heardDelayMicroseconds) {
  setWindowTitle(QStringLiteral("Form1"));
  setFixedSize(twipsToPixels(14910), twipsToPixels(8595));
  setAutoFillBackground(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setFont(sansFont(8.25, false));

  const QString startFolder = QDir::currentPath();

  command1_ = new ColourButton(QString::fromLatin1(kStartCaption), kStartGreen, this);
  command1_->setGeometry(rectFromTwips(9600, 5640, 1095, 495));
  command1_->setFont(sansFont(8.25, true));
  command2_ = new ColourButton(QString::fromLatin1(kFiddleCaption), kOrange, this);
  command2_->setGeometry(rectFromTwips(9600, 5160, 1095, 495));
  command2_->setFont(sansFont(8.25, true));

  drive1_ = new DriveList(startFolder, this);
  drive1_->setGeometry(rectFromTwips(120, 4560, 1695, 315));
  // A border in the style sheet makes every Qt style draw the plain fill.
  drive1_->setStyleSheet(QStringLiteral(
      "QComboBox { background-color: rgb(192,64,0); color: white; border: 1px solid black; padding-left: 2px; }"));
  dir1_ = new FolderList(startFolder, this);
  dir1_->setGeometry(rectFromTwips(120, 4800, 1695, 1665));
  setColours(dir1_, QPalette::Base, kFolderPeach, QPalette::Text, Qt::black);
  file1_ = new FileList(startFolder, this);
  file1_->setGeometry(rectFromTwips(120, 6480, 1695, 2040));
  setColours(file1_, QPalette::Base, kFileCream, QPalette::Text, Qt::black);

  text2_ = new DisplayBox(QStringLiteral("   Click On Selected Tune"), kHeadingMaroon, Qt::white, this);
  text2_->setGeometry(rectFromTwips(9600, 1920, 2295, 285));
  list1_ = placeTuneList(new TuneList(this), rectFromTwips(9600, 2160, 2295, 2985));
  list2_ = placeTuneList(new QListWidget(this), rectFromTwips(5040, 120, 6855, 1620));
  tuneLineMarks_ = new TuneLineMarks(*list2_);

  label7_ = makeLabel(QStringLiteral("     TEMPO"), rectFromTwips(10680, 5160, 1215, 255), kHeadingMaroon,
                      Qt::white, this);
  hscroll2_ = makeSlider(kTempoMinimum, kTempoMaximum, kTempoAtStart, rectFromTwips(10680, 5400, 735, 255), this);
  text6_ = makeReadout(rectFromTwips(11400, 5400, 495, 285), this);
  label6_ = makeLabel(QStringLiteral("   REPLAYS"), rectFromTwips(10680, 5640, 1215, 255), kHeadingMaroon,
                      Qt::white, this);
  hscroll1_ = makeSlider(0, kReplaysMaximum, 0, rectFromTwips(10680, 5880, 735, 255), this);
  text3_ = makeReadout(rectFromTwips(11400, 5880, 480, 285), this);

  label3_ = makeLabel(QStringLiteral("NOW PLAYING:"), rectFromTwips(1920, 8160, 1095, 375), kBrowserBrown,
                      Qt::white, this);
  label3_->setFont(sansFont(8.25, true));
  // A title too long for its place ends in "…", the whole of it shown on pointing.
  label1_ = makeLabel(QString(), rectFromTwips(3000, 8160, 4095, 375), kBrowserBrown, Qt::white, this,
                      new ElidingLabel(this));
  label1_->setFont(sansFont(13.5, true));
  label4_ = makeLabel(QStringLiteral("KEY:"), rectFromTwips(7080, 8160, 975, 375), kBrowserBrown, Qt::white, this);
  label4_->setFont(sansFont(8.25, true));
  label5_ = makeLabel(QString(), rectFromTwips(8040, 8160, 1335, 375), kBrowserBrown, Qt::white, this);
  label5_->setFont(sansFont(13.5, true));

  label2_ = makeLabel(QStringLiteral("corvale " CORVALE_VERSION_TEXT), rectFromTwips(6360, 2040, 3135, 855),
                      kTitleRed, palette().color(QPalette::HighlightedText), this);
  QFont titleFont(QStringLiteral("DejaVu Serif"));
  titleFont.setPointSizeF(14.25);
  titleFont.setBold(true);
  label2_->setFont(titleFont);

  picture1_ = new PictureBox(this);
  picture1_->setGeometry(rectFromTwips(9600, 6360, 2295, 2295));
  messageArea_ = new MessageArea(this);
  messageArea_->setGeometry(picture1_->geometry());

  // Shown by the first click in the file list.
  for (QWidget* control : std::initializer_list<QWidget*>{list1_, label7_, hscroll2_, text6_, label6_, hscroll1_,
                                                          text3_}) {
    control->hide();
  }

  connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(drive1_, &DriveList::driveChanged, this, &Form1::Drive1_Change);
  connect(dir1_, &FolderList::folderChanged, this, &Form1::Dir1_Change);
  connect(file1_, &FileList::fileClicked, this, &Form1::File1_Click);
  connect(hscroll1_, &QScrollBar::valueChanged, this, &Form1::HScroll1_Change);
  connect(hscroll2_, &QScrollBar::valueChanged, this, &Form1::HScroll2_Change);

  createMidix(makeHost);
}

// Midix is declared after its host, so it goes first; destroying it closes the MIDI output.
Form1::~Form1() = default;

void Form1::createMidix(const HostFactory& makeHost) {
  host_ = makeHost(*this, propertyStore_);
  try {
    midix_ = melodex::createControl(melodex::kMidiControlProgId, *host_);
  } catch (const melodex::ControlLoadError& error) {
    // Without its MIDI control the player cannot play: say why, and leave
    // nothing to press that would need it.
    showMessage(std::string("The MIDI control could not be loaded, so nothing can be played. ") + error.what());
    for (QWidget* control : std::initializer_list<QWidget*>{command1_, command2_, file1_}) control->setEnabled(false);
    return;
  }
  midix_->ReadProperties();
  if (QWidget* face = midix_->face()) {
    // The window's foreground for the face drawn on its black background.
    setColours(face, QPalette::Window, Qt::black, QPalette::WindowText, Qt::white);
    face->setGeometry(QRect(pointFromTwips(2040, 6960),
                            QSize(twipsToPixels(midix_->widthTwips()), twipsToPixels(midix_->heightTwips()))));
  }
}

void Form1::Drive1_Change(const QString& folder) {
  dir1_->setFolder(folder);
  Dir1_Change(dir1_->folder());
}

void Form1::Dir1_Change(const QString& folder) { file1_->setFolder(folder); }

void Form1::File1_Click(const QString& fileName) {
  // The file list is hidden from here on: the first file is chosen once a run.
  if (!tunePath_.isEmpty() || !midix_) return;
  // The path is made of the listed name's own bytes, so any name opens.
  startPlayerLoop(QDir(file1_->folder()).filePath(fileName), file1_->pathOf(fileName));
}

void Form1::openTuneFile(const QString& path) {
  if (!midix_ || path.isEmpty()) return;
  if (tunePath_.isEmpty()) {
    startPlayerLoop(path, std::filesystem::path(QFile::encodeName(path).toStdString()));
    return;
  }
  // The loop takes the request at its next look at the window; Stop first,
  // so that a play in progress ends after its sounding note.
  requestedFile_ = path;
  showTunePath(path);
  if (tuneFileOpened_) tuneFileOpened_(path);
  if (runCaption() != kStartCaption) setRunning(false);
}

void Form1::startPlayerLoop(const QString& path, const std::filesystem::path& bytes) {
  for (QWidget* control : std::initializer_list<QWidget*>{list1_, label7_, hscroll2_, text6_, label6_, hscroll1_,
                                                          text3_}) {
    control->show();
  }
  HScroll1_Change(hscroll1_->value());
  HScroll2_Change(hscroll2_->value());
  showTunePath(path);
  for (QWidget* control : std::initializer_list<QWidget*>{drive1_, dir1_, file1_, label2_, picture1_}) {
    control->hide();
  }
  if (tuneFileOpened_) tuneFileOpened_(path);
  readfile(*this, *midix_, bytes);
}

void Form1::showTunePath(const QString& path) {
  tunePath_ = path;
  text2_->setText(tunePath_);
  text2_->setCursorPosition(0);
  // The narrow box shows the start of a long path; the whole of it on pointing.
  text2_->setToolTip(tunePath_);
}

void Form1::playSet(const TuneSet& set) {
  if (!midix_ || set.entries.empty()) return;
  requestedSet_ = set;
  if (tunePath_.isEmpty()) {
    const std::filesystem::path& first = set.entries.front().file;
    startPlayerLoop(QFile::decodeName(first.c_str()), first);
    return;
  }
  // The loop takes the set at its next look at the window, after the sounding note.
  if (runCaption() == kStopCaption) setRunning(false);
}

std::optional<TuneSet> Form1::takeRequestedSet() {
  if (!requestedSet_) return std::nullopt;
  // Handed over as its play begins: the button now stops the set.
  setRunning(true);
  return std::exchange(requestedSet_, std::nullopt);
}

std::optional<std::filesystem::path> Form1::takeRequestedFile() {
  if (requestedFile_.isEmpty()) return std::nullopt;
  const QString path = std::exchange(requestedFile_, QString());
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

void Form1::Command1_Click() { setRunning(runCaption() == kStartCaption); }

void Form1::Command2_Click() {
  if (midix_) switchInstrument(*this, *midix_);
}

void Form1::HScroll1_Change(int value) { text3_->setText(QString::fromStdString(readoutText(value))); }

void Form1::HScroll2_Change(int value) { text6_->setText(QString::fromStdString(readoutText(value))); }

void Form1::setRunning(bool running) {
  // Caption and colour always change together: the caption is the run state.
  command1_->setText(QString::fromLatin1(running ? kStopCaption : kStartCaption));
  command1_->setBackground(running ? kStopRed : kStartGreen);
}

int Form1::tempoValue() const { return hscroll2_->value(); }

int Form1::replaysValue() const { return hscroll1_->value(); }

std::string Form1::runCaption() const { return command1_->text().toStdString(); }

void Form1::setIdle() { setRunning(false); }

std::string Form1::instrumentCaption() const { return command2_->text().toStdString(); }

void Form1::setInstrumentCaption(const std::string& caption) { command2_->setText(QString::fromStdString(caption)); }

void Form1::setFretsVisible(bool visible) { fingerboard_.setFretsVisible(visible); }

void Form1::showBox(int box) { heardBoxes_.showBox(box); }

void Form1::hideBox(int box) { heardBoxes_.hideBox(box); }

void Form1::hideAllBoxes() { heardBoxes_.hideAll(); }

void Form1::listTuneLines(const std::vector<std::string>& lines) {
  list2_->clear();
  for (const std::string& line : lines) list2_->addItem(QString::fromStdString(line));
}

void Form1::clearTuneLines() { list2_->clear(); }

void Form1::setPaused(bool paused) {
  if (runCaption() == kStartCaption) return;
  command1_->setText(QString::fromLatin1(paused ? kPausedCaption : kStopCaption));
}

void Form1::showPlayedTempo(double tempo) {
  // A whole tempo as the slider's readout writes it, else with its tenths.
  const double tenths = std::round(tempo * 10);
  text6_->setText(std::fmod(tenths, 10) == 0 ? QString::fromStdString(readoutText(static_cast<int>(tenths / 10)))
                                             : QStringLiteral(" %1").arg(tenths / 10, 0, 'f', 1));
}

void Form1::setTempoValue(int tempo) { hscroll2_->setValue(tempo); }

void Form1::markTuneLine(std::size_t line, std::size_t column, std::size_t width) {
  tuneLineMarks_->mark(line, column, width);
}

void Form1::clearTuneLineMarks() { tuneLineMarks_->clear(); }

void Form1::showKeyText(const std::string& keyText) { label5_->setText(QString::fromStdString(keyText)); }

void Form1::processPendingEvents() { host_->processPendingEvents(); }

// The player asks for this between every two notes, when the window is
// nearly always shown already.
void Form1::showWindow() {
  if (!window()->isVisible()) window()->show();
}

void Form1::reportSoundUnavailable(int result, const std::string& reason) {
  // Plain words for the musician; the result code only where no reason is known.
  std::string message = "No sound output could be opened: ";
  message += reason.empty() ? "the MIDI output gave result " + std::to_string(result) : reason;
  showMessage(message + ". The tune plays on in silence.");
}

void Form1::prepareFingerboard() {
  fingerboard_.prepare([this] { showWindow(); });
}

void Form1::listTunes(TuneTitles titles) { list1_->setTitles(std::move(titles)); }

int Form1::selectedTuneRow() const { return list1_->selectedRow(); }

std::string Form1::selectedTuneTitle() const {
  const int row = list1_->selectedRow();
  return row < 0 ? std::string() : list1_->title(row).toStdString();
}

void Form1::selectTuneRow(int row) {
  if (row < 0 || row >= list1_->count()) {
    list1_->clearSelection();
    return;
  }
  list1_->setCurrentRow(row);
}

void Form1::showChosenTune(const std::string& title, std::uint64_t chosenTune) {
  label1_->setText(QString::fromStdString(title));
  label1_->setToolTip(label1_->text());
  chosenTune_ = chosenTune;
}

void Form1::showMessage(const std::string& message) {
  picture1_->hide();
  messageArea_->showMessage(message);
}

void Form1::clearMessage() { messageArea_->hide(); }

void Form1::waitForWindowEvents() {
  // Sleeps in the event dispatcher until something happens: no polling.
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void Form1::closeEvent(QCloseEvent* event) {
  closing_ = true;
  host_->requestClose();
  event->accept();
}

}  // namespace corvale
