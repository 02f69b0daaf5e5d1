#include "player/window/file_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <QKeyEvent>
#include <algorithm>
#include <memory>
#include <vector>

namespace corvale {

namespace {

constexpr int kNameBytesRole = Qt::UserRole;

// A name in a folder as the file system holds it (bytes, in any encoding) and as the
// list shows it (bad UTF-8 shown as the replacement character U+FFFD).
struct ListedFile {
  QByteArray bytes;
  QString shown;
};

// The regular files of `folder` (its path's bytes) whose names do not begin with ".".
std::vector<ListedFile> listRegularFiles(const QByteArray& folder) {
  // Read with the C library: Qt's own folder listing leaves out names that are not
  // valid UTF-8, and its "files" filter lets links to FIFOs and devices through.
  std::vector<ListedFile> files;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), &::closedir);
  if (!dir) return files;
  QByteArray prefix = folder;
  if (!prefix.endsWith('/')) prefix += '/';
  while (const dirent* entry = ::readdir(dir.get())) {
    const QByteArray name(entry->d_name);
    if (name.startsWith('.')) continue;
    struct stat status {};
    // stat follows links, so a link is judged on its target.
    if (::stat((prefix + name).constData(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
    files.push_back({name, QString::fromUtf8(name)});
  }
  // By name as shown, case counting, as the list has always been sorted; names that
  // show the same (bad bytes replaced alike) keep a fixed order by their bytes.
  std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) {
    const int order = a.shown.compare(b.shown, Qt::CaseSensitive);
    return order != 0 ? order < 0 : a.bytes < b.bytes;
  });
  return files;
}


}  // namespace

FileList::FileList(const QString& folder, QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    clickedBytes_ = item->data(kNameBytesRole).toByteArray();
    clickedName_ = item->text();
    emit fileClicked(item->text());
  });
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
  clickedBytes_.clear();
  clickedName_.clear();
  // Regular files only (hidden ones too, shown unless their name begins with
  // "."), a link judged on its target: a pipe or a device would leave the player
  // waiting on it for ever. Names that are not valid UTF-8 are listed too.
  for (const ListedFile& file : listRegularFiles(QFile::encodeName(folder))) {
    auto* item = new QListWidgetItem(file.shown, this);
    item->setData(kNameBytesRole, file.bytes);
  }
}

std::filesystem::path FileList::pathOf(const QString& name) const {
  QByteArray bytes;
  if (!clickedBytes_.isEmpty() && clickedName_ == name) {
    bytes = clickedBytes_;
  } else if (const QList<QListWidgetItem*> found = findItems(name, Qt::MatchExactly); !found.isEmpty()) {
    bytes = found.front()->data(kNameBytesRole).toByteArray();
  } else {
    bytes = QFile::encodeName(name);
  }
  return std::filesystem::path(QFile::encodeName(folder_).toStdString()) / bytes.toStdString();
}

}  // namespace corvale
