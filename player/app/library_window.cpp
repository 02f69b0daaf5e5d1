#include "player/app/library_window.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "player/app/library_indexer.h"
#include "player/app/library_places.h"
#include "player/library/library_database.h"
#include "player/library/library_search.h"

namespace corvale {
namespace {

constexpr int kShownHits = 500;
constexpr int kFileRole = Qt::UserRole;
constexpr int kTuneRole = Qt::UserRole + 1;
const QStringList kColumns{QStringLiteral("Title"), QStringLiteral("Key"), QStringLiteral("Rhythm"),
                           QStringLiteral("Metre"), QStringLiteral("File")};

QStandardItem* cell(const std::string& text) {
  auto* item = new QStandardItem(QString::fromStdString(text));
  item->setEditable(false);
  return item;
}

}  // namespace

LibraryWindow::LibraryWindow(LibraryIndexer& indexer, OpenTune openTune, AddToSet addToSet, QWidget* parent)
    : QWidget(parent, Qt::Window), indexer_(indexer), openTune_(std::move(openTune)), addToSet_(std::move(addToSet)) {
  setWindowTitle(QStringLiteral("Find in Music Folder"));
  field_ = new QLineEdit(this);
  field_->setPlaceholderText(QStringLiteral("Words of any field, key:G rhythm:reel metre:6/8"));
  field_->setClearButtonEnabled(true);
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  progress_ = new QProgressBar(this);
  progress_->hide();
  model_ = new QStandardItemModel(0, static_cast<int>(kColumns.size()), this);
  model_->setHorizontalHeaderLabels(kColumns);
  results_ = new QTableView(this);
  results_->setModel(model_);
  results_->setSortingEnabled(true);
  results_->sortByColumn(0, Qt::AscendingOrder);
  results_->setWordWrap(false);
  results_->setTextElideMode(Qt::ElideMiddle);
  results_->setSelectionBehavior(QAbstractItemView::SelectRows);
  results_->setSelectionMode(QAbstractItemView::SingleSelection);
  results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  results_->verticalHeader()->hide();
  results_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  results_->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(field_);
  layout->addWidget(status_);
  layout->addWidget(progress_);
  layout->addWidget(results_);
  resize(760, 480);

  auto* add = new QAction(QStringLiteral("Add to Set"), this);
  add->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  add->setShortcutContext(Qt::WindowShortcut);
  addAction(add);
  connect(add, &QAction::triggered, this, [this] {
    if (const std::optional<SetEntry> entry = entryOf(currentRow()); entry && addToSet_) addToSet_(*entry);
  });
  connect(field_, &QLineEdit::textChanged, this, &LibraryWindow::search);
  // Enter in the field opens the selected tune, else the first found.
  connect(field_, &QLineEdit::returnPressed, this, [this] { openRow(currentRow() >= 0 ? currentRow() : 0); });
  connect(results_, &QTableView::activated, this, [this](const QModelIndex& index) { openRow(index.row()); });
  connect(&indexer_, &LibraryIndexer::progressed, this, &LibraryWindow::showProgress);
  connect(&indexer_, &LibraryIndexer::finished, this, &LibraryWindow::indexingEnded);
  connect(&indexer_, &LibraryIndexer::failed, this, [this](const QString& reason) {
    progress_->hide();
    status_->setText(QStringLiteral("The music folder could not be indexed: ") + reason);
  });
}

LibraryWindow::~LibraryWindow() = default;

void LibraryWindow::showFor(const QString& musicFolder) {
  musicFolder_ = musicFolder;
  show();
  raise();
  activateWindow();
  field_->setFocus();
  search();
}

void LibraryWindow::search() {
  if (musicFolder_.isEmpty()) {
    status_->setText(QStringLiteral("Choose the folder your tune files are in: File ▸ Music Folder…"));
    return;
  }
  SearchAnswer answer;
  try {
    // Opened when first needed and after every pass: a pass may have made the index anew.
    if (!database_) database_ = LibraryDatabase::openForSearching(indexer_.indexFile());
    answer = searchLibrary(*database_, parseSearchQuery(field_->text().toStdString()), kShownHits);
  } catch (const LibraryError& error) {
    database_.reset();
    if (!indexer_.running()) status_->setText(QStringLiteral("The index cannot be searched yet: ") + error.what());
    model_->removeRows(0, model_->rowCount());
    return;
  }
  results_->setSortingEnabled(false);
  model_->removeRows(0, model_->rowCount());
  for (const LibraryHit& hit : answer.hits) {
    // The file within the music folder, its whole path on pointing.
    const QString file = shownPath(hit.file);
    const QString within = QDir(musicFolder_).relativeFilePath(file);
    QList<QStandardItem*> row{cell(hit.title), cell(hit.key), cell(hit.rhythm), cell(hit.metre),
                              cell((within.startsWith(QStringLiteral("..")) ? file : within).toStdString())};
    row.front()->setData(QByteArray::fromStdString(hit.file.native()), kFileRole);
    row.front()->setData(static_cast<qulonglong>(hit.number), kTuneRole);
    row.front()->setToolTip(row.front()->text());
    row.back()->setToolTip(file);
    model_->appendRow(row);
  }
  results_->setSortingEnabled(true);
  if (!indexer_.running()) {
    status_->setText(answer.more ? QStringLiteral("The first %1 tunes found; more words find fewer.").arg(kShownHits)
                                 : QStringLiteral("%1 tunes found in %2.").arg(answer.hits.size()).arg(musicFolder_));
  }
}

std::optional<SetEntry> LibraryWindow::entryOf(int row) const {
  if (row < 0 || row >= model_->rowCount()) return std::nullopt;
  const QStandardItem* title = model_->item(row, 0);
  return SetEntry{title->data(kFileRole).toByteArray().toStdString(), title->data(kTuneRole).toULongLong(),
                  title->text().toStdString(), 1};
}

int LibraryWindow::currentRow() const {
  const QModelIndex current = results_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void LibraryWindow::openRow(int row) {
  if (const std::optional<SetEntry> entry = entryOf(row); entry && openTune_) openTune_(entry->file, entry->tune);
}

void LibraryWindow::showProgress(int done, int total) {
  progress_->setRange(0, total);
  progress_->setValue(done);
  progress_->show();
  status_->setText(QStringLiteral("Indexing %1: %2 of %3 files…").arg(musicFolder_).arg(done).arg(total));
}

void LibraryWindow::indexingEnded(const IndexReport& report) {
  progress_->hide();
  database_.reset();
  search();
  status_->setText(describe(report) + QStringLiteral(" ") + status_->text());
}

}  // namespace corvale
