#pragma once

#include <array>
#include <cstdint>

namespace corvale {

// Where everything of the fingerboard lies, in twips, and its colours as
// 0xRRGGBB. Box k stands for note number 55 + k, from the G below middle C.
inline constexpr int kBoxCount = 31;
inline constexpr int kFretCount = 8;
inline constexpr int kBoxSizeTwips = 615;

struct BoxPlace {
  const char* caption;  // the note name with its leading spaces
  int left;
  int top;
};

inline constexpr std::array<BoxPlace, kBoxCount> kBoxPlaces{{
    {"  G,", 840, 1920},  {" G,#", 1800, 2880}, {"  A,", 2400, 3480}, {" A,#", 3000, 4080},
    {"  B,", 3600, 4680}, {"  C", 4200, 5280},  {"  C#", 4800, 5880}, {"  D", 1440, 1320},
    {"  D#", 2400, 2280}, {"  E", 3000, 2880},  {"  F", 3600, 3480},  {"  F#", 4200, 4080},
    {"  G", 4800, 4680},  {" G#", 5400, 5280},  {"  A", 2040, 720},   {"  A#", 3000, 1680},
    {"  B", 3600, 2280},  {"  c", 4200, 2880},  {"  c#", 4800, 3480}, {"  d", 5400, 4080},
    {" d#", 6000, 4680},  {"  e", 2640, 120},   {"  f", 3600, 1080},  {" f#", 4200, 1680},
    {"  g", 4800, 2280},  {" g#", 5400, 2880},  {"  a", 6000, 3480},  {"  a#", 6600, 4080},
    {" b", 7200, 4680},   {"  c'", 7800, 5280}, {" c'#", 8400, 5880},
}};

struct LinePlace {
  int x1;
  int y1;
  int x2;
  int y2;
  std::uint32_t colour;
};

inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kRed = 0xFF0000;
inline constexpr std::uint32_t kYellow = 0xFFFF00;
inline constexpr std::uint32_t kMagenta = 0xFF00FF;
inline constexpr std::uint32_t kGreen = 0x00FF00;

// The nut (Line1) and the G, D, A and E strings (Line3 to Line6), 3 pixels wide.
inline constexpr int kStringLineWidth = 3;
inline constexpr std::array<LinePlace, 5> kStringLines{{
    {1800, 2880, 3600, 1080, kWhite},
    {1800, 2880, 6840, 7920, kRed},
    {2400, 2280, 7440, 7320, kYellow},
    {3000, 1680, 8520, 7200, kMagenta},
    {9120, 6600, 3600, 1080, kGreen},
}};

// Fret k crosses all four strings through the top-left corners of boxes
// 2 + k, 9 + k, 16 + k and 23 + k; 1 pixel wide, white.
inline constexpr int kFretLineWidth = 1;
constexpr LinePlace fretPlace(int fret) {
  return {2400 + 600 * fret, 3480 + 600 * fret, 4200 + 600 * fret, 1680 + 600 * fret, kWhite};
}

// The colour of box k's string: full on the open string, a pale shade on the
// stopped notes. Boxes outside 0..30 get the G string's pale shade.
std::uint32_t boxColour(int box);

}  // namespace corvale
