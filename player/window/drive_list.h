#pragma once

#include <QComboBox>
#include <QString>

namespace corvale {

// The drive list of a system without drive letters: one entry per mounted
// file system, the root first. Picking one tells which folder to show.
class DriveList : public QComboBox {
  Q_OBJECT

 public:
  // Lists the mounts and selects the one holding `currentFolder`.
  DriveList(const QString& currentFolder, QWidget* parent);

  QString drive() const { return currentText(); }
  // The folder to show for the picked drive: the current folder when it lies
  // on that drive, else the drive's top folder.
  QString folderToShow() const;

 signals:
  void driveChanged(const QString& folder);

 private:
  QString currentFolder_;
};

}  // namespace corvale
