#pragma once

#include <QString>
#include <QStringList>

namespace corvale {

// The tune files opened last, newest first, kept in the user's settings
// (organisation and application "corvale") from one run to the next.
class RecentFiles {
 public:
  static constexpr int kKept = 10;

  QStringList paths() const;
  // Puts `path` first; a path already listed moves up, the oldest beyond kKept go.
  void add(const QString& path);
  void remove(const QString& path);
};

}  // namespace corvale
