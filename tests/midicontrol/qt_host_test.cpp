#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include "melodex/qt_host.h"

namespace {

// Real time on a shared machine: waits are checked with a few milliseconds to spare.
constexpr std::int64_t kSlackMicroseconds = 5000;

class QtHostWait : public ::testing::Test {
 protected:
  melodex::MemoryPropertyStore store;
  melodex::SteadyClock clock;
  melodex::QtHost host{nullptr, store, clock};
};

TEST_F(QtHostWait, ReturnsAtTheDeadlineNotBefore) {
  const std::int64_t deadline = clock.nowMicroseconds() + 30'000;
  host.waitForEventsUntil(deadline);
  const std::int64_t now = clock.nowMicroseconds();
  EXPECT_GE(now, deadline);
  EXPECT_LT(now, deadline + kSlackMicroseconds);
}

TEST_F(QtHostWait, HandlesEventsAsTheyArriveDuringTheWait) {
  const std::int64_t start = clock.nowMicroseconds();
  std::int64_t handledAt = 0;
  QTimer::singleShot(10, [&] { handledAt = clock.nowMicroseconds(); });
  host.waitForEventsUntil(start + 60'000);
  ASSERT_NE(handledAt, 0);
  EXPECT_LT(handledAt - start, 10'000 + kSlackMicroseconds);
  EXPECT_GE(clock.nowMicroseconds(), start + 60'000);
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

TEST_F(QtHostWait, PropertyChangesMarkTheDesignChanged) {
  EXPECT_FALSE(host.designChanged());
  host.propertyChanged("BPM");
  EXPECT_TRUE(host.designChanged());
  EXPECT_EQ(host.window(), nullptr);
  EXPECT_TRUE(host.userMode());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
