#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "melodex/member_ids.h"
#include "melodex/qt_host.h"
#include "test_host.h"

namespace {

// Real time on a shared, busy machine: a wake can be tens of milliseconds
// late, so the checks tell "during the wait" from "after it", not precision
// (the benchmark measures that).
constexpr std::int64_t kSlackMicroseconds = 50'000;

class QtHostWait : public ::testing::Test {
 protected:
  melodex::MemoryPropertyStore store;
  melodex::SteadyClock clock;
  melodex::QtHost host{nullptr, store, clock};
};

TEST_F(QtHostWait, HandlesEventsAsTheyArriveAndReturnsAtTheDeadlineNotBefore) {
  const std::int64_t start = clock.nowMicroseconds();
  std::int64_t handledAt = 0;
  QTimer::singleShot(10, [&] { handledAt = clock.nowMicroseconds(); });
  host.waitForEventsUntil(start + 200'000);
  ASSERT_NE(handledAt, 0);
  EXPECT_LT(handledAt - start, 10'000 + kSlackMicroseconds);
  EXPECT_GE(clock.nowMicroseconds(), start + 200'000);
  EXPECT_LT(clock.nowMicroseconds(), start + 200'000 + kSlackMicroseconds);
}

TEST_F(QtHostWait, RequestCloseEndsTheWaitAndLaterOnes) {
  const std::int64_t start = clock.nowMicroseconds();
  QTimer::singleShot(10, [&] { host.requestClose(); });
  host.waitForEventsUntil(start + 2'000'000);
  EXPECT_LT(clock.nowMicroseconds() - start, 10'000 + kSlackMicroseconds);
  EXPECT_TRUE(host.closing());
  const std::int64_t again = clock.nowMicroseconds();
  host.waitForEventsUntil(again + 1'000'000);
  EXPECT_LT(clock.nowMicroseconds() - again, kSlackMicroseconds);
}

class ControlOnAWindow : public ::testing::Test {
 protected:
  melodex::MemoryPropertyStore store;
  melodex::SteadyClock clock;
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
  melodex::QtHost host{window.get(), store, clock};
  RecordingOutput output{host};
};

// The face shows InfoLabel and goes with the window; About shows its modal box until OK.
TEST_F(ControlOnAWindow, FaceIsAChildOfTheWindowAndAboutShowsTheModalBoxUntilOk) {
  melodex::MidiControl control(host);
  QWidget* face = control.face();
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->parentWidget(), window.get());
  EXPECT_EQ(face->size(), QSize(129, 58));
  const auto* info = face->findChild<QLabel*>("InfoLabel");
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->text().contains("Melodex") && info->text().contains("2.0")) << info->text().toStdString();
  QStringList box;
  QTimer::singleShot(0, [&] {
    QWidget* about = QApplication::activeModalWidget();
    ASSERT_NE(about, nullptr);
    const auto* version = about->findChild<QLabel*>("VersionLabel");
    auto* ok = about->findChild<QPushButton*>("Command1");
    ASSERT_TRUE(version && ok);
    box << about->objectName() << about->windowTitle() << version->text() << ok->text();
    ok->click();
  });
  control.Invoke(melodex::member::About, melodex::InvokeKind::Method, {});
  EXPECT_EQ(box, (QStringList{"frmAbout", "About", "Version 2.0", "OK"}));
  window.reset();
  EXPECT_EQ(control.face(), nullptr);
}

}  // namespace
