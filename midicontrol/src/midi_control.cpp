#include "melodex/midi_control.h"

#include <algorithm>
#include <string>

#include "checked_arithmetic.h"
#include "control_face.h"
#include "library_usage.h"
#include "melodex/midi_platform.h"
#include "melodex/runtime_error.h"
#include "shared_output.h"

namespace melodex {

namespace {

constexpr std::int32_t kControlChange = 0xB0;
constexpr std::int32_t kProgramChange = 0xC0;
constexpr std::int32_t kPitchBend = 0xE0;
constexpr std::int32_t kPanController = 10;
constexpr std::size_t kNameFieldLength = 32;

std::size_t tableIndex(std::int32_t channel) {
  if (channel < 0 || channel > 16) {
    throw RuntimeError(kSubscriptOutOfRange,
                       "Subscript out of range: channel " + std::to_string(channel) + " is not 0 to 16");
  }
  return static_cast<std::size_t>(channel);
}

// Sends the message held in the shared fields: status + data1 * 256 +
// data2 * 65536, with no masking, so a data value above 127 spills into the
// next byte; every step is checked for overflow.
std::int32_t channelMessageWord() {
  const SharedOutput& shared = sharedOutput();
  const std::int32_t data1Part = checkedMultiply(shared.msgData1, 256);
  const std::int32_t data2Part = checkedMultiply(checkedMultiply(shared.msgData2, 256), 256);
  return checkedAdd(checkedAdd(shared.msgStatus, data1Part), data2Part);
}

int sendChannelMessage() { return currentPlatform().send(sharedOutput().handle, channelMessageWord()); }

std::int32_t noteOffWord(const Variant& note, const Variant& channel) {
  return toInt32(Variant{128.0 + toDouble(note) * 256.0 + (toDouble(channel) - 1.0)});
}

std::int32_t platformDevice(std::int32_t deviceId) { return checkedAdd(deviceId, -1); }

// An output still being made ready is waited for this long before the
// musician is told why the play has not started...
constexpr std::int64_t kLoadingNoticeMicroseconds = 200000;
// ...and looked at this often meanwhile, the window's events handled between.
constexpr std::int64_t kLoadingPollMicroseconds = 5000;
// A note that follows the one before within this time is timed from that
// note's end, so the host's work between two notes does not add up.
constexpr std::int64_t kFollowOnMicroseconds = 20000;

}  // namespace

std::string TrimName(std::string& name) {
  while (!name.empty()) {
    const auto code = static_cast<unsigned char>(name.back());
    if (code >= 32 && code <= 126) break;
    name.pop_back();
  }
  return name;
}

MidiControl::MidiControl(Host& host) : host_(host) {
  SharedOutput& shared = sharedOutput();
  for (std::size_t channel = 1; channel < kTableSize; ++channel) {
    shared.panTable[channel] = 64;
    shared.patchTable[channel] = 0;
  }
  // The service's device count is 16 bits wide, read as a signed value.
  detectedDeviceCount_ = static_cast<std::int16_t>(currentPlatform().deviceCount() & 0xFFFFu);
  deviceCount_ = detectedDeviceCount_;
  if (host_.window() != nullptr) face_ = std::make_unique<ControlFace>(host_.window());
  // Counted last: a creation that fails never runs the destructor's uncount.
  LibraryUsage::instanceCreated();
}

MidiControl::~MidiControl() {
  currentPlatform().close(sharedOutput().handle);
  face_.reset();
  LibraryUsage::instanceDestroyed();
}

std::int32_t MidiControl::OpenHandle(std::int32_t deviceId) {
  SharedOutput& shared = sharedOutput();
  const std::int32_t device = platformDevice(deviceId);
  waitForOutput(device);
  const int result = currentPlatform().open(device, shared.handle);
  // Every channel starts on program 0, whether or not the open succeeded.
  for (std::int32_t nibble = 0; nibble < 16; ++nibble) {
    shared.msgData1 = 0;
    shared.msgData2 = 0;
    shared.msgStatus = kProgramChange + nibble;
    sendChannelMessage();
  }
  return result;
}

void MidiControl::CloseHandle() {
  const int result = currentPlatform().close(sharedOutput().handle);
  SetMidiError(std::to_string(result));
}

std::int32_t MidiControl::PlayNote(const Variant& note, const Variant& velocity, const Variant& channel,
                                   double duration) {
  SharedOutput& shared = sharedOutput();
  shared.msgData1 = toInt32(note);
  shared.msgData2 = toInt32(velocity);
  shared.msgStatus = toInt32(Variant{143.0 + toDouble(channel)});
  const std::int32_t noteOn = channelMessageWord();
  MidiPlatform& platform = currentPlatform();
  if (duration == 0.0) return platform.send(shared.handle, noteOn);

  // A note whose length cannot be worked out still sounds before the error.
  std::int32_t waitMilliseconds = 0;
  try {
    if (bpm_ == 0) throw RuntimeError(kDivisionByZero, "Division by zero: BPM is 0, so a timed note has no length");
    waitMilliseconds = toInt32(Variant{60000.0 / bpm_ * duration});
  } catch (const RuntimeError&) {
    platform.send(shared.handle, noteOn);
    throw;
  }
  if (waitMilliseconds <= 0) {
    const std::int32_t result = platform.send(shared.handle, noteOn);
    host_.processPendingEvents();
    StopNote(note, channel);
    return result;
  }

  // Both ends of the note carry their times, so an output that sounds words
  // a little later than they are sent keeps the written spacing exactly.
  const std::int64_t length = std::int64_t{waitMilliseconds} * 1000;
  const std::int64_t start = noteStart(host_.clock().nowMicroseconds(), length);
  const std::int32_t result = platform.sendAt(shared.handle, noteOn, start);
  waitUntil(start + length);
  const std::int64_t end = lastWaitReachedDeadline_ ? lastDeadline_ : host_.clock().nowMicroseconds();
  // The window's events during the wait may have installed another platform.
  currentPlatform().sendAt(sharedOutput().handle, noteOffWord(note, channel), end);
  return result;
}

// Sleeps through the host's event handling until the deadline. A host that is
// closing ends the wait early; the note-off still follows.
void MidiControl::waitUntil(std::int64_t deadlineMicroseconds) {
  do {
    host_.waitForEventsUntil(deadlineMicroseconds);
  } while (host_.clock().nowMicroseconds() < deadlineMicroseconds && !host_.closing());
  lastDeadline_ = deadlineMicroseconds;
  lastWaitReachedDeadline_ = host_.clock().nowMicroseconds() >= deadlineMicroseconds;
}

// A note played straight after the previous one (its box shown, the tempo
// read, the window's events handled) starts where that one ended, so notes
// sound at their written spacing instead of each adding the work in between.
// After a pause, a wait cut short, the first note, or a gap that would take
// half the note's own length, it starts when it was sent.
std::int64_t MidiControl::noteStart(std::int64_t sentAt, std::int64_t length) {
  const std::int64_t gap = sentAt - lastDeadline_;
  const bool followsOn = lastWaitReachedDeadline_ && gap >= 0 && gap < std::min(kFollowOnMicroseconds, length / 2);
  lastWaitReachedDeadline_ = false;
  return followsOn ? lastDeadline_ : sentAt;
}

// The built-in synthesiser may still be loading its SoundFont when the first
// play opens it: the window's events go on being handled meanwhile, and a
// wait long enough to be noticed is explained. A closing host stops waiting.
void MidiControl::waitForOutput(std::int32_t device) {
  MidiPlatform& platform = currentPlatform();
  if (platform.readyToOpen(device)) return;
  const std::int64_t start = host_.clock().nowMicroseconds();
  bool told = false;
  while (!platform.readyToOpen(device) && !host_.closing()) {
    const std::int64_t now = host_.clock().nowMicroseconds();
    if (!told && now - start >= kLoadingNoticeMicroseconds) {
      host_.showNotice("Loading the sound\u2026");
      told = true;
    }
    host_.waitForEventsUntil(now + kLoadingPollMicroseconds);
  }
  if (told) host_.showNotice("");
}

std::int32_t MidiControl::SendShortMsg(std::int32_t midiMsg) {
  return currentPlatform().send(sharedOutput().handle, midiMsg);
}

void MidiControl::ChangePatch(std::int32_t channel, std::int32_t patch) {
  const std::size_t index = tableIndex(channel);
  SharedOutput& shared = sharedOutput();
  shared.patchTable[index] = patch;
  shared.msgStatus = checkedAdd(checkedAdd(kProgramChange, channel), -1);
  shared.msgData1 = shared.patchTable[index];
  shared.msgData2 = 0;
  sendChannelMessage();
}

std::int32_t MidiControl::GetPatch(std::int32_t channel) const {
  return sharedOutput().patchTable[tableIndex(channel)];
}

void MidiControl::StopNote(const Variant& note, const Variant& channel) {
  currentPlatform().send(sharedOutput().handle, noteOffWord(note, channel));
}

void MidiControl::ChangePan(std::int32_t channel, std::int32_t pan) {
  SharedOutput& shared = sharedOutput();
  shared.msgStatus = checkedAdd(checkedAdd(kControlChange, channel), -1);
  shared.msgData1 = kPanController;
  shared.msgData2 = pan;
  sendChannelMessage();
  shared.panTable[tableIndex(channel)] = pan;
}

std::int32_t MidiControl::GetPan(std::int32_t channel) const { return sharedOutput().panTable[tableIndex(channel)]; }

std::int32_t MidiControl::BendPitch(std::int32_t channel, std::int32_t pitch) {
  const std::int32_t status = checkedAdd(checkedAdd(kPitchBend, channel), -1);
  const std::int32_t lowSeven = (pitch & 0x7F) * 256;
  const std::int32_t highSeven = ((pitch & 0x7F80) / 128) * 65536;
  const int result = currentPlatform().send(sharedOutput().handle, checkedAdd(checkedAdd(status, lowSeven), highSeven));
  pitchBendTable_[tableIndex(channel)] = pitch;
  return result;
}

std::int32_t MidiControl::GetPitchBend(std::int32_t channel) const { return pitchBendTable_[tableIndex(channel)]; }

std::string MidiControl::GetDevName(std::int32_t deviceId) {
  MidiDeviceCaps caps;
  currentPlatform().deviceCaps(platformDevice(deviceId), caps);
  std::string name = caps.productName.substr(0, kNameFieldLength);
  name.resize(kNameFieldLength, '\0');
  return TrimName(name);
}

std::int32_t MidiControl::GetDevType(std::int32_t deviceId) {
  MidiDeviceCaps caps;
  currentPlatform().deviceCaps(platformDevice(deviceId), caps);
  return caps.technology;
}

void MidiControl::About() {
  if (face_) face_->showAbout();
}

QWidget* MidiControl::face() { return face_ ? face_->widget() : nullptr; }

}  // namespace melodex
