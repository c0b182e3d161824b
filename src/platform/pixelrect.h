// A device rectangle as (left, top, right, bottom) with right and bottom exclusive,
// the way screen boxes and bands are computed throughout the drawing code.
#pragma once

#include <QRect>

struct TPixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
  static TPixelRect FromQRect(const QRect& r)
  {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  }
  // The same rectangle with left <= right and top <= bottom.
  TPixelRect Normalized() const
  {
    return {Left < Right ? Left : Right, Top < Bottom ? Top : Bottom, Left < Right ? Right : Left,
            Top < Bottom ? Bottom : Top};
  }
  bool Intersects(const TPixelRect& o) const
  {
    return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom;
  }
  friend bool operator==(const TPixelRect&, const TPixelRect&) = default;
};
