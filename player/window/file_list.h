#pragma once

#include <QByteArray>
#include <QListWidget>
#include <QString>
#include <filesystem>

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

  // The path to open for the file the list shows as `name`, made of the name's own
  // bytes, so a name that is not valid UTF-8 opens the file it names. The last
  // clicked file when it shows as `name`, else the first listed under that name,
  // else `name` itself inside the folder.
  std::filesystem::path pathOf(const QString& name) const;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 signals:
  void fileClicked(const QString& name);

 private:
  QString folder_;
  QByteArray clickedBytes_;
  QString clickedName_;
};

}  // namespace corvale
