#include "player/app/library_actions.h"

#include <QAction>
#include <QFileDialog>
#include <QKeySequence>
#include <QTimer>
#include <system_error>

#include "player/app/about_corvale.h"
#include "player/app/find_tune_dialog.h"
#include "player/app/library_indexer.h"
#include "player/app/library_places.h"
#include "player/app/library_window.h"
#include "player/app/open_file_tunes.h"
#include "player/app/set_window.h"
#include "player/window/form1.h"

namespace corvale {
namespace {

QAction* makeAction(const QString& text, const QKeySequence& key, QWidget& window) {
  auto* action = new QAction(text, &window);
  if (!key.isEmpty()) action->setShortcut(key);
  window.addAction(action);
  return action;
}

std::string trimmed(const QString& text) { return text.trimmed().toStdString(); }

bool isOpenFile(const Form1& form, const std::filesystem::path& file) {
  if (form.tunePath().isEmpty()) return false;
  std::error_code error;
  return std::filesystem::equivalent(pathOf(form.tunePath()), file, error);
}

}  // namespace

LibraryActions::LibraryActions(Form1& form, QSettings& settings, QWidget& window, OpenTuneFile openTuneFile,
                               std::filesystem::path indexFile)
    : QObject(&window), form_(form), settings_(settings), window_(window), openTuneFile_(std::move(openTuneFile)) {
  musicFolder = makeAction(QStringLiteral("&Music Folder…"), {}, window);
  findTune = makeAction(QStringLiteral("&Find Tune…"), QKeySequence(Qt::CTRL | Qt::Key_F), window);
  findNext = makeAction(QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3), window);
  findPrevious = makeAction(QStringLiteral("Find Pre&vious"), QKeySequence(Qt::SHIFT | Qt::Key_F3), window);
  findInMusicFolder =
      makeAction(QStringLiteral("Find in &Music Folder…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), window);
  addToSet = makeAction(QStringLiteral("&Add to Set"), QKeySequence(Qt::CTRL | Qt::Key_D), window);
  showSet = makeAction(QStringLiteral("S&et…"), {}, window);
  playSet = makeAction(QStringLiteral("Play Se&t"), {}, window);
  aboutCorvale = makeAction(QStringLiteral("About &corvale"), {}, window);

  indexer_ = new LibraryIndexer(std::move(indexFile), this);
  findDialog_ = new FindTuneDialog(form, &window);
  const auto showMessage = [&form](const QString& message) { form.showMessage(message.toStdString()); };
  libraryWindow_ = new LibraryWindow(
      *indexer_, [this](const std::filesystem::path& file, std::uint64_t tune) { openTune(file, tune); },
      [this](SetEntry entry) {
        entry.times = form_.replaysValue() + 1;
        setWindow_->add(entry);
      },
      &window);
  // From the window's event loop: before the first file the player loop starts
  // there and runs until the window closes, which must not be inside a button's handler.
  setWindow_ = new SetWindow(
      currentSetFile(),
      [&form](const TuneSet& set) { QTimer::singleShot(0, &form, [&form, set] { form.playSet(set); }); },
      showMessage, &window);

  connect(musicFolder, &QAction::triggered, this, &LibraryActions::chooseMusicFolder);
  connect(findTune, &QAction::triggered, findDialog_, &FindTuneDialog::openForFinding);
  connect(findNext, &QAction::triggered, findDialog_, &FindTuneDialog::findNext);
  connect(findPrevious, &QAction::triggered, findDialog_, &FindTuneDialog::findPrevious);
  connect(findInMusicFolder, &QAction::triggered, this,
          [this] { libraryWindow_->showFor(keptMusicFolder(settings_)); });
  connect(addToSet, &QAction::triggered, this, &LibraryActions::addSelectedTune);
  connect(showSet, &QAction::triggered, this, [this] {
    setWindow_->show();
    setWindow_->raise();
  });
  connect(playSet, &QAction::triggered, setWindow_, &SetWindow::play);
  connect(aboutCorvale, &QAction::triggered, this, [this] { showAboutCorvale(window_, settings_); });

  // The folder may have changed since the last run: look again, aside.
  if (const QString folder = keptMusicFolder(settings_); !folder.isEmpty()) {
    QTimer::singleShot(0, indexer_, [this, folder] { indexer_->index(folder); });
  }
}

std::vector<QAction*> LibraryActions::playEntries() const {
  return {findTune, findNext, findPrevious, findInMusicFolder, nullptr, addToSet, showSet, playSet};
}

void LibraryActions::chooseMusicFolder() {
  auto* dialog = new QFileDialog(&window_, QStringLiteral("Music Folder"), keptMusicFolder(settings_));
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& folder) {
    keepMusicFolder(settings_, folder);
    libraryWindow_->showFor(folder);
    indexer_->index(folder);
  });
  dialog->open();
}

void LibraryActions::openTune(const std::filesystem::path& file, std::uint64_t tune) {
  if (isOpenFile(form_, file) && form_.List1()->count() > 0) {
    selectInTuneList(tune);
    return;
  }
  // The loop reads the file at its next look at the window; the tune is
  // selected once the new list has been made.
  disconnect(pendingSelection_);
  pendingSelection_ = connect(
      form_.List1()->model(), &QAbstractItemModel::modelReset, this,
      [this, file, tune] {
        if (!isOpenFile(form_, file)) return;
        disconnect(pendingSelection_);
        selectInTuneList(tune);
      },
      Qt::QueuedConnection);
  openTuneFile_(shownPath(file));
}

void LibraryActions::selectInTuneList(std::uint64_t tune) {
  const int row = OpenFileTunes::of(form_).rowOf(tune);
  if (row < 0) return;
  form_.List1()->setCurrentRow(row);
  form_.List1()->scrollTo(form_.List1()->model()->index(row, 0));
  window_.activateWindow();
  form_.List1()->setFocus();
}

void LibraryActions::addSelectedTune() {
  const int selected = form_.List1()->selectedRow();
  const std::optional<OpenFileTunes::Entry> entry = OpenFileTunes::of(form_).entry(selected);
  if (!entry || entry->tune == 0) {
    form_.showMessage("Choose a tune in the list first");
    return;
  }
  setWindow_->add({pathOf(form_.tunePath()), entry->tune, trimmed(QString::fromStdString(entry->title)),
                   form_.replaysValue() + 1});
  setWindow_->show();
}

}  // namespace corvale
