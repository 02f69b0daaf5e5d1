#pragma once

#include <QListWidget>
#include <QString>

namespace corvale {

// A file list: every regular file of one folder whose name does not begin
// with ".", with no name pattern. One click chooses a file.
class FileList : public QListWidget {
  Q_OBJECT

 public:
  FileList(const QString& folder, QWidget* parent);

  QString folder() const { return folder_; }
  void setFolder(const QString& folder);

 signals:
  void fileClicked(const QString& name);

 private:
  QString folder_;
};

}  // namespace corvale
