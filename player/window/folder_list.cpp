#include "player/window/folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace corvale {
namespace {

constexpr int kFolderPathRole = Qt::UserRole;

QListWidgetItem* addEntry(QListWidget* list, const QString& name, const QString& path, int depth) {
  auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, list);
  item->setData(kFolderPathRole, path);
  return item;
}

}  // namespace

FolderList::FolderList(const QString& folder, QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const QString chosen = item->data(kFolderPathRole).toString();
    if (chosen == folder_) return;
    setFolder(chosen);
    emit folderChanged(folder_);
  });
  setFolder(folder);
}

void FolderList::setFolder(const QString& folder) {
  folder_ = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  clear();

  QStringList chain;
  for (QDir step(folder_);; ) {
    chain.prepend(step.absolutePath());
    if (step.isRoot() || !step.cdUp()) break;
  }
  int depth = 0;
  QListWidgetItem* current = nullptr;
  for (const QString& path : chain) {
    const QString name = QDir(path).isRoot() ? path : QDir(path).dirName();
    current = addEntry(this, name, path, depth++);
  }
  const QDir here(folder_);
  const QStringList children = here.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& child : children) {
    if (!child.startsWith(QLatin1Char('.'))) addEntry(this, child, here.filePath(child), depth);
  }
  setCurrentItem(current);
}

}  // namespace corvale
