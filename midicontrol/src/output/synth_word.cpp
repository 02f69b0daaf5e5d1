#include "synth_word.h"

#include <fluidsynth.h>

namespace melodex {

// Each data byte is handed over as the word holds it, and FluidSynth turns
// away the values it cannot take (most bytes above 127 after a spill-over);
// a pitch bend joins the low 7 bits of its two bytes.
void playSynthWord(fluid_synth_t* synth, std::int32_t word) {
  const auto bits = static_cast<std::uint32_t>(word);
  const int status = static_cast<int>(bits & 0xFFu);
  const int data1 = static_cast<int>((bits >> 8) & 0xFFu);
  const int data2 = static_cast<int>((bits >> 16) & 0xFFu);
  const int channel = status & 0x0F;
  switch (status & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(synth, channel, data1);
      break;
    case 0x90:
      fluid_synth_noteon(synth, channel, data1, data2);
      break;
    case 0xA0:
      fluid_synth_key_pressure(synth, channel, data1, data2);
      break;
    case 0xB0:
      fluid_synth_cc(synth, channel, data1, data2);
      break;
    case 0xC0:
      fluid_synth_program_change(synth, channel, data1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(synth, channel, data1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(synth, channel, (data1 & 0x7F) | ((data2 & 0x7F) << 7));
      break;
    default:
      if (status == 0xFF) fluid_synth_system_reset(synth);
      break;
  }
}

}  // namespace melodex
