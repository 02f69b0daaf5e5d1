#include "player/app/library_indexer.h"

#include <QMetaObject>

#include "player/app/library_places.h"

namespace corvale {

LibraryIndexer::LibraryIndexer(std::filesystem::path indexFile, QObject* parent)
    : QObject(parent), indexFile_(std::move(indexFile)) {
  qRegisterMetaType<corvale::IndexReport>("corvale::IndexReport");
}

LibraryIndexer::~LibraryIndexer() {
  if (!worker_) return;
  // The pass stops between two files; what it has written so far is kept.
  stop_ = true;
  worker_->wait();
  delete worker_;
}

void LibraryIndexer::index(const QString& folder) {
  nextFolder_ = folder;
  if (worker_) {
    stop_ = true;
    return;
  }
  startPass();
}

void LibraryIndexer::startPass() {
  folder_ = nextFolder_;
  nextFolder_.clear();
  stop_ = false;
  const std::filesystem::path folder = pathOf(folder_);
  worker_ = QThread::create([this, folder] {
    try {
      LibraryIndex library(indexFile_);
      const IndexReport report = library.update(
          folder,
          [this](int done, int total) {
            QMetaObject::invokeMethod(this, [this, done, total] { emit progressed(done, total); },
                                      Qt::QueuedConnection);
          },
          [this] { return stop_.load(); });
      QMetaObject::invokeMethod(this, [this, report] { emit finished(report); }, Qt::QueuedConnection);
    } catch (const std::exception& error) {
      const QString reason = QString::fromStdString(error.what());
      QMetaObject::invokeMethod(this, [this, reason] { emit failed(reason); }, Qt::QueuedConnection);
    }
  });
  connect(worker_, &QThread::finished, this, &LibraryIndexer::passEnded);
  worker_->start(QThread::LowPriority);
}

void LibraryIndexer::passEnded() {
  worker_->deleteLater();
  worker_ = nullptr;
  if (!nextFolder_.isEmpty()) startPass();
}

QString describe(const IndexReport& report) {
  QString text = QStringLiteral("%1 tunes in %2 files.").arg(report.tunes).arg(report.files);
  if (report.rebuilt) text += QStringLiteral(" The index was made anew.");
  if (report.unreadable > 0) {
    text += QStringLiteral(" %1 could not be read and were skipped.").arg(report.unreadable);
  }
  if (report.stopped) text += QStringLiteral(" Indexing was stopped before the end.");
  return text;
}

}  // namespace corvale
