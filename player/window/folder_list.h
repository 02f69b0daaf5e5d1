#pragma once

#include <QListWidget>
#include <QString>

namespace corvale {

// A folder list: the path from the top folder down to the current folder,
// each step indented one more, then the current folder's subfolders.
// Opening an entry (double click or Enter) makes it the current folder.
class FolderList : public QListWidget {
  Q_OBJECT

 public:
  FolderList(const QString& folder, QWidget* parent);

  QString folder() const { return folder_; }
  void setFolder(const QString& folder);

 signals:
  void folderChanged(const QString& folder);

 private:
  QString folder_;
};

}  // namespace corvale
