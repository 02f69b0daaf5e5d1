#pragma once

#include <memory>

#include "melodex/control.h"
#include "melodex/host.h"

namespace melodex {

// The ProgID by which hosts create the MidiControl.
inline constexpr const char* kMidiControlProgId = "VantryMidiControl.MidiControl";

// Creates instances of one control class. LockServer keeps the library loaded
// while no instance lives.
class ClassFactory {
 public:
  virtual ~ClassFactory() = default;
  virtual std::unique_ptr<Control> CreateInstance(Host& host) = 0;
  virtual void LockServer(bool lock) = 0;
};

}  // namespace melodex

// The library's entry points. Results: 0 success; DllCanUnloadNow gives 0
// when no instance or lock lives and 1 otherwise; DllGetClassObject gives a
// non-zero code for a ProgID the library does not hold.
extern "C" {
int DllRegisterServer(void);
int DllUnregisterServer(void);
int DllGetClassObject(const char* progId, melodex::ClassFactory** factory);
int DllCanUnloadNow(void);
}
