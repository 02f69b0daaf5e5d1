#include "player/settings/user_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cerrno>
#include <iostream>
#include <mutex>
#include <set>
#include <string>
#include <unistd.h>

#include "player/settings/file_check.h"

namespace corvale {
namespace {

const QString kName = QStringLiteral("corvale");
// The largest settings file read: corvale keeps a few lines of settings.
constexpr std::int64_t kMaxSettingsBytes = std::int64_t{1} << 20;

// The folder of the user's settings files as QSettings has it, set aside by
// tests too: the name of a settings object for an organisation of its own, whose
// files nobody keeps, so that making it reads nothing.
QString userSettingsFolder() {
  const QSettings probe(QSettings::NativeFormat, QSettings::UserScope,
                        QStringLiteral("corvale-settings-probe-%1").arg(::getpid()));
  return QFileInfo(probe.fileName()).path();
}

// A blank settings file of this run only, removed at its end.
QString scratchSettingsFile() {
  static const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/corvale-settings-XXXXXX"));
  return folder.filePath(kName + QStringLiteral(".conf"));
}

// Says each file passed over once a run, however often the settings are opened.
void warnOnce(const QString& file, const std::string& problem, bool ownFile) {
  static std::mutex mutex;
  static std::set<QString> warned;
  const std::lock_guard lock(mutex);
  if (!warned.insert(file).second) return;
  std::cerr << program_invocation_short_name << ": the settings file " << file.toStdString() << ' ' << problem
            << "; it is passed over"
            << (ownFile ? ", and the default settings are used (changes in this run are not kept)" : "") << '\n';
}

}  // namespace

QStringList userSettingsFiles() {
  const QString appFile = kName + QStringLiteral("/") + kName + QStringLiteral(".conf");
  const QString orgFile = kName + QStringLiteral(".conf");
  const QString user = userSettingsFolder();
  QStringList files{user + QStringLiteral("/") + appFile, user + QStringLiteral("/") + orgFile};
  // The system's folders come after the user's own, which standardLocations lists first.
  QStringList systemFolders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
  if (!systemFolders.isEmpty()) systemFolders.removeFirst();
  for (const QString& folder : systemFolders) files << folder + QStringLiteral("/") + appFile;
  for (const QString& folder : systemFolders) files << folder + QStringLiteral("/") + orgFile;
  return files;
}

std::unique_ptr<QSettings> openUserSettings() {
  const QStringList files = userSettingsFiles();
  bool ownFileReadable = true;
  bool allReadable = true;
  for (qsizetype i = 0; i < files.size(); ++i) {
    // A file that is not there, or cannot be opened, is not read and holds nothing up.
    const FileCheck check = checkFile(QFile::encodeName(files[i]).toStdString(), kMaxSettingsBytes);
    if (check.verdict != FileCheck::Verdict::NotRegular && check.verdict != FileCheck::Verdict::TooLarge) continue;
    allReadable = false;
    if (i == 0) ownFileReadable = false;
    warnOnce(files[i], check.problem, i == 0);
  }
  if (allReadable) return std::make_unique<QSettings>(kName, kName);
  return std::make_unique<QSettings>(ownFileReadable ? files.front() : scratchSettingsFile(), QSettings::IniFormat);
}

}  // namespace corvale
