#pragma once
// What the tests of whole plays through the window share: a recording output on a
// clock the tests own, hosts on that clock, the player loop driven from a timer, and
// the checks on what was sent.
#include <gtest/gtest.h>

#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "../ui/ui_test_support.h"
#include "fast_qt_host.h"
#include "melodex/recording_platform.h"

namespace corvale::testing {

using melodex::RecordedCall;

inline melodex::VirtualClock playClock;
inline const auto recording = std::make_shared<melodex::RecordingPlatform>(playClock);

inline std::int64_t nowMs() { return playClock.nowMicroseconds() / 1000; }

// Hosts on the tests' clock, so that a whole tune plays in a moment.
inline HostFactory fastHosts() {
  return [](QWidget& window, melodex::PropertyStore& store) {
    return std::make_unique<FastQtHost>(&window, store, playClock);
  };
}

inline FastQtHost& fastHost(Form1& form) { return dynamic_cast<FastQtHost&>(form.host()); }

// Runs the player loop on the file tunes.abc of the window's folder, calling `step`
// every millisecond of real time; returns when the loop has ended (the window closed).
inline void runPlayerLoop(Form1& form, const std::function<void()>& step) {
  QTimer driver;
  driver.setInterval(1);
  QObject::connect(&driver, &QTimer::timeout, step);
  driver.start();
  form.File1_Click(QStringLiteral("tunes.abc"));
}

// Plays the tunes at these rows of the list in turn, each chosen at one look of the
// waiting player loop (which then tells the practice choices of the tune) and started
// at the next, `beforeStart` run just before its Start click; closes the window once
// the last play is over. Returns the tests' time of the last Start, in milliseconds.
inline std::int64_t playRows(Form1& form, const std::vector<int>& rows, const std::function<void()>& beforeStart = {}) {
  std::size_t started = 0;
  std::int64_t startMs = 0;
  runPlayerLoop(form, [&] {
    if (form.runCaption() != kStartCaption || form.List1()->count() == 0 || form.List2()->count() != 0) return;
    if (started == rows.size()) {
      form.close();
    } else if (form.List1()->currentRow() != rows[started]) {
      form.List1()->setCurrentRow(rows[started]);
    } else {
      if (beforeStart) beforeStart();
      ++started;
      startMs = nowMs();
      form.Command1_Click();
    }
  });
  return startMs;
}

inline bool isNote(const RecordedCall& call) {
  const int status = call.word & 0xF0;
  return call.kind == RecordedCall::Kind::Send && (status == 0x80 || status == 0x90);
}

inline std::vector<RecordedCall> noteCalls() {
  std::vector<RecordedCall> notes;
  for (const RecordedCall& call : recording->calls()) {
    if (isNote(call)) notes.push_back(call);
  }
  return notes;
}

// The output opened first and closed once, last of all; every note-on ended, on
// every channel; and the window waiting again: Start caption, tune lines cleared,
// every box hidden.
inline void expectNothingSounding(Form1& form) {
  const std::vector<RecordedCall>& calls = recording->calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls.front().kind, RecordedCall::Kind::Open);
  EXPECT_EQ(calls.back().kind, RecordedCall::Kind::Close);
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                          [](const RecordedCall& call) { return call.kind == RecordedCall::Kind::Close; }), 1);
  std::map<std::pair<int, int>, int> sounding;
  for (const RecordedCall& call : noteCalls()) {
    const std::pair<int, int> note{call.word & 0x0F, call.word >> 8 & 0xFF};
    if ((call.word & 0xF0) == 0x90 && (call.word >> 16) != 0) ++sounding[note];
    else if (sounding[note] > 0) --sounding[note];
  }
  for (const auto& [note, count] : sounding) EXPECT_EQ(count, 0) << "channel " << note.first + 1 << " note " << note.second;
  EXPECT_EQ(form.runCaption(), kStartCaption);
  EXPECT_EQ(form.List2()->count(), 0);
  EXPECT_EQ(test::visibleBoxes(form.fingerboard()), std::vector<int>{});
}

}  // namespace corvale::testing
