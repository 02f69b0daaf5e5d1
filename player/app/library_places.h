#pragma once

#include <QSettings>
#include <QString>
#include <filesystem>

namespace corvale {

// Where the library's files live: the index in the user's cache folder (it can
// always be made again from the music folder), the current set among the
// program's data, and the music folder itself in the settings.
std::filesystem::path libraryIndexFile();
std::filesystem::path currentSetFile();

QString keptMusicFolder(const QSettings& settings);
void keepMusicFolder(QSettings& settings, const QString& folder);

// A path as the file system names it, and back for showing.
std::filesystem::path pathOf(const QString& shown);
QString shownPath(const std::filesystem::path& path);

}  // namespace corvale
