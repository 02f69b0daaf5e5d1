#include "player/app/export_actions.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QProgressDialog>

#include "player/export/sound_choice.h"
#include "player/export/tune_facts.h"

namespace corvale {
namespace {

constexpr int kProgressSteps = 1000;
constexpr int kProgressEveryMilliseconds = 100;

}  // namespace

ExportActions::ExportActions(QMenu& fileMenu, std::function<ExportRequest()> currentTune, QSettings& settings,
                             ShowMessage showMessage, AskPath askPath)
    : QObject(&fileMenu),
      menu_(fileMenu),
      currentTune_(std::move(currentTune)),
      settings_(settings),
      showMessage_(std::move(showMessage)),
      askPath_(std::move(askPath)) {
  connect(fileMenu.addAction(QStringLiteral("Export as MIDI File\u2026")), &QAction::triggered, this,
          &ExportActions::exportMidi);
  connect(fileMenu.addAction(QStringLiteral("Export as WAV\u2026")), &QAction::triggered, this,
          &ExportActions::exportWav);
  progressTimer_.setInterval(kProgressEveryMilliseconds);
  connect(&progressTimer_, &QTimer::timeout, this, [this] {
    if (job_ && progress_) progress_->setValue(static_cast<int>(job_->progress() * kProgressSteps));
  });
  // Quitting, from the menu or a signal, ends an export under way before the program ends.
  connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &ExportActions::stopAndWait);
}

ExportActions::~ExportActions() { stopAndWait(); }

void ExportActions::exportMidi() { exportAs(ExportKind::Midi); }

void ExportActions::exportWav() { exportAs(ExportKind::Wav); }

void ExportActions::exportAs(ExportKind kind) {
  if (job_) {
    showMessage_("An export is under way: wait for it to end, or cancel it, before starting another.");
    return;
  }
  const ExportRequest request = currentTune_();
  if (!request.source) {
    showMessage_(request.refusal);
    return;
  }
  const ExportSource& source = *request.source;
  const bool wav = kind == ExportKind::Wav;
  const std::filesystem::path suggested =
      source.tuneFile.parent_path() / fileNameForTitle(source.title, wav ? ".wav" : ".mid");
  const QString chosen = askPath_(menu_.parentWidget(), QFile::decodeName(suggested.c_str()),
                                  wav ? QStringLiteral("WAV sound (*.wav)") : QStringLiteral("MIDI files (*.mid)"));
  if (chosen.isEmpty()) return;

  ExportOrder order;
  order.kind = kind;
  order.tuneFile = source.tuneFile;
  order.chosenTune = source.chosenTune;
  order.play = source.play;
  order.tempoFromTune = source.tempoFromTune;
  order.output = QFile::encodeName(chosen).toStdString();
  job_ = std::make_unique<ExportJob>(order, wav ? soundFontInUse(settings_) : SoundFontInUse{},
                                     [this](const ExportOutcome& outcome) { finish(outcome); });

  progress_ = new QProgressDialog(
      QStringLiteral("Exporting %1\u2026").arg(QString::fromStdString(source.title.empty() ? "the tune" : source.title)),
      QStringLiteral("Cancel"), 0, kProgressSteps, menu_.parentWidget());
  progress_->setWindowTitle(QStringLiteral("Export"));
  progress_->setWindowModality(Qt::WindowModal);
  progress_->setMinimumDuration(0);
  progress_->setAutoClose(false);
  progress_->setAutoReset(false);
  connect(progress_, &QProgressDialog::canceled, this, [this] {
    if (job_) job_->cancel();
  });
  progress_->open();
  progressTimer_.start();
}

void ExportActions::finish(const ExportOutcome& outcome) {
  closeProgress();
  // The job is still running this call: it goes once the call has returned.
  job_.release()->deleteLater();
  showMessage_(outcome.message);
}

void ExportActions::stopAndWait() {
  closeProgress();
  job_.reset();
}

void ExportActions::closeProgress() {
  progressTimer_.stop();
  if (!progress_) return;
  QProgressDialog* dialog = progress_;
  progress_ = nullptr;
  // Closing it would say "cancelled" to a job that has ended.
  dialog->disconnect(this);
  dialog->hide();
  dialog->deleteLater();
}

QString ExportActions::askSavePath(QWidget* parent, const QString& suggested, const QString& filter) {
  return QFileDialog::getSaveFileName(parent, QStringLiteral("Export"), suggested, filter);
}

}  // namespace corvale
