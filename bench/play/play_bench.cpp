// Plays a generated tune through the real window (offscreen) on the real
// clock, with a recording MIDI service and a timer adding a window event
// every 10 ms, and prints how evenly the notes follow each other:
//   note_gap_p99_us           from a note-off to the next note-on
//   note_length_error_p99_us  each note's length against round(60000 / BPM x duration); a note
//                             following on is shortened by the gap before it, so the next starts on time
//   note_spacing_error_mean_us each note-on to the next against the first note's written length
//   play_cpu_percent          process CPU time over the play's wall time
//   start_to_first_note_ms    from the Start click to the first note-on, median of 10 plays
// Usage: play_bench [NOTES]   (300 by default; the play lasts about 67 ms per note)
#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "melodex/clock.h"
#include "melodex/recording_platform.h"
#include "player/window/form1.h"

namespace {

constexpr int kTempo = 30;
constexpr int kBeatsPerMinute = 30 * kTempo;
constexpr int kStartPlays = 10;

// Lengths cycle through one, a half and two units over a rising and falling line.
std::string generatedTune(int notes) {
  const char* const names[] = {"D", "E", "F", "G", "A", "B", "c", "d", "e", "f", "g", "a", "b"};
  const char* const lengths[] = {"", "/", "2", "", "/", ""};
  std::string body;
  for (int i = 0; i < notes; ++i) {
    const int step = i % 24 < 12 ? i % 12 : 12 - i % 12;
    body += names[step];
    body += lengths[i % 6];
    if (i % 8 == 7) body += "|\n";
  }
  return "X:1\nT:Generated\nK:D\n" + body + "|]\n";
}

double durationOf(int index) {
  const double lengths[] = {1.0, 0.5, 2.0, 1.0, 0.5, 1.0};
  return lengths[index % 6];
}

std::int64_t cpuMicroseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL + usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
}

std::int64_t percentile(std::vector<std::int64_t> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size()))) - 1;
  return values[std::min(index, values.size() - 1)];
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const int notes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;

  static const melodex::SteadyClock clock;
  const auto output = std::make_shared<melodex::RecordingPlatform>(clock);
  melodex::installPlatform(output);

  QTemporaryDir folder;
  QFile file(folder.filePath(QStringLiteral("generated.abc")));
  if (!file.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "play_bench: cannot write the generated tune in %s\n", qPrintable(folder.path()));
    return 1;
  }
  file.write(generatedTune(notes).c_str());
  file.close();

  corvale::Form1 form;
  form.Dir1_Change(folder.path());
  form.HScroll2()->setValue(kTempo);

  int eventsPosted = 0;
  QTimer windowEvents;
  QObject::connect(&windowEvents, &QTimer::timeout, [&] { ++eventsPosted; });
  windowEvents.start(10);

  // Play 1 runs the whole tune; plays 2 to 10 are stopped during their first
  // note, as they only time the start. The driver looks at the window as
  // often as the window events come: looking every millisecond would itself
  // wake the process a thousand times a second and be counted as the play's CPU.
  std::vector<std::int64_t> startClicks;
  std::int64_t cpuAtStart = 0;
  std::int64_t cpuAtEnd = 0;
  std::int64_t wallAtEnd = 0;
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    if (form.runCaption() != corvale::kStartCaption) {
      if (startClicks.size() > 1) form.Command1_Click();  // Stop
      return;
    }
    if (form.List2()->count() != 0) return;  // a stopped play still finishing its note
    if (startClicks.size() == 1 && cpuAtEnd == 0) {
      cpuAtEnd = cpuMicroseconds();
      wallAtEnd = clock.nowMicroseconds();
    }
    if (startClicks.size() == static_cast<std::size_t>(kStartPlays)) {
      form.close();
      return;
    }
    form.List1()->setCurrentRow(0);
    if (startClicks.empty()) cpuAtStart = cpuMicroseconds();
    startClicks.push_back(clock.nowMicroseconds());
    form.Command1_Click();
  });
  driver.start(10);
  form.File1_Click(QStringLiteral("generated.abc"));

  // Note words of each play, split at the program changes that open it.
  std::vector<std::vector<melodex::RecordedCall>> plays;
  for (const melodex::RecordedCall& call : output->calls()) {
    if (call.kind == melodex::RecordedCall::Kind::Open) plays.emplace_back();
    if (call.kind == melodex::RecordedCall::Kind::Send && (call.word & 0xE0) == 0x80 && !plays.empty()) {
      plays.back().push_back(call);
    }
  }
  if (plays.size() != static_cast<std::size_t>(kStartPlays) || plays[0].size() != static_cast<std::size_t>(2 * notes)) {
    std::fprintf(stderr, "play_bench: expected %d plays and %d note words in the first, got %zu and %zu\n", kStartPlays,
                 2 * notes, plays.size(), plays.empty() ? std::size_t{0} : plays[0].size());
    return 1;
  }

  std::vector<std::int64_t> gaps;
  std::vector<std::int64_t> lengthErrors;
  const std::vector<melodex::RecordedCall>& words = plays[0];
  for (int i = 0; i < notes; ++i) {
    const std::int64_t on = words[2 * i].timeMicroseconds;
    const std::int64_t off = words[2 * i + 1].timeMicroseconds;
    const double expectedMs = std::nearbyint(60000.0 / kBeatsPerMinute * durationOf(i));
    lengthErrors.push_back(std::llabs(off - on - static_cast<std::int64_t>(expectedMs * 1000)));
    if (i > 0) gaps.push_back(on - words[2 * i - 1].timeMicroseconds);
  }
  // Spacing drift: the mean over the play of each onset-to-onset time against its written length.
  double spacingError = 0.0;
  for (int i = 0; i + 1 < notes; ++i) {
    const std::int64_t spacing = words[2 * (i + 1)].timeMicroseconds - words[2 * i].timeMicroseconds;
    spacingError += static_cast<double>(spacing) - std::nearbyint(60000.0 / kBeatsPerMinute * durationOf(i)) * 1000.0;
  }
  spacingError /= std::max(1, notes - 1);
  std::vector<std::int64_t> startDelays;
  for (std::size_t play = 0; play < plays.size(); ++play) {
    startDelays.push_back(plays[play][0].timeMicroseconds - startClicks[play]);
  }
  std::sort(startDelays.begin(), startDelays.end());
  const double cpuPercent =
      100.0 * static_cast<double>(cpuAtEnd - cpuAtStart) / static_cast<double>(wallAtEnd - startClicks[0]);

  std::printf("notes %d at TEMPO %d, window events every 10 ms: %d\n", notes, kTempo, eventsPosted);
  std::printf("note_gap_p50_us %lld\n", static_cast<long long>(percentile(gaps, 0.5)));
  std::printf("note_length_error_p50_us %lld\n", static_cast<long long>(percentile(lengthErrors, 0.5)));
  std::printf("note_gap_p99_us %lld\n", static_cast<long long>(percentile(gaps, 0.99)));
  std::printf("note_length_error_p99_us %lld\n", static_cast<long long>(percentile(lengthErrors, 0.99)));
  std::printf("note_spacing_error_mean_us %.1f\n", spacingError);
  std::printf("play_cpu_percent %.2f\n", cpuPercent);
  std::printf("start_to_first_note_ms %.3f\n",
              static_cast<double>(startDelays[startDelays.size() / 2 - 1] + startDelays[startDelays.size() / 2]) / 2000.0);
  return 0;
}
