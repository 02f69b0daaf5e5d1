// The MIDI service every window of the window tests sends to: it records the
// words instead of sounding them. The tests run in one QApplication.
#include <memory>

#include "melodex/clock.h"
#include "melodex/midi_platform.h"
#include "ui_test_support.h"

namespace corvale::test {
namespace {

const melodex::SteadyClock steadyClock;
const auto platform = std::make_shared<melodex::RecordingPlatform>(steadyClock);

class RecordingService : public ::testing::Environment {
 public:
  void SetUp() override { melodex::installPlatform(platform); }
};
const auto* const recordingService = ::testing::AddGlobalTestEnvironment(new RecordingService);

}  // namespace

melodex::RecordingPlatform& recordingPlatform() { return *platform; }

}  // namespace corvale::test
