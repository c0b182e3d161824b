#include "model/shapes/hotspot.h"

#include "geometry/outline.h"

void THotspot::DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (LineStyle == kLineNone) return;
  QPainterPath path;
  RectanglePath(path, canvas, 0, zoom, offsetX, offsetY, Width, Height, Centre());
  StrokeArea(canvas, path, zoom);
}
