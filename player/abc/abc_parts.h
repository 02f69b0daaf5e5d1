#pragma once

#include "abc/abc_music.h"

namespace corvale::abc {

// Gives every written row its part: the P: label it stands under (none before the
// first label), or, in a tune the body does not label, A, B, C, ... for the sections
// its repeats and double bars delimit, in written order. A section's endings belong
// to it; a section with no sound takes no letter.
void nameParts(Music& music);

}  // namespace corvale::abc
