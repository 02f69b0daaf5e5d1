#include "player/app/export_actions.h"

#include <QFileDialog>

#include "melodex/sound_output.h"
#include "player/export/sound_choice.h"
#include "player/export/standard_midi_file.h"
#include "tune/tune_file.h"

namespace corvale {

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
}

void ExportActions::exportMidi() { exportAs(Kind::Midi); }

void ExportActions::exportWav() { exportAs(Kind::Wav); }

void ExportActions::exportAs(Kind kind) {
  const ExportRequest request = currentTune_();
  if (!request.source) {
    showMessage_(request.refusal);
    return;
  }
  const ExportSource& source = *request.source;
  const bool wav = kind == Kind::Wav;
  const QString suggested = QString::fromStdString(source.tuneFile.stem().string()) +
                            QStringLiteral("-%1").arg(source.chosenTune) + (wav ? ".wav" : ".mid");
  const QString chosen = askPath_(menu_.parentWidget(), suggested,
                                  wav ? QStringLiteral("WAV sound (*.wav)") : QStringLiteral("MIDI files (*.mid)"));
  if (chosen.isEmpty()) return;
  const std::filesystem::path output(chosen.toStdString());

  RecordedPlay play;
  try {
    play = recordPlay(readTuneFile(source.tuneFile).lineStore, source.chosenTune, source.play);
  } catch (const TuneFileError& error) {
    showMessage_(std::string("The tune could not be exported: ") + error.what());
    return;
  }
  if (!play.problem.empty()) {
    showMessage_("The tune could not be exported: " + play.problem);
    return;
  }
  std::string problem;
  const bool written = wav ? melodex::renderWav(play.words, soundFontInUse(settings_), output, problem)
                           : writeStandardMidiFile(play.words, output, problem);
  showMessage_(written ? "Exported to " + output.string() + "." : "The tune could not be exported: " + problem + ".");
}

QString ExportActions::askSavePath(QWidget* parent, const QString& suggested, const QString& filter) {
  return QFileDialog::getSaveFileName(parent, QStringLiteral("Export"), suggested, filter);
}

}  // namespace corvale
