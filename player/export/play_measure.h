#pragma once

#include <cstdint>
#include <string>

#include "tune/event_table.h"

namespace corvale {

// A note of one unit lasts 2000 ÷ TEMPO milliseconds; in microseconds.
double unitMicroseconds(int tempo);

// How long a play of a tune lasts and how many notes it plays, known from its
// rows before anything is played: every pass of the table (1 + replays), each row
// its own length at `tempo`, as the MIDI control times it.
struct PlayMeasure {
  double microseconds = 0;  // may be past any integer: a tune can be absurdly long
  std::uint64_t notes = 0;
};
PlayMeasure measurePlay(const EventTable& events, int tempo, int replays);

// A length in the musician's words: "45 s", "3 min 12 s", "2 h 5 min", or
// "more than 10,000 hours".
std::string lengthText(double microseconds);

}  // namespace corvale
