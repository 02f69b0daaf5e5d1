#include <memory>

#include "melodex/midi_platform.h"
#include "melodex/sound_output.h"
#include "shared_output.h"
#include "system_platform.h"

namespace melodex {

namespace {

std::shared_ptr<MidiPlatform>& installedPlatform() {
  static std::shared_ptr<MidiPlatform> platform;
  return platform;
}

}  // namespace

// The system's outputs are looked at only when a control first needs them, so
// a test that installs its own platform never touches the sound system.
MidiPlatform& currentPlatform() {
  std::shared_ptr<MidiPlatform>& platform = installedPlatform();
  if (!platform) platform = std::make_shared<SystemPlatform>();
  return *platform;
}

std::shared_ptr<MidiPlatform> installPlatform(std::shared_ptr<MidiPlatform> platform) {
  std::shared_ptr<MidiPlatform> before = std::move(installedPlatform());
  installedPlatform() = std::move(platform);
  return before;
}

std::int64_t heardDelayMicroseconds() {
  const auto* system = dynamic_cast<const SystemPlatform*>(installedPlatform().get());
  return system ? system->heardDelayMicroseconds() : 0;
}

struct ScopedPlatform::Saved {
  std::shared_ptr<MidiPlatform> platform;
  SharedOutput output;
};

ScopedPlatform::ScopedPlatform(std::shared_ptr<MidiPlatform> platform)
    : saved_(new Saved{installPlatform(std::move(platform)), sharedOutput()}) {}

ScopedPlatform::~ScopedPlatform() {
  installPlatform(std::move(saved_->platform));
  sharedOutput() = saved_->output;
}

}  // namespace melodex
