// Loads the Melodex control the way a host on another machine would: registers
// the library given on the command line in a registry folder of its own, finds
// the library again by the control's ProgID, creates an instance through the
// class factory and reads its BPM. Links nothing of Melodex, so what answers
// is the library that was installed.
#include <dlfcn.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "melodex/entry_points.h"
#include "melodex/member_ids.h"

namespace {

class ProbeClock final : public melodex::Clock {
 public:
  std::int64_t nowMicroseconds() const override {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
};

class ProbeStore final : public melodex::PropertyStore {
 public:
  melodex::Variant read(const std::string&, const melodex::Variant& defaultValue) override {
    return defaultValue;
  }
  void write(const std::string&, const melodex::Variant&, const melodex::Variant&) override {}
};

class ProbeHost final : public melodex::Host {
 public:
  melodex::PropertyStore& propertyStore() override { return store_; }
  void propertyChanged(const std::string&) override {}
  bool userMode() const override { return true; }
  const melodex::Clock& clock() const override { return clock_; }
  void processPendingEvents() override {}
  void waitForEventsUntil(std::int64_t) override {}
  bool closing() const override { return false; }

 private:
  ProbeStore store_;
  ProbeClock clock_;
};

std::string registeredLibrary(const std::string& registryFile, const std::string& progId) {
  std::ifstream in(registryFile);
  std::string line;
  const std::string prefix = progId + "=";
  while (std::getline(in, line)) {
    if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
  }
  return {};
}

int fail(const std::string& message) {
  std::fprintf(stderr, "control_probe: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const char* registryDir = std::getenv("MELODEX_REGISTRY_DIR");
  if (argc != 2 || !registryDir) return fail("usage: MELODEX_REGISTRY_DIR=DIR control_probe LIBRARY");

  void* installed = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (!installed) return fail(std::string("cannot load ") + argv[1] + ": " + dlerror());
  using EntryPoint = int (*)();
  auto registerServer = reinterpret_cast<EntryPoint>(dlsym(installed, "DllRegisterServer"));
  if (!registerServer || registerServer() != 0) return fail("DllRegisterServer failed");

  const std::string library =
      registeredLibrary(std::string(registryDir) + "/controls.registry", melodex::kMidiControlProgId);
  if (library.empty()) return fail("the ProgID is not in the registry after registering");
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return fail("cannot load the registered library " + library);

  using GetClassObject = int (*)(const char*, melodex::ClassFactory**);
  auto getClassObject = reinterpret_cast<GetClassObject>(dlsym(handle, "DllGetClassObject"));
  melodex::ClassFactory* factory = nullptr;
  if (!getClassObject || getClassObject(melodex::kMidiControlProgId, &factory) != 0 || !factory) {
    return fail("DllGetClassObject gave no class factory");
  }
  ProbeHost host;
  auto control = factory->CreateInstance(host);
  control->InitProperties();
  std::array<melodex::Variant, 0> none{};
  const melodex::Variant bpm = control->Invoke(melodex::member::BPM, melodex::InvokeKind::PropertyGet, none);
  if (!std::holds_alternative<std::int32_t>(bpm) || std::get<std::int32_t>(bpm) != 100) {
    return fail("a new control does not read BPM 100");
  }
  control.reset();
  std::printf("loaded %s by %s from %s\n", "MidiControl", melodex::kMidiControlProgId, library.c_str());
  return 0;
}
