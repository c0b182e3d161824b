// The 49 built-in 8 x 8 fill patterns. A 0-bit is painted in the fill colour, a 1-bit in
// the background colour; the most significant bit of a row is its leftmost pixel.
#pragma once

#include <QBrush>
#include <QColor>
#include <QImage>
#include <array>
#include <cstdint>

class TPatterns {
 public:
  static constexpr int Count = 49;
  using TRows = std::array<std::uint8_t, 8>;

  // A stored index; indices past the table (from damaged files) give pattern 0.
  static int ValidIndex(int index);
  // The eight rows of a pattern, top row first.
  static const TRows& Rows(int index);
  // Whether the pattern's bit at (x, y) is set, repeating every 8 pixels in both directions.
  static bool Bit(int index, int x, int y);
  // The pattern as an 8 x 8 image and as a brush that tiles it.
  static QImage Image(int index, const QColor& face, const QColor& back);
  static QBrush Brush(int index, const QColor& face, const QColor& back);
};
