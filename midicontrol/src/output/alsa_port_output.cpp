#include "alsa_port_output.h"

#include <RtMidi.h>

#include <stdexcept>

#include "melodex/midi_platform.h"

namespace melodex {

namespace {

constexpr const char* kClientName = "Melodex";

// RtMidi prints its warnings unless given somewhere else to put them; the
// control reports through result codes instead.
void ignoreRtMidiWarning(RtMidiError::Type, const std::string&, void*) {}

std::unique_ptr<RtMidiOut> connectToSequencer() {
  auto out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, kClientName);
  out->setErrorCallback(ignoreRtMidiWarning, nullptr);
  return out;
}

}  // namespace

std::vector<std::string> AlsaPortOutput::portNames() {
  std::vector<std::string> names;
  try {
    const auto out = connectToSequencer();
    const unsigned int count = out->getPortCount();
    for (unsigned int port = 0; port < count; ++port) names.push_back(out->getPortName(port));
  } catch (const RtMidiError&) {
    // No ALSA sequencer on this machine: no ports, which is not a failure.
    names.clear();
  }
  return names;
}

AlsaPortOutput::AlsaPortOutput(unsigned int port) {
  try {
    out_ = connectToSequencer();
    if (port >= out_->getPortCount()) throw std::runtime_error("the MIDI port is no longer there");
    out_->openPort(port, "Melodex output");
    if (!out_->isPortOpen()) throw std::runtime_error("the MIDI port could not be opened");
  } catch (const RtMidiError& error) {
    throw std::runtime_error("the MIDI port could not be opened: " + error.getMessage());
  }
}

AlsaPortOutput::~AlsaPortOutput() = default;

int AlsaPortOutput::send(std::int32_t word) {
  const auto bits = static_cast<std::uint32_t>(word);
  const auto status = static_cast<unsigned char>(bits & 0xFFu);
  if (status < 0x80) return kMidiOk;  // no status byte: nothing a port could take
  std::vector<unsigned char> message{status, static_cast<unsigned char>((bits >> 8) & 0xFFu),
                                     static_cast<unsigned char>((bits >> 16) & 0xFFu)};
  // Program change and channel pressure carry one data byte.
  const unsigned char kind = status & 0xF0;
  if (kind == 0xC0 || kind == 0xD0) message.pop_back();
  try {
    out_->sendMessage(&message);
  } catch (const RtMidiError&) {
    return kMidiError;
  }
  return kMidiOk;
}

}  // namespace melodex
