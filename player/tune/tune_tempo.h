#pragma once

namespace corvale {

// The tempo a tune's Q: field gives: so many beats a minute, each beat so long.
struct TuneTempo {
  double beatsPerMinute = 0;
  double beatLength = 0;  // in the rows' unit, eighth notes: "1/4=120" has 2

  // How long one unit of the rows (an eighth note) lasts at this tempo.
  double unitMilliseconds() const { return 60000.0 / (beatsPerMinute * beatLength); }
};

}  // namespace corvale
