// Draws pictures for objects and backgrounds: at natural size, stretched, tiled, or as a
// picture fill of a region, and turns bitmaps. Work is limited to what the device shows, so
// a picture stretched to an enormous size at a huge zoom costs no more than the screen.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

#include "platform/color.h"
#include "platform/pictures/picture.h"
#include "platform/pixelrect.h"

class TCanvas;

class TPicturePainter {
 public:
  // The built-in picture shown by picture fills of objects that have none.
  static const TPicture& LogoPicture();
  // Present and with a width and height; anything else is treated as no picture at all
  // (a zero-sized tile would never advance).
  static bool IsDrawable(const TPicture* picture);

  // The picture at its natural size with its top-left corner at (x, y), in copy mode.
  // While the canvas prints, every picture is drawn twice at the same place.
  static void DrawPicture(TCanvas& canvas, int x, int y, const TPicture* picture);
  // The picture stretched into the rectangle, in copy mode.
  static void StretchPicture(TCanvas& canvas, const QRect& rect, const TPicture* picture);
  // Tiles the picture at its natural size from the area's top-left corner until the area
  // is covered, clipped to the area. Serves picture fills and model backgrounds.
  static void TilePicture(TCanvas& canvas, const QRect& area, const TPicture* picture);
  // Fills a region with a picture: centred at zoom scale (the region's box first filled
  // with the background colour when the picture does not cover it), or tiled at natural
  // size. Without a drawable picture nothing is drawn.
  static void PictureFill(TCanvas& canvas, const QRegion& region, const TPicture* picture,
                          double zoom, TColorRef background, bool centred);
  // The same where the region is the visible part of a larger shape whose pixel box is
  // given, so that the picture stays placed on the whole shape.
  static void PictureFill(TCanvas& canvas, const QRegion& region, const TPixelRect& box,
                          const TPicture* picture, double zoom, TColorRef background, bool centred);

  // Draws the source turned anticlockwise on the screen by the angle in degrees into the
  // target, which is resized to the turned picture's bounding box; target pixels that fall
  // outside the source take the background colour.
  static void RotateBitmap(const QImage& source, QImage& target, TColorRef background,
                           double angle);
};
