// What the window's exports cost the window: the play recorded on its thread for
// the most notes an export holds, the longest the window's events wait while a
// WAV is written aside, and how soon Cancel leaves nothing behind.
//   export_bench [MINUTES]   a WAV of MINUTES of sound (default 10)
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "player/app/export_actions.h"
#include "player/export/tune_export.h"
#include "tune/tune_file.h"

namespace {

std::string bars(const std::string& bar, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += bar;
  return text;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  QTemporaryDir folder;

  // The window's part: recording 200,000 notes (2,000 notes, 99 replays).
  const std::string many = "X:1\nT:Many\nK:D\n" + bars("DEFG ABcd|\n", 250);
  corvale::ExportOrder order;
  order.chosenTune = 1;
  order.play = {11, 99, "FIDDLE", corvale::Reading::Standard};
  const corvale::ExportPlan plan =
      corvale::planExportOf(corvale::readTuneText(many).lineStore, order, corvale::ExportLimits{});
  QElapsedTimer recording;
  recording.start();
  const corvale::RecordedPlay play = corvale::recordForExport(plan);
  std::printf("record_200000_notes_ms %.1f (%zu words)\n", static_cast<double>(recording.nsecsElapsed()) / 1e6,
              play.words.size());

  // A WAV written aside while the window's events are timed.
  const std::string tunePath = folder.filePath("long.abc").toStdString();
  std::ofstream(tunePath) << "X:1\nT:Long\nL:1/1\nK:C\n" << bars("C8|\n", minutes * 5);
  QSettings settings(folder.filePath("settings.conf"), QSettings::IniFormat);
  int replays = 0;
  QWidget window;
  QMenu menu(&window);
  QString out = folder.filePath("long.wav");
  corvale::ExportActions actions(
      menu,
      [&] {
        return corvale::ExportRequest{
            corvale::ExportSource{tunePath, 1, {11, replays, "FIDDLE", corvale::Reading::Standard}, "Long"}, {}};
      },
      settings, [](const std::string& message) { std::printf("message %s\n", message.c_str()); },
      [&](QWidget*, const QString&, const QString& filter) {
        return filter.contains(QStringLiteral("wav")) ? out : folder.filePath("many.mid");
      });

  QElapsedTimer sinceTick;
  qint64 longestGap = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
  const auto timedExport = [&](bool wav) {
    longestGap = 0;
    QElapsedTimer whole;
    whole.start();
    sinceTick.start();
    tick.start(5);
    wav ? actions.exportWav() : actions.exportMidi();
    while (actions.exporting()) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    tick.stop();
    return static_cast<double>(whole.elapsed()) / 1000;
  };
  const double wavSeconds = timedExport(true);
  std::printf("wav_minutes %d export_seconds %.1f longest_event_wait_ms %lld\n", minutes, wavSeconds,
              static_cast<long long>(longestGap));

  // The window's events while 200,000 notes are recorded for a MIDI file.
  std::ofstream(tunePath) << many;
  replays = 99;
  const double midiSeconds = timedExport(false);
  std::printf("midi_200000_notes export_seconds %.1f longest_event_wait_ms %lld\n", midiSeconds,
              static_cast<long long>(longestGap));
  std::ofstream(tunePath) << "X:1\nT:Long\nL:1/1\nK:C\n" << bars("C8|\n", minutes * 5);
  replays = 0;

  // Cancelled half way: how soon it has ended and the partial file is gone.
  std::filesystem::remove(out.toStdString());
  actions.exportWav();
  QElapsedTimer half;
  half.start();
  while (half.elapsed() < 1000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  QElapsedTimer stopping;
  stopping.start();
  for (QPushButton* button : actions.progressDialog()->findChildren<QPushButton*>()) button->click();
  while (actions.exporting()) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
  int left = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path().toStdString())) {
    const std::string name = entry.path().filename().string();
    if (name[0] == '.' || name == "long.wav") ++left;
  }
  std::printf("cancel_to_ended_ms %.1f export_files_left %d\n", static_cast<double>(stopping.nsecsElapsed()) / 1e6,
              left);
  return 0;
}
