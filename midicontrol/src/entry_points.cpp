#include "melodex/entry_points.h"

#include <dlfcn.h>

#include <cstring>
#include <filesystem>

#include "class_factory.h"
#include "control_registry.h"
#include "library_usage.h"

namespace {

enum EntryResult : int { kSuccess = 0, kCannotUnload = 1, kClassNotAvailable = 2, kRegistryNotWritable = 3 };

// The file this library was loaded from, so the registry points hosts at it.
std::filesystem::path ownLibraryFile() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) == 0 || !info.dli_fname) return {};
  std::error_code error;
  return std::filesystem::absolute(info.dli_fname, error);
}

}  // namespace

extern "C" int DllRegisterServer(void) {
  const auto library = ownLibraryFile();
  if (library.empty()) return kRegistryNotWritable;
  return melodex::ControlRegistry().add(melodex::kMidiControlProgId, library) ? kSuccess : kRegistryNotWritable;
}

extern "C" int DllUnregisterServer(void) {
  return melodex::ControlRegistry().remove(melodex::kMidiControlProgId) ? kSuccess : kRegistryNotWritable;
}

extern "C" int DllGetClassObject(const char* progId, melodex::ClassFactory** factory) {
  if (!factory) return kClassNotAvailable;
  *factory = nullptr;
  if (!progId || std::strcmp(progId, melodex::kMidiControlProgId) != 0) return kClassNotAvailable;
  static melodex::MidiControlFactory midiControlFactory;
  *factory = &midiControlFactory;
  return kSuccess;
}

extern "C" int DllCanUnloadNow(void) { return melodex::LibraryUsage::inUse() ? kCannotUnload : kSuccess; }
