#include "player/loop/tune_file_reading.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace corvale {
namespace {

// What the reading thread hands back, shared with it so that a window that
// stops waiting may go away first. The thread writes to `wake` when done,
// which the window's event loop watches.
struct Handover {
  Handover() : wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
  ~Handover() {
    if (wake >= 0) ::close(wake);
  }
  Handover(const Handover&) = delete;
  Handover& operator=(const Handover&) = delete;

  bool done() {
    const std::lock_guard<std::mutex> lock(mutex);
    return finished;
  }

  const int wake;
  std::mutex mutex;
  bool finished = false;
  std::optional<TuneFile> file;
  std::optional<TuneFileError> error;
};

void readInto(const std::shared_ptr<Handover>& handover, const std::filesystem::path& path,
              const TuneFileReader& read) {
  std::optional<TuneFile> file;
  std::optional<TuneFileError> error;
  try {
    file = read(path);
  } catch (const TuneFileError& failure) {
    error = failure;
  } catch (const std::bad_alloc&) {
    error = TuneFileError(path.string() + " is too large to be read into memory");
  } catch (const std::exception& failure) {
    error = TuneFileError(path.string() + " could not be read: " + failure.what());
  }
  {
    const std::lock_guard<std::mutex> lock(handover->mutex);
    handover->file = std::move(file);
    handover->error = std::move(error);
    handover->finished = true;
  }
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(handover->wake, &one, sizeof one);
}

}  // namespace

bool quickToRead(const std::filesystem::path& path) {
  std::error_code failed;
  const auto status = std::filesystem::status(path, failed);
  // Nothing there, or a folder: the reader fails at once.
  if (failed || !std::filesystem::exists(status) || std::filesystem::is_directory(status)) return true;
  if (!std::filesystem::is_regular_file(status)) return false;
  const std::uintmax_t size = std::filesystem::file_size(path, failed);
  return !failed && size <= kQuickReadBytes;
}

std::optional<TuneFile> readTuneFileWhileWaiting(PlayerLoopView& view, const std::filesystem::path& path,
                                                 const TuneFileReader& read) {
  auto handover = std::make_shared<Handover>();
  if (handover->wake < 0) return read(path);  // no way to be woken: read here, as a click always did

  QSocketNotifier finished(handover->wake, QSocketNotifier::Read);
  QObject::connect(&finished, &QSocketNotifier::activated, &finished, [&handover] {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t taken = ::read(handover->wake, &count, sizeof count);
  });
  bool noticeShown = false;
  QTimer notice;
  notice.setSingleShot(true);
  QObject::connect(&notice, &QTimer::timeout, &notice, [&] {
    view.showMessage("Reading " + path.string() + " …");
    noticeShown = true;
  });
  notice.start(kReadingNoticeDelay);

  std::thread(readInto, handover, path, read).detach();
  while (!handover->done() && !view.closing()) view.waitForWindowEvents();
  if (noticeShown) view.clearMessage();
  if (!handover->done()) return std::nullopt;

  const std::lock_guard<std::mutex> lock(handover->mutex);
  if (handover->error) throw *handover->error;
  return std::move(handover->file);
}

}  // namespace corvale
