#include "player/window/drive_list.h"

#include <QStorageInfo>
#include <QStringList>

namespace corvale {
namespace {

QStringList mountPoints() {
  QStringList mounts;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && !mounts.contains(volume.rootPath())) {
      mounts << volume.rootPath();
    }
  }
  mounts.sort();
  mounts.removeAll(QStringLiteral("/"));
  mounts.prepend(QStringLiteral("/"));
  return mounts;
}

}  // namespace

DriveList::DriveList(const QString& currentFolder, QWidget* parent)
    : QComboBox(parent), currentFolder_(currentFolder) {
  addItems(mountPoints());
  setCurrentText(QStorageInfo(currentFolder).rootPath());
  connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(folderToShow()); });
}

QString DriveList::folderToShow() const {
  if (QStorageInfo(currentFolder_).rootPath() == drive()) return currentFolder_;
  return drive();
}

}  // namespace corvale
