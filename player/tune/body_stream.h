#pragma once

#include <string_view>
#include <vector>

namespace corvale {

// The tune body packed one character per position, 1 to 8000: spaces, control characters
// and line breaks dropped, every "/" followed by a "2", and the end marker "$" right
// after the last character kept.
class BodyStream {
 public:
  static constexpr int kPositions = 8000;
  static constexpr char32_t kEndMarker = U'$';

  BodyStream();

  // Clears every position to a space, then packs columns 1 to 80 of each body line.
  // Packing stops at the first character that does not fit together with its end marker;
  // a "/" and the "2" put after it are kept or dropped together.
  void pack(const std::vector<std::string_view>& bodyLines);

  // The character at a position; 0 (nothing) outside 1..8000.
  char32_t at(int position) const {
    return position >= 1 && position <= kPositions ? cells_[static_cast<std::size_t>(position)] : 0;
  }

  int length() const { return length_; }  // the last position packed

 private:
  void put(char32_t c);

  std::vector<char32_t> cells_;  // index 0 unused
  int length_ = 0;
};

}  // namespace corvale
