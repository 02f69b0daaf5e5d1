#pragma once

#include <QPoint>
#include <QRect>

namespace corvale {

// The window is laid out in twips, as the player's design gives it; on screen
// 15 twips make one pixel (96 dots per inch, Qt scales for larger screens).
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

inline QPoint pointFromTwips(int x, int y) { return {twipsToPixels(x), twipsToPixels(y)}; }

inline QRect rectFromTwips(int left, int top, int width, int height) {
  return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace corvale
