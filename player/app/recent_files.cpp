#include "player/app/recent_files.h"

#include "player/settings/user_settings.h"

namespace corvale {
namespace {

const QString kKey = QStringLiteral("recentFiles");

void store(const QStringList& paths) { openUserSettings()->setValue(kKey, paths); }

}  // namespace

QStringList RecentFiles::paths() const {
  QStringList paths = openUserSettings()->value(kKey).toStringList();
  paths.removeAll(QString());
  paths.removeDuplicates();
  return paths.mid(0, kKept);
}

void RecentFiles::add(const QString& path) {
  QStringList paths = this->paths();
  paths.removeAll(path);
  paths.prepend(path);
  store(paths.mid(0, kKept));
}

void RecentFiles::remove(const QString& path) {
  QStringList paths = this->paths();
  paths.removeAll(path);
  store(paths);
}

}  // namespace corvale
