#pragma once

#include <QListWidget>
#include <QString>

class QEvent;
class QKeyEvent;

namespace corvale {

// A file list: every regular file of one folder whose name does not begin
// with ".", with no name pattern. One click chooses a file, and so do Return,
// Enter and Space on the current entry.
class FileList : public QListWidget {
  Q_OBJECT

 public:
  FileList(const QString& folder, QWidget* parent);

  QString folder() const { return folder_; }
  void setFolder(const QString& folder);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 signals:
  void fileClicked(const QString& name);

 private:
  QString folder_;
};

}  // namespace corvale
