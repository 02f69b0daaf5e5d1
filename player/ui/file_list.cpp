#include "player/ui/file_list.h"

#include <QDir>

namespace corvale {

FileList::FileList(const QString& folder, QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { emit fileClicked(item->text()); });
  setFolder(folder);
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
