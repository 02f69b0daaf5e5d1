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
  std::vector<unsigned char> message = messageBytes(word);
  if (message.empty()) return kMidiOk;  // nothing a port could take
  try {
    out_->sendMessage(&message);
  } catch (const RtMidiError&) {
    return kMidiError;
  }
  return kMidiOk;
}

std::vector<unsigned char> AlsaPortOutput::messageBytes(std::int32_t word) {
  const auto bits = static_cast<std::uint32_t>(word);
  const auto status = static_cast<unsigned char>(bits & 0xFFu);
  std::size_t length = 0;
  if (status >= 0x80 && status < 0xF0) {
    // Program change and channel pressure carry one data byte, the others two.
    length = (status & 0xE0) == 0xC0 ? 2 : 3;
  } else if (status == 0xF1 || status == 0xF3) {
    length = 2;
  } else if (status == 0xF2) {
    length = 3;
  } else if (status == 0xF6 || status >= 0xF8) {
    length = 1;
  }
  std::vector<unsigned char> bytes;
  for (std::size_t position = 0; position < length; ++position) {
    const auto byte = static_cast<unsigned char>((bits >> (8 * position)) & 0xFFu);
    if (position > 0 && byte >= 0x80) return {};
    bytes.push_back(byte);
  }
  return bytes;
}

}  // namespace melodex
