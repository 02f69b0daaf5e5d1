#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "player/export/tune_export.h"

namespace corvale {

// How one of the window's exports ended, in the musician's words.
struct ExportOutcome {
  bool written = false;
  bool cancelled = false;
  std::string message;  // with any notice about the SoundFont first
};

// One export of the window's, run so that the window keeps answering: the tune
// file read, parsed and measured on a worker thread; the play recorded on the
// window's thread, where the MIDI control's state lives (under half a second
// for the most notes an export holds, the window painting meanwhile); the file
// written on a worker thread again. `finished` is called once, on the window's thread, unless the job is
// destroyed first. Destroying it stops the work and waits for it, so when the
// destructor returns no partial file is left.
class ExportJob : public QObject {
 public:
  using Finished = std::function<void(const ExportOutcome&)>;

  ExportJob(ExportOrder order, SoundFontInUse soundFont, Finished finished, QObject* parent = nullptr);
  ~ExportJob() override;

  // Asks the work to stop; `finished` then tells it was cancelled.
  void cancel() { stop_ = true; }
  // How far the work has got, 0 to 1.
  double progress() const { return progress_.load(); }

 private:
  void record(std::shared_ptr<const ExportPlan> plan);
  void write(std::shared_ptr<const ExportPlan> plan, std::shared_ptr<const RecordedPlay> play);
  // From any thread: ends the job with `outcome` on the window's thread.
  void finishLater(ExportOutcome outcome);
  void joinWorker();

  ExportOrder order_;
  SoundFontInUse soundFont_;
  Finished finished_;
  std::atomic<bool> stop_{false};
  std::atomic<double> progress_{0};
  std::thread worker_;
};

}  // namespace corvale
