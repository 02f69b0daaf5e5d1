#include "player/ui/file_list.h"

#include <QDir>
#include <QKeyEvent>

namespace corvale {

FileList::FileList(const QString& folder, QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { emit fileClicked(item->text()); });
  setFolder(folder);
}

namespace {

bool choosesFile(const QKeyEvent& key) {
  return key.modifiers() == Qt::NoModifier || key.modifiers() == Qt::KeypadModifier
             ? key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space
             : false;
}

}  // namespace

bool FileList::event(QEvent* event) {
  // These keys choose the file here, ahead of any shortcut of the window that uses them.
  if (event->type() == QEvent::ShortcutOverride && choosesFile(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QListWidget::event(event);
}

void FileList::keyPressEvent(QKeyEvent* event) {
  if (choosesFile(*event) && currentItem()) {
    emit fileClicked(currentItem()->text());
    return;
  }
  QListWidget::keyPressEvent(event);
}

void FileList::setFolder(const QString& folder) {
  folder_ = folder;
  clear();
  // Regular files only (hidden ones too, shown unless their name begins with
  // "."): a pipe or a device would leave the player waiting on it for ever.
  const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  for (const QString& name : names) {
    if (!name.startsWith(QLatin1Char('.'))) addItem(name);
  }
}

}  // namespace corvale
