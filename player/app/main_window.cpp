#include "player/app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "player/window/file_list.h"
#include "player/app/focus_frame.h"
#include "player/window/form1.h"
#include "player/app/keyboard_access.h"
#include "player/app/library_places.h"
#include "player/app/sound_menu.h"

namespace corvale {
namespace {

// Popups and dialogs that stay open would keep their nested event loops
// running; a handful of rounds closes any stack of them.
constexpr int kMostNestedWindows = 16;

QString firstLocalFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

}  // namespace

MainWindow::MainWindow(const HostFactory& makeHost, QWidget* parent) : QMainWindow(parent) {
  auto* clientArea = new QWidget(this);
  form_ = new Form1(makeHost, clientArea);
  clientArea->setFixedSize(form_->size());
  focusFrame_ = new FocusFrame(*form_, clientArea);
  setCentralWidget(clientArea);
  setWindowTitle(form_->windowTitle());
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  setAcceptDrops(true);

  actions_ = makePlayerActions(*form_, *this);
  connect(actions_.openTuneFile, &QAction::triggered, this, &MainWindow::chooseTuneFile);
  recentMenu_ = new QMenu(QStringLiteral("Open &Recent"), this);
  connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
  fillRecentMenu();
  readingMenu_ = new ReadingMenu(*form_, this);
  const ShowMessage showMessage = [this](const std::string& message) { form_->showMessage(message); };
  practiceMenu_ = new PracticeMenu(*form_, *this, showMessage);
  form_->setPracticeDesk(practiceMenu_);
  // A double-click on a line of the playing tune starts it again from there.
  connect(form_->List2(), &QListWidget::itemDoubleClicked, practiceMenu_,
          [this](QListWidgetItem* item) { practiceMenu_->startAgainFromLine(form_->List2()->row(item)); });
  soundMenu_ = form_->Midix() ? new SoundMenu(*form_->Midix(), *settings_, showMessage, this) : nullptr;
  exportEntries_ = new QMenu(this);
  exportActions_ = new ExportActions(*exportEntries_, [this] { return exportRequest(); }, *settings_, showMessage);
  library_ = new LibraryActions(*form_, *settings_, *this, [this](const QString& path) { openTuneFile(path); },
                                libraryIndexFile());
  buildMenuBar(*menuBar(), menuLayout(menuBarContents()));
  for (QAction* menu : menuBar()->actions()) {
    if (!menu->menu()) continue;
    connect(menu->menu(), &QMenu::aboutToShow, this, &MainWindow::updateAboutMelodex);
    connect(menu->menu(), &QMenu::aboutToShow, practiceMenu_, &PracticeMenu::refresh);
  }

  prepareKeyboardAccess(*form_);
  form_->setTuneFileOpened([this](const QString& path) {
    remember(path);
    // The browser that had the focus is gone: the keyboard goes on in the tune list.
    QWidget* focused = focusWidget();
    if (!focused || focused->isHidden()) form_->List1()->setFocus();
  });
}

MenuBarContents MainWindow::menuBarContents() const {
  MenuBarContents contents;
  contents.openTuneFile = actions_.openTuneFile;
  contents.openRecent = recentMenu_;
  contents.quit = actions_.quit;
  contents.startStop = actions_.startStop;
  contents.faster = actions_.faster;
  contents.slower = actions_.slower;
  contents.switchInstrument = actions_.switchInstrument;
  contents.menusAfterPlay = {practiceMenu_->section(), readingMenu_->section()};
  if (soundMenu_) contents.menusAfterPlay.push_back(soundMenu_->section());
  for (QAction* entry : exportEntries_->actions()) contents.fileExtras.push_back(entry);
  contents.fileExtras.push_back(library_->musicFolder);
  // Switch Instrument at Each Start stands by Switch Instrument; finding and sets after them.
  contents.playExtras = {practiceMenu_->switchInstrumentAtEachStart(), nullptr};
  for (QAction* entry : library_->playEntries()) contents.playExtras.push_back(entry);
  contents.aboutCorvale = library_->aboutCorvale;
  contents.keyboardShortcuts = actions_.keyboardShortcuts;
  contents.whatItReads = actions_.whatItReads;
  contents.aboutMelodex = actions_.aboutMelodex;
  return contents;
}

void MainWindow::openTuneFile(const QString& path) {
  // Before the first file the player loop starts here and runs until the
  // window closes: it must not run inside a menu's, a dialog's or a drop's handler.
  QTimer::singleShot(0, form_, [form = form_, path] { form->openTuneFile(path); });
}

void MainWindow::openRecentFile(const QString& path) {
  if (QFileInfo(path).isFile()) {
    openTuneFile(path);
    return;
  }
  recentFiles_.remove(path);
  refreshRecentMenu();
  form_->showMessage(path.toStdString() + " is no longer there, so it has been taken off the recent files.");
}

void MainWindow::chooseTuneFile() {
  const QString current = form_->tunePath();
  const QString folder = current.isEmpty() ? form_->File1()->folder() : QFileInfo(current).path();
  auto* dialog = new QFileDialog(this, QStringLiteral("Open Tune File"), folder,
                                 QStringLiteral("ABC tune files (*.abc);;All files (*)"));
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QFileDialog::fileSelected, this, &MainWindow::openTuneFile);
  dialog->open();
}

void MainWindow::closeEverything() {
  for (int round = 0; round < kMostNestedWindows; ++round) {
    QWidget* open = QApplication::activePopupWidget();
    if (!open) open = QApplication::activeModalWidget();
    if (!open || open == this) break;
    open->close();
  }
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Form1 ends the player loop and its play; the MIDI output closes with it.
  form_->close();
  event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!firstLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString path = firstLocalFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  openTuneFile(path);
}

void MainWindow::updateAboutMelodex() {
  // The control's About box is modal and would hold the sounding note for as
  // long as it is open: it is offered while no tune plays.
  actions_.aboutMelodex->setEnabled(form_->Midix() && form_->runCaption() == kStartCaption);
}

void MainWindow::fillRecentMenu() {
  recentMenu_->clear();
  const QStringList paths = recentFiles_.paths();
  for (const QString& path : paths) {
    QAction* entry = recentMenu_->addAction(path);
    connect(entry, &QAction::triggered, this, [this, path] { openRecentFile(path); });
  }
  recentMenu_->setEnabled(!paths.isEmpty());
}

ExportRequest MainWindow::exportRequest() const {
  ExportRequest request;
  if (form_->tunePath().isEmpty()) {
    request.refusal = "Choose a tune file first: there is no tune to export yet.";
  } else {
    request.source = ExportSource{std::filesystem::path(QFile::encodeName(form_->tunePath()).toStdString()),
                                  form_->chosenTune(),
                                  {form_->tempoValue(), form_->replaysValue(), form_->instrumentCaption(), form_->reading(),
                                   form_->readingOptions()},
                                  form_->selectedTuneTitle(),
                                  practiceMenu_->tempoFromTune()->isChecked()};
  }
  return request;
}

void MainWindow::remember(const QString& path) {
  if (!QFileInfo(path).isFile()) return;
  recentFiles_.add(path);
  refreshRecentMenu();
}

void MainWindow::refreshRecentMenu() {
  // Later, from the event loop: the entry being chosen may be one of those replaced.
  QTimer::singleShot(0, this, &MainWindow::fillRecentMenu);
}

}  // namespace corvale
