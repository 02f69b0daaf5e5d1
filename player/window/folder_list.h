#pragma once

#include <QListWidget>
#include <QString>

#include "player/window/type_ahead.h"

namespace corvale {

// A folder list: the path from the top folder down to the current folder,
// each step indented one more, then the current folder's subfolders.
// Opening an entry (double click or Enter) makes it the current folder.
// Typing a folder's first letters goes to it, as in the tune list.
class FolderList : public QListWidget {
  Q_OBJECT

 public:
  FolderList(const QString& folder, QWidget* parent);

  QString folder() const { return folder_; }
  void setFolder(const QString& folder);

  void keyboardSearch(const QString& search) override { typeAhead_.search(*this, search); }

 signals:
  void folderChanged(const QString& folder);

 private:
  QString folder_;
  TypeAhead typeAhead_;
};

}  // namespace corvale
