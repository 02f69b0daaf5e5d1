#pragma once

#include <cstdint>

struct _fluid_synth_t;

namespace melodex {

// Plays one message word on `synth`: status in the low byte, then the two data bytes.
void playSynthWord(_fluid_synth_t* synth, std::int32_t word);

}  // namespace melodex
