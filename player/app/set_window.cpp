#include "player/app/set_window.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "player/app/library_places.h"
#include "tune/regular_file.h"

namespace corvale {
namespace {

const QString kSetFiles = QStringLiteral("Sets (*.set);;All files (*)");

QPushButton* addButton(QBoxLayout& row, const QString& caption, QWidget* window) {
  auto* button = new QPushButton(caption, window);
  button->setAutoDefault(false);
  row.addWidget(button);
  return button;
}

}  // namespace

SetWindow::SetWindow(std::filesystem::path keptIn, PlaySet playSet, ShowMessage showMessage, QWidget* parent)
    : QWidget(parent, Qt::Window), keptIn_(std::move(keptIn)), playSet_(std::move(playSet)),
      showMessage_(std::move(showMessage)) {
  setWindowTitle(QStringLiteral("Set"));
  table_ = new QTableWidget(0, 3, this);
  table_->setHorizontalHeaderLabels({QStringLiteral("Tune"), QStringLiteral("Times"), QStringLiteral("File")});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  auto* buttons = new QHBoxLayout;
  QPushButton* up = addButton(*buttons, QStringLiteral("&Up"), this);
  QPushButton* down = addButton(*buttons, QStringLiteral("&Down"), this);
  QPushButton* remove = addButton(*buttons, QStringLiteral("&Remove"), this);
  buttons->addStretch();
  QPushButton* open = addButton(*buttons, QStringLiteral("&Open…"), this);
  QPushButton* save = addButton(*buttons, QStringLiteral("&Save As…"), this);
  QPushButton* play = addButton(*buttons, QStringLiteral("&Play Set"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addLayout(buttons);
  resize(620, 320);

  connect(up, &QPushButton::clicked, this, [this] { moveRow(table_->currentRow(), -1); });
  connect(down, &QPushButton::clicked, this, [this] { moveRow(table_->currentRow(), 1); });
  connect(remove, &QPushButton::clicked, this, [this] { removeRow(table_->currentRow()); });
  connect(open, &QPushButton::clicked, this, &SetWindow::openSetFile);
  connect(save, &QPushButton::clicked, this, &SetWindow::saveSetFile);
  connect(play, &QPushButton::clicked, this, &SetWindow::play);

  try {
    set_ = loadSet(keptIn_);
  } catch (const TuneFileError&) {
    // No set kept yet: the set starts empty.
  }
  refill(-1);
}

void SetWindow::add(const SetEntry& entry) {
  set_.entries.push_back(entry);
  keep();
  refill(static_cast<int>(set_.entries.size()) - 1);
}

void SetWindow::replace(const TuneSet& set) {
  set_ = set;
  keep();
  refill(-1);
}

void SetWindow::removeRow(int row) {
  if (row < 0 || row >= static_cast<int>(set_.entries.size())) return;
  set_.entries.erase(set_.entries.begin() + row);
  keep();
  refill(std::min(row, static_cast<int>(set_.entries.size()) - 1));
}

void SetWindow::moveRow(int row, int by) {
  const int to = row + by;
  if (row < 0 || to < 0 || to >= static_cast<int>(set_.entries.size())) return;
  moveEntry(set_, static_cast<std::size_t>(row), static_cast<std::size_t>(to));
  keep();
  refill(to);
}

void SetWindow::setTimes(int row, int times) {
  if (row < 0 || row >= static_cast<int>(set_.entries.size())) return;
  set_.entries[static_cast<std::size_t>(row)].times = std::clamp(times, 1, kMostTimes);
  keep();
}

void SetWindow::play() {
  if (set_.entries.empty()) {
    showMessage_(QStringLiteral("The set is empty: choose a tune and Add to Set (Ctrl+D) first."));
    return;
  }
  playSet_(set_);
}

void SetWindow::refill(int currentRow) {
  table_->setRowCount(static_cast<int>(set_.entries.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const SetEntry& entry = set_.entries[static_cast<std::size_t>(row)];
    auto* title = new QTableWidgetItem(QString::fromStdString(entry.title));
    title->setToolTip(title->text());
    table_->setItem(row, 0, title);
    auto* times = new QSpinBox(table_);
    times->setRange(1, kMostTimes);
    times->setValue(entry.times);
    times->setSuffix(QStringLiteral(" ×"));
    connect(times, &QSpinBox::valueChanged, this, [this, row](int value) { setTimes(row, value); });
    table_->setCellWidget(row, 1, times);
    auto* file = new QTableWidgetItem(shownPath(entry.file));
    file->setToolTip(file->text());
    table_->setItem(row, 2, file);
  }
  if (currentRow >= 0) table_->selectRow(currentRow);
}

void SetWindow::keep() {
  try {
    std::error_code ignored;
    std::filesystem::create_directories(keptIn_.parent_path(), ignored);
    saveSet(set_, keptIn_);
  } catch (const TuneFileError& error) {
    showMessage_(QString::fromStdString(error.what()));
  }
}

void SetWindow::openSetFile() {
  auto* dialog = new QFileDialog(this, QStringLiteral("Open Set"), QString(), kSetFiles);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
    try {
      int badLines = 0;
      replace(loadSet(pathOf(path), &badLines));
      if (badLines > 0) showMessage_(QStringLiteral("%1 lines of %2 could not be read.").arg(badLines).arg(path));
    } catch (const TuneFileError& error) {
      showMessage_(QString::fromStdString(error.what()));
    }
  });
  dialog->open();
}

void SetWindow::saveSetFile() {
  auto* dialog = new QFileDialog(this, QStringLiteral("Save Set"), QString(), kSetFiles);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setDefaultSuffix(QStringLiteral("set"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
    try {
      saveSet(set_, pathOf(path));
    } catch (const TuneFileError& error) {
      showMessage_(QString::fromStdString(error.what()));
    }
  });
  dialog->open();
}

}  // namespace corvale
