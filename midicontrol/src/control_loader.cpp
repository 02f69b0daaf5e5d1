#include "melodex/control_loader.h"

#include <dlfcn.h>

#include "control_registry.h"
#include "melodex/entry_points.h"

namespace melodex {

namespace {

// The library of this program's own build or install: its run path finds it,
// so a fresh install creates controls with no registration step.
constexpr const char* kOwnLibrary = "libMelodex.so.2";

using GetClassObject = int (*)(const char*, ClassFactory**);

// Loads `library` and creates the control from it; on failure returns nullptr
// and says why in `reason`. Libraries are never unloaded: a control or a
// widget it made may outlive any handle the loader could count.
std::unique_ptr<Control> createFrom(const std::string& library, const std::string& progId, Host& host,
                                    std::string& reason) {
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* error = dlerror();
    reason = error ? error : "cannot load " + library;
    return nullptr;
  }
  auto getClassObject = reinterpret_cast<GetClassObject>(dlsym(handle, "DllGetClassObject"));
  if (!getClassObject) {
    reason = library + " has no DllGetClassObject entry point";
    return nullptr;
  }
  ClassFactory* factory = nullptr;
  if (getClassObject(progId.c_str(), &factory) != 0 || !factory) {
    reason = library + " does not hold the control " + progId;
    return nullptr;
  }
  return factory->CreateInstance(host);
}

}  // namespace

std::unique_ptr<Control> createControl(const std::string& progId, Host& host) {
  std::string problems;
  if (const auto registered = ControlRegistry().find(progId)) {
    std::string reason;
    if (auto control = createFrom(registered->string(), progId, host, reason)) return control;
    problems = "the registered library failed (" + reason + "); ";
  }
  std::string reason;
  if (auto control = createFrom(kOwnLibrary, progId, host, reason)) return control;
  throw ControlLoadError("cannot create the control " + progId + ": " + problems + "the program's own library failed (" +
                         reason + ")");
}

}  // namespace melodex
