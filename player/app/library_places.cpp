#include "player/app/library_places.h"

#include <QFile>
#include <QStandardPaths>

namespace corvale {
namespace {

const QString kMusicFolderKey = QStringLiteral("library/musicFolder");

}  // namespace

std::filesystem::path libraryIndexFile() {
  return pathOf(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)) / "library.sqlite";
}

std::filesystem::path currentSetFile() {
  return pathOf(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)) / "current.set";
}

QString keptMusicFolder(const QSettings& settings) { return settings.value(kMusicFolderKey).toString(); }

void keepMusicFolder(QSettings& settings, const QString& folder) { settings.setValue(kMusicFolderKey, folder); }

std::filesystem::path pathOf(const QString& shown) { return QFile::encodeName(shown).toStdString(); }

QString shownPath(const std::filesystem::path& path) { return QFile::decodeName(path.c_str()); }

}  // namespace corvale
