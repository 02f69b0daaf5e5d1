#include "class_factory.h"

#include "library_usage.h"
#include "melodex/midi_control.h"

namespace melodex {

std::unique_ptr<Control> MidiControlFactory::CreateInstance(Host& host) {
  return std::make_unique<MidiControl>(host);
}

void MidiControlFactory::LockServer(bool lock) {
  if (lock) {
    LibraryUsage::lock();
  } else {
    LibraryUsage::unlock();
  }
}

}  // namespace melodex
