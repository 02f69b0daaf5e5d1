// Drives the MIDI control through its dispatch interface with arbitrary calls: member
// identifiers known and unknown, every call kind, any argument count and argument
// values of every variant type, mixed with opens, closes and property puts, on the
// recording output and a clock that jumps through every wait. The control may refuse a
// call with its numbered RuntimeError; anything else (a crash, a sanitizer report, any
// other exception) is a fault.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "melodex/clock.h"
#include "melodex/host.h"
#include "melodex/member_ids.h"
#include "melodex/midi_control.h"
#include "melodex/property_store.h"
#include "melodex/recording_platform.h"
#include "melodex/runtime_error.h"

namespace {

using melodex::InvokeKind;
using melodex::Variant;

class FuzzHost final : public melodex::Host {
 public:
  melodex::PropertyStore& propertyStore() override { return store_; }
  void propertyChanged(const std::string&) override {}
  bool userMode() const override { return userMode_; }
  const melodex::Clock& clock() const override { return clock_; }
  void processPendingEvents() override {}
  void waitForEventsUntil(std::int64_t deadline) override { clock_.advanceTo(deadline); }
  bool closing() const override { return false; }

  melodex::VirtualClock& virtualClock() { return clock_; }
  void setUserMode(bool userMode) { userMode_ = userMode; }

 private:
  melodex::VirtualClock clock_;
  melodex::MemoryPropertyStore store_;
  bool userMode_ = true;
};

// Reads the input a little at a time; past its end every read gives zeros.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool done() const { return pos_ >= size_; }
  std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  template <class T>
  T value() {
    T result{};
    unsigned char raw[sizeof(T)] = {};
    for (unsigned char& b : raw) b = byte();
    std::memcpy(&result, raw, sizeof(T));
    return result;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

constexpr std::int32_t kMembers[] = {
    melodex::member::OpenHandle,   melodex::member::CloseHandle,   melodex::member::PlayNote,
    melodex::member::SendShortMsg, melodex::member::ChangePatch,   melodex::member::GetPatch,
    melodex::member::StopNote,     melodex::member::ChangePan,     melodex::member::GetPan,
    melodex::member::BendPitch,    melodex::member::GetPitchBend,  melodex::member::GetDevName,
    melodex::member::GetDevType,   melodex::member::CurrentDevice, melodex::member::DeviceCount,
    melodex::member::BPM,          melodex::member::MidiError,
};
constexpr std::int32_t kProperties[] = {melodex::member::CurrentDevice, melodex::member::DeviceCount,
                                        melodex::member::BPM, melodex::member::MidiError};

constexpr std::int32_t kIntegers[] = {0, 1, -1, 2, 8, 16, 17, 60, 127, 128, 255, 256, 0x7FFF, 0x8000, 16383, 16384,
                                      std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()};
constexpr double kReals[] = {0.0, 0.5, -0.5, 1.5, 2.5, 1e-300, 1e300, -1e300, 2147483647.5, -2147483648.5,
                             std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
const char* const kTexts[] = {"", "0", "60", "-1", " 12 ", "1e3", "&H7F", "abc", "2147483648", "1.5", "Nan"};

Variant nextVariant(Input& in) {
  const std::uint8_t kind = in.byte();
  switch (kind % 9) {
    case 0: return std::monostate{};
    case 1: return kIntegers[in.byte() % std::size(kIntegers)];
    case 2: return in.value<std::int32_t>();
    case 3: return kReals[in.byte() % std::size(kReals)];
    case 4: return in.value<double>();
    case 5: return std::string(kTexts[in.byte() % std::size(kTexts)]);
    case 6: {
      std::string text(in.byte() % 12, ' ');
      for (char& c : text) c = static_cast<char>(in.byte());
      return text;
    }
    case 7: return (kind & 0x80) != 0;
    default: return static_cast<std::int32_t>(static_cast<std::int8_t>(in.byte()));
  }
}

std::int32_t nextMember(Input& in) {
  const std::uint8_t pick = in.byte();
  if (pick < 224) return kMembers[pick % std::size(kMembers)];
  if (pick < 240) return melodex::member::About + 1;  // near a known one, but unknown
  return in.value<std::int32_t>();
}

void call(melodex::MidiControl& control, std::int32_t member, InvokeKind kind, std::vector<Variant> args) {
  try {
    control.Invoke(member, kind, std::span<Variant>(args));
  } catch (const melodex::RuntimeError&) {
    // A refused call is the control's answer to misuse, not a fault.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  FuzzHost host;
  auto platform = std::make_shared<melodex::RecordingPlatform>(host.virtualClock());
  if (in.byte() & 1) platform->setOpenResult(in.byte() % 8);
  melodex::installPlatform(platform);
  {
    melodex::MidiControl control(host);
    control.InitProperties();
    while (!in.done()) {
      const std::uint8_t op = in.byte();
      switch (op % 8) {
        case 0: call(control, melodex::member::OpenHandle, InvokeKind::Method, {nextVariant(in)}); break;
        case 1: call(control, melodex::member::CloseHandle, InvokeKind::Method, {}); break;
        case 2:
          call(control, kProperties[in.byte() % std::size(kProperties)], InvokeKind::PropertyPut, {nextVariant(in)});
          break;
        case 3: host.setUserMode(!host.userMode()); break;
        default: {
          const std::int32_t member = nextMember(in);
          const auto kind = static_cast<InvokeKind>(in.byte() % 3);
          std::vector<Variant> args(in.byte() % 7);
          for (Variant& arg : args) arg = nextVariant(in);
          call(control, member, kind, std::move(args));
        }
      }
    }
  }
  return 0;
}
