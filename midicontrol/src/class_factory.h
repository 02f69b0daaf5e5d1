#pragma once

#include "melodex/entry_points.h"

namespace melodex {

// Creates MidiControl instances for hosts that found the library by its ProgID.
class MidiControlFactory final : public ClassFactory {
 public:
  std::unique_ptr<Control> CreateInstance(Host& host) override;
  void LockServer(bool lock) override;
};

}  // namespace melodex
