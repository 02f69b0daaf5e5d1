#include "player/app/export_job.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <new>

#include "player/export/export_error.h"
#include "tune/regular_file.h"

namespace corvale {
namespace {

ExportOutcome failure(const std::string& why) {
  const bool cancelled = why.empty();
  return {false, cancelled,
          cancelled ? "The export was cancelled; nothing was written." : "The tune could not be exported: " + why};
}

// Runs one stage of the work, turning every way it can fail into an outcome.
template <typename Stage>
bool runStage(const Stage& stage, ExportOutcome& outcome) {
  try {
    stage();
    return true;
  } catch (const ExportError& error) {
    outcome = failure(error.end() == ExportEnd::Stopped ? std::string() : error.what());
  } catch (const TuneFileError& error) {
    outcome = failure(error.what());
  } catch (const std::bad_alloc&) {
    outcome = failure("there is not enough memory.");
  }
  return false;
}

}  // namespace

ExportJob::ExportJob(ExportOrder order, SoundFontInUse soundFont, Finished finished, QObject* parent)
    : QObject(parent), order_(std::move(order)), soundFont_(std::move(soundFont)), finished_(std::move(finished)) {
  worker_ = std::thread([this] {
    auto plan = std::make_shared<ExportPlan>();
    ExportOutcome outcome;
    if (!runStage([&] { *plan = planExport(order_); }, outcome)) return finishLater(outcome);
    QMetaObject::invokeMethod(this, [this, plan] { record(plan); }, Qt::QueuedConnection);
  });
}

ExportJob::~ExportJob() {
  stop_ = true;
  joinWorker();
}

void ExportJob::record(std::shared_ptr<const ExportPlan> plan) {
  joinWorker();
  if (stop_) return finishLater(failure({}));
  auto play = std::make_shared<RecordedPlay>();
  ExportOutcome outcome;
  // The window goes on painting and timing meanwhile; what the musician does, and
  // the ending signals, wait the few hundred milliseconds to its end, for nothing
  // may reach the MIDI control while the recording holds it.
  const auto answerWindow = [] {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
  };
  if (!runStage([&] { *play = recordForExport(*plan, answerWindow); }, outcome)) return finishLater(outcome);
  worker_ = std::thread([this, plan, play] { write(plan, play); });
}

void ExportJob::write(std::shared_ptr<const ExportPlan> plan, std::shared_ptr<const RecordedPlay> play) {
  std::vector<std::string> notices;
  if (!soundFont_.notice.empty()) notices.push_back(soundFont_.notice);
  ExportOutcome outcome{true, false, exportedText(*plan)};
  const WorkControl control{&stop_, [this](double done) { progress_ = done; }};
  runStage([&] { writeExport(*plan, *play, soundFont_, control, notices); }, outcome);
  for (auto notice = notices.rbegin(); notice != notices.rend(); ++notice) outcome.message = *notice + " " + outcome.message;
  finishLater(outcome);
}

void ExportJob::finishLater(ExportOutcome outcome) {
  QMetaObject::invokeMethod(
      this,
      [this, outcome] {
        joinWorker();
        finished_(outcome);
      },
      Qt::QueuedConnection);
}

void ExportJob::joinWorker() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace corvale
