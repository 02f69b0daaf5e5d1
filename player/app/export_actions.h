#pragma once

#include <QMenu>
#include <QSettings>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "player/app/export_job.h"
#include "player/app/output_ports.h"
#include "player/export/recorded_play.h"

class QProgressDialog;

namespace corvale {

// The tune an export keeps: the chosen tune of the open file, played with
// the sliders and instrument as they stand.
struct ExportSource {
  std::filesystem::path tuneFile;
  std::uint64_t chosenTune = 0;
  PlaySettings play;
  std::string title;  // as the tune list shows it, for the file's name
  bool tempoFromTune = false;  // Practice ▸ Tempo from the Tune: the tune's Q: is the tempo kept
};

// What the window tells an export: the tune to keep, or why there is none
// now (no file read yet).
struct ExportRequest {
  std::optional<ExportSource> source;
  std::string refusal;
};

// Adds "Export as MIDI File…" and "Export as WAV…" to `fileMenu`. Each asks
// where to save (offering the tune's title as the name), then plays the tune
// with no window and no sound and writes a Standard MIDI File or a WAV rendered
// with the SoundFont the player uses, off the window's thread, with a progress
// dialog whose Cancel ends it; the outcome or the reason it failed goes to the
// message area. One export runs at a time; the program's end stops it and
// leaves nothing behind.
class ExportActions : public QObject {
 public:
  // Asks for the file to write, offering `suggested`; empty when cancelled.
  using AskPath = std::function<QString(QWidget* parent, const QString& suggested, const QString& filter)>;

  ExportActions(QMenu& fileMenu, std::function<ExportRequest()> currentTune, QSettings& settings,
                ShowMessage showMessage, AskPath askPath = askSavePath);
  ~ExportActions() override;

  void exportMidi();
  void exportWav();
  bool exporting() const { return job_ != nullptr; }
  void setAskPath(AskPath askPath) { askPath_ = std::move(askPath); }
  QProgressDialog* progressDialog() const { return progress_; }

  static QString askSavePath(QWidget* parent, const QString& suggested, const QString& filter);

 private:
  void exportAs(ExportKind kind);
  void finish(const ExportOutcome& outcome);
  // Stops an export under way and waits for it: its partial file is gone.
  void stopAndWait();
  void closeProgress();

  QMenu& menu_;
  std::function<ExportRequest()> currentTune_;
  QSettings& settings_;
  ShowMessage showMessage_;
  AskPath askPath_;
  std::unique_ptr<ExportJob> job_;
  QProgressDialog* progress_ = nullptr;
  QTimer progressTimer_;
};

}  // namespace corvale
