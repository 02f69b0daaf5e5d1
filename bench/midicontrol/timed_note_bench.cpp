// How precisely, and how cheaply, a timed note ends: the control's wait
// (through the Qt host) against a plain busy poll of the clock with event
// processing between polls. A timer posts one window event every 10 ms while
// the notes wait, as a live window would. Usage: melodex_timed_note_bench [notes per wait, default 50]
#include <time.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "melodex/midi_control.h"
#include "melodex/qt_host.h"
#include "melodex/recording_platform.h"

namespace {

constexpr int kWaitsMilliseconds[] = {17, 45, 182, 429};

std::int64_t processCpuMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return std::int64_t{now.tv_sec} * 1'000'000 + now.tv_nsec / 1000;
}

struct Measurements {
  std::vector<std::int64_t> errors;  // |note-off - (note-on + wait)| in microseconds
  std::int64_t cpuMicroseconds = 0;
  std::int64_t wallMicroseconds = 0;

  std::int64_t percentile(double fraction) const {
    std::vector<std::int64_t> sorted = errors;
    std::sort(sorted.begin(), sorted.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::max<std::size_t>(rank, 1) - 1];
  }
  double cpuPercent() const { return 100.0 * static_cast<double>(cpuMicroseconds) / static_cast<double>(wallMicroseconds); }
};

// One timed note through the control; the recording output gives the times
// of its note-on and note-off.
void playThroughControl(melodex::MidiControl& control, melodex::RecordingPlatform& output, int waitMs,
                        Measurements& measured) {
  output.clear();
  const std::int64_t cpuBefore = processCpuMicroseconds();
  control.PlayNote(60, 80, 1, waitMs);  // BPM 60000: one beat is one millisecond
  const std::int64_t cpuAfter = processCpuMicroseconds();
  const auto& calls = output.calls();
  const std::int64_t noteOn = calls.front().timeMicroseconds;
  const std::int64_t noteOff = calls.back().timeMicroseconds;
  measured.errors.push_back(std::llabs(noteOff - (noteOn + std::int64_t{waitMs} * 1000)));
  measured.cpuMicroseconds += cpuAfter - cpuBefore;
  measured.wallMicroseconds += noteOff - noteOn;
}

// The reference: poll the clock with no sleep, handling events between polls.
void playByBusyPoll(const melodex::Clock& clock, int waitMs, Measurements& measured) {
  const std::int64_t cpuBefore = processCpuMicroseconds();
  const std::int64_t start = clock.nowMicroseconds();
  const std::int64_t deadline = start + std::int64_t{waitMs} * 1000;
  std::int64_t now = start;
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    now = clock.nowMicroseconds();
  } while (now < deadline);
  measured.cpuMicroseconds += processCpuMicroseconds() - cpuBefore;
  measured.wallMicroseconds += now - start;
  measured.errors.push_back(std::llabs(now - deadline));
}

void printFigures(const char* name, int waitMs, const Measurements& measured) {
  std::printf("%s wait_ms %d notes %zu error_p50_us %lld error_p99_us %lld cpu_percent %.2f\n", name, waitMs,
              measured.errors.size(), static_cast<long long>(measured.percentile(0.5)),
              static_cast<long long>(measured.percentile(0.99)), measured.cpuPercent());
}

void add(Measurements& total, const Measurements& part) {
  total.errors.insert(total.errors.end(), part.errors.begin(), part.errors.end());
  total.cpuMicroseconds += part.cpuMicroseconds;
  total.wallMicroseconds += part.wallMicroseconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int notesPerWait = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;

  melodex::SteadyClock clock;
  auto output = std::make_shared<melodex::RecordingPlatform>(clock);
  melodex::installPlatform(output);
  melodex::MemoryPropertyStore store;
  melodex::QtHost host(nullptr, store, clock);
  melodex::MidiControl control(host);
  control.OpenHandle();
  control.SetBPM(60000);

  // A window's steady trickle of events: one every 10 ms, each handled.
  QObject windowEvents;
  long eventsHandled = 0;
  QTimer trickle;
  trickle.setTimerType(Qt::PreciseTimer);
  QObject::connect(&trickle, &QTimer::timeout, &windowEvents, [&] { ++eventsHandled; });
  trickle.start(10);

  Measurements controlTotal, pollTotal;
  for (const int waitMs : kWaitsMilliseconds) {
    Measurements controlWait, pollWait;
    // Alternating the two methods gives both the same share of the machine's noise.
    for (int note = 0; note < notesPerWait; ++note) {
      playThroughControl(control, *output, waitMs, controlWait);
      playByBusyPoll(clock, waitMs, pollWait);
    }
    printFigures("playnote", waitMs, controlWait);
    printFigures("busypoll", waitMs, pollWait);
    add(controlTotal, controlWait);
    add(pollTotal, pollWait);
  }
  std::printf("window_events_handled %ld\n", eventsHandled);
  std::printf("playnote_error_p50_us %lld\n", static_cast<long long>(controlTotal.percentile(0.5)));
  std::printf("playnote_error_p99_us %lld\n", static_cast<long long>(controlTotal.percentile(0.99)));
  std::printf("busypoll_error_p99_us %lld\n", static_cast<long long>(pollTotal.percentile(0.99)));
  std::printf("playnote_cpu_percent %.2f\n", controlTotal.cpuPercent());
  std::printf("busypoll_cpu_percent %.2f\n", pollTotal.cpuPercent());
  return 0;
}
