#pragma once

#include <map>
#include <memory>
#include <string>

#include "alsa_port_output.h"
#include "melodex/midi_platform.h"

namespace melodex {

// The MIDI service of a Linux desktop. Device -1, the default output, is the
// built-in synthesiser, or the sequencer port it is routed to; devices 0..n-1
// are the ALSA sequencer ports present.
// Technology codes: 7 (software synthesiser) for the built-in synthesiser,
// 1 (hardware port) for sequencer ports, whatever sits behind them.
class SystemPlatform final : public MidiPlatform {
 public:
  static constexpr std::int16_t kSoftwareSynthesiser = 7;
  static constexpr std::int16_t kHardwarePort = 1;

  SystemPlatform() = default;

  int open(std::int32_t deviceNumber, MidiHandle& handle) override;
  int close(MidiHandle handle) override;
  int send(MidiHandle handle, std::int32_t word) override;
  // The built-in synthesiser sounds the word at its time; a port sends it now.
  int sendAt(MidiHandle handle, std::int32_t word, std::int64_t atMicroseconds) override;
  std::uint32_t deviceCount() override;
  int deviceCaps(std::int32_t deviceNumber, MidiDeviceCaps& caps) override;
  std::string lastOpenProblem() const override { return lastOpenProblem_; }
  bool readyToOpen(std::int32_t deviceNumber) override;
  // How long after its time a word sent now is heard: the built-in
  // synthesiser's delay while one of its handles is open, else 0.
  std::int64_t heardDelayMicroseconds() const;

 private:
  static int routedPort();

  // An open handle: a sequencer port, or nullptr for the built-in synthesiser.
  std::map<MidiHandle, std::unique_ptr<AlsaPortOutput>> open_;
  int builtInHandles_ = 0;
  MidiHandle nextHandle_ = 1;
  std::string lastOpenProblem_;
};

}  // namespace melodex
