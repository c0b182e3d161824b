// The 16 gradient fills, from the fill colour to the background colour: bands, diagonal
// triangles, circles and rectangles round the centre or a corner of the region's box. The
// shapes are worked out per pixel over the visible part of the box only, so the cost is
// bounded by the device, and the region clips the result.
#pragma once

#include <QColor>
#include <QRegion>
#include <cstdint>

#include "platform/color.h"
#include "platform/pixelrect.h"

class TCanvas;

class TGradientPainter {
 public:
  static constexpr int Count = 16;

  // A stored index; indices past the table (from damaged files) give gradient 0.
  static int ValidIndex(int index);
  // The colour at step n of steps: face at step 0, back at the last; with no steps (a
  // region one pixel across) the face colour, never a division by zero.
  static QColor StepColor(std::int64_t n, std::int64_t steps, const QColor& face,
                          const QColor& back);
  static void GradientFill(TCanvas& canvas, const QRegion& region, int index, TColorRef back,
                           TColorRef face);
  // The same where the region is the visible part of a larger shape whose pixel box is
  // given, so that the bands keep their place on the whole shape.
  static void GradientFill(TCanvas& canvas, const QRegion& region, const TPixelRect& box, int index,
                           TColorRef back, TColorRef face);
};
