#include "library_usage.h"

#include <atomic>

namespace melodex {

namespace {
std::atomic<int> liveInstances{0};
std::atomic<int> locks{0};
}  // namespace

void LibraryUsage::instanceCreated() { ++liveInstances; }
void LibraryUsage::instanceDestroyed() { --liveInstances; }
void LibraryUsage::lock() { ++locks; }

void LibraryUsage::unlock() {
  // An unbalanced unlock must not make the count negative and hide a real lock.
  int current = locks.load();
  while (current > 0 && !locks.compare_exchange_weak(current, current - 1)) {
  }
}

bool LibraryUsage::inUse() { return liveInstances.load() > 0 || locks.load() > 0; }

}  // namespace melodex
