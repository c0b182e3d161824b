// Fills regions and paths by an object's fill attributes: solid, clear, pattern, picture or
// gradient. Solid fills go straight to the painter; the others work inside the region.
#pragma once

#include <QPainterPath>
#include <QRegion>

#include "platform/color.h"
#include "platform/pictures/picture.h"
#include "platform/pixelrect.h"

class TCanvas;

class TFillPainter {
 public:
  // Fill style codes as objects store them.
  enum TStyle : int { Solid = 0, Clear = 1, Pattern = 2, Picture = 3, Gradient = 4 };
  static constexpr int StyleCount = 5;

  // A stored code; codes past the table (from damaged files) fill solid.
  static int ValidStyle(int style);

  // Fills a region in device pixels. A picture fill without a drawable picture shows the
  // built-in logo.
  static void FillRegion(TCanvas& canvas, const QRegion& region, int fillStyle, double zoom,
                         int patternIndex, int gradientIndex, const TPicture* picture,
                         bool pictureCentred, TColorRef faceColor, TColorRef backColor);
  // The same for a path in device pixels: solid straight from the path, the other styles
  // through the pixels the path covers.
  static void FillPath(TCanvas& canvas, const QPainterPath& path, int fillStyle, double zoom,
                       int patternIndex, int gradientIndex, const TPicture* picture,
                       bool pictureCentred, TColorRef faceColor, TColorRef backColor);
  // Pattern fill aligned to the device's pixel grid, not to the region.
  static void PatternFill(TCanvas& canvas, const QRegion& region, int patternIndex,
                          TColorRef backColor, TColorRef faceColor);

 private:
  // Fills the visible part of a shape whose whole pixel box is given.
  static void FillPart(TCanvas& canvas, const QRegion& region, const TPixelRect& box, int fillStyle,
                       double zoom, int patternIndex, int gradientIndex, const TPicture* picture,
                       bool pictureCentred, TColorRef faceColor, TColorRef backColor);
  // The same painted into a transparent picture first, for devices that cannot fill with
  // image brushes or clip.
  static void BakedFill(TCanvas& canvas, const QRegion& region, const TPixelRect& box,
                        int fillStyle, double zoom, int patternIndex, int gradientIndex,
                        const TPicture* picture, bool pictureCentred, TColorRef faceColor,
                        TColorRef backColor);
};
