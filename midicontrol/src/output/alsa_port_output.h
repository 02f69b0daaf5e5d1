#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class RtMidiOut;

namespace melodex {

// One writable ALSA sequencer port of another client (a hardware synthesiser,
// a FluidSynth or TiMidity server), opened through RtMidi's ALSA interface
// only: its JACK interface crashes on opening a port when no JACK server runs.
class AlsaPortOutput {
 public:
  // Names of the ports present, in device order; none when the machine has
  // no ALSA sequencer at all.
  static std::vector<std::string> portNames();

  // Opens port `port`; throws std::runtime_error saying why it cannot.
  explicit AlsaPortOutput(unsigned int port);
  ~AlsaPortOutput();
  AlsaPortOutput(const AlsaPortOutput&) = delete;
  AlsaPortOutput& operator=(const AlsaPortOutput&) = delete;

  // Sends the bytes of one message word; result codes of the MIDI service.
  int send(std::int32_t word);

  // The bytes a port receives for a message word: the status byte (bits 0..7)
  // and as many data bytes as that kind of message carries. None for a word a
  // port cannot take whole: one with no status byte, a system exclusive byte,
  // or a data byte of 128 or more (a spilled-over value), which the port
  // would read as the start of another message.
  static std::vector<unsigned char> messageBytes(std::int32_t word);

 private:
  std::unique_ptr<RtMidiOut> out_;
};

}  // namespace melodex
