#include <string>

#include "melodex/member_ids.h"
#include "melodex/midi_control.h"
#include "melodex/runtime_error.h"

namespace melodex {

namespace {

struct Arity {
  std::size_t required;
  std::size_t optional;
};

void checkArgumentCount(std::span<Variant> args, Arity arity, const char* memberName) {
  if (args.size() < arity.required || args.size() > arity.required + arity.optional) {
    throw RuntimeError(kWrongArgumentCount,
                       std::string("Wrong number of arguments for ") + memberName + ": " + std::to_string(args.size()));
  }
}

// Arguments are read, never written back: a caller's variable passed by
// reference keeps its value and type, as no member changes its arguments.
const Variant& argument(std::span<Variant> args, std::size_t position) {
  static const Variant omitted;
  return position < args.size() ? args[position] : omitted;
}

std::int32_t integerArgument(std::span<Variant> args, std::size_t position) {
  return toInt32(argument(args, position));
}

[[noreturn]] void unknownMember(std::int32_t memberId) {
  throw RuntimeError(kNoSuchMember, "The control has no member with identifier " + std::to_string(memberId));
}

}  // namespace

Variant MidiControl::Invoke(std::int32_t memberId, InvokeKind kind, std::span<Variant> args) {
  switch (memberId) {
    case member::MidiError:
    case member::BPM:
    case member::DeviceCount:
    case member::CurrentDevice:
      return invokeProperty(memberId, kind, args);
    default:
      // A method reached with a property-get call is still the method, as
      // late-bound callers often ask for both at once.
      if (kind == InvokeKind::PropertyPut) unknownMember(memberId);
      return invokeMethod(memberId, args);
  }
}

Variant MidiControl::invokeMethod(std::int32_t memberId, std::span<Variant> args) {
  switch (memberId) {
    case member::OpenHandle:
      checkArgumentCount(args, {0, 1}, "OpenHandle");
      return OpenHandle(integerArgument(args, 0));
    case member::CloseHandle:
      checkArgumentCount(args, {0, 0}, "CloseHandle");
      CloseHandle();
      return {};
    case member::PlayNote:
      checkArgumentCount(args, {3, 1}, "PlayNote");
      return PlayNote(args[0], args[1], args[2], toDouble(argument(args, 3)));
    case member::SendShortMsg:
      checkArgumentCount(args, {1, 0}, "SendShortMsg");
      return SendShortMsg(integerArgument(args, 0));
    case member::ChangePatch:
      checkArgumentCount(args, {2, 0}, "ChangePatch");
      ChangePatch(integerArgument(args, 0), integerArgument(args, 1));
      return {};
    case member::GetPatch:
      checkArgumentCount(args, {1, 0}, "GetPatch");
      return GetPatch(integerArgument(args, 0));
    case member::StopNote:
      checkArgumentCount(args, {2, 0}, "StopNote");
      StopNote(args[0], args[1]);
      return {};
    case member::ChangePan:
      checkArgumentCount(args, {2, 0}, "ChangePan");
      ChangePan(integerArgument(args, 0), integerArgument(args, 1));
      return {};
    case member::GetPan:
      checkArgumentCount(args, {1, 0}, "GetPan");
      return GetPan(integerArgument(args, 0));
    case member::BendPitch:
      checkArgumentCount(args, {2, 0}, "BendPitch");
      return BendPitch(integerArgument(args, 0), integerArgument(args, 1));
    case member::GetPitchBend:
      checkArgumentCount(args, {1, 0}, "GetPitchBend");
      return GetPitchBend(integerArgument(args, 0));
    case member::GetDevName:
      checkArgumentCount(args, {1, 0}, "GetDevName");
      return GetDevName(integerArgument(args, 0));
    case member::GetDevType:
      checkArgumentCount(args, {1, 0}, "GetDevType");
      return GetDevType(integerArgument(args, 0));
    case member::About:
      checkArgumentCount(args, {0, 0}, "About");
      About();
      return {};
    default:
      unknownMember(memberId);
  }
}

Variant MidiControl::invokeProperty(std::int32_t memberId, InvokeKind kind, std::span<Variant> args) {
  if (kind != InvokeKind::PropertyPut) {
    checkArgumentCount(args, {0, 0}, "a property read");
    switch (memberId) {
      case member::MidiError:
        return midiError_;
      case member::BPM:
        return bpm_;
      case member::DeviceCount:
        return deviceCount_;
      default:
        return currentDevice_;
    }
  }
  checkArgumentCount(args, {1, 0}, "a property write");
  switch (memberId) {
    case member::MidiError:
      SetMidiError(toText(args[0]));
      break;
    case member::BPM:
      SetBPM(toInt32(args[0]));
      break;
    case member::DeviceCount:
      SetDeviceCount(toInt32(args[0]));
      break;
    default:
      SetCurrentDevice(toInt32(args[0]));
      break;
  }
  return {};
}

}  // namespace melodex
