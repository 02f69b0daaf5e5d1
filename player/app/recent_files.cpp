#include "player/app/recent_files.h"

#include <QSettings>

namespace corvale {
namespace {

const QString kKey = QStringLiteral("recentFiles");

QSettings userSettings() { return QSettings(QStringLiteral("corvale"), QStringLiteral("corvale")); }

void store(const QStringList& paths) { userSettings().setValue(kKey, paths); }

}  // namespace

QStringList RecentFiles::paths() const {
  QStringList paths = userSettings().value(kKey).toStringList();
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
