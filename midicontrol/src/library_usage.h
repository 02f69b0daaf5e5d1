#pragma once

namespace melodex {

// Counts the controls alive and the locks held on the library, so that
// DllCanUnloadNow can tell a host whether the library is still in use.
class LibraryUsage {
 public:
  static void instanceCreated();
  static void instanceDestroyed();
  static void lock();
  static void unlock();
  static bool inUse();
};

}  // namespace melodex
