#pragma once

#include <QMenu>
#include <QSettings>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "player/export/recorded_play.h"
#include "player/app/output_ports.h"

namespace corvale {

// The tune an export keeps: the chosen tune of the open file, played with
// the sliders and instrument as they stand.
struct ExportSource {
  std::filesystem::path tuneFile;
  std::uint64_t chosenTune = 0;
  PlaySettings play;
};

// What the window tells an export: the tune to keep, or why there is none
// now (no file read yet, a play under way).
struct ExportRequest {
  std::optional<ExportSource> source;
  std::string refusal;
};

// Adds "Export as MIDI File…" and "Export as WAV…" to `fileMenu`. Each asks
// where to save, plays the tune with no window and no sound, and writes a
// Standard MIDI File or a WAV rendered with the SoundFont the player uses;
// the outcome or the reason it failed goes to the message area.
class ExportActions : public QObject {
 public:
  // Asks for the file to write, offering `suggested`; empty when cancelled.
  using AskPath = std::function<QString(QWidget* parent, const QString& suggested, const QString& filter)>;

  ExportActions(QMenu& fileMenu, std::function<ExportRequest()> currentTune, QSettings& settings,
                ShowMessage showMessage, AskPath askPath = askSavePath);

  void exportMidi();
  void exportWav();

  static QString askSavePath(QWidget* parent, const QString& suggested, const QString& filter);

 private:
  enum class Kind { Midi, Wav };
  void exportAs(Kind kind);

  QMenu& menu_;
  std::function<ExportRequest()> currentTune_;
  QSettings& settings_;
  ShowMessage showMessage_;
  AskPath askPath_;
};

}  // namespace corvale
