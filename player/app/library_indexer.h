#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <filesystem>

#include "player/library/library_index.h"

namespace corvale {

// Brings the library index in step with the music folder on a worker thread, so
// the window never waits for it; how far it has come and how it ended come back
// as signals on the window's thread. One pass at a time: a new folder asked for
// during a pass stops it and starts over.
class LibraryIndexer : public QObject {
  Q_OBJECT

 public:
  LibraryIndexer(std::filesystem::path indexFile, QObject* parent);
  ~LibraryIndexer() override;

  const std::filesystem::path& indexFile() const { return indexFile_; }
  bool running() const { return worker_ != nullptr; }

  void index(const QString& folder);

 signals:
  void progressed(int done, int total);
  void finished(const corvale::IndexReport& report);
  void failed(const QString& reason);

 private:
  void startPass();
  void passEnded();

  std::filesystem::path indexFile_;
  QThread* worker_ = nullptr;
  QString folder_;
  QString nextFolder_;
  std::atomic<bool> stop_{false};
};

// The report of a pass in words, for the musician.
QString describe(const IndexReport& report);

}  // namespace corvale
