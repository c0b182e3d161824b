// Outlines: closed or open figures made of cubic segments, relative to an object's centre.
// The first segment only supplies the start point; a straight edge has C1 at the previous
// end and C2 at its own end.
#pragma once

#include <QPainterPath>
#include <QPolygon>
#include <QRect>
#include <vector>

#include "geometry/modelpoint.h"
#include "platform/pixelrect.h"

class TCanvas;

struct TSegment {
  double C1x = 0.0, C1y = 0.0;
  double C2x = 0.0, C2y = 0.0;
  double Ex = 0.0, Ey = 0.0;

  TModelPoint End() const { return {Ex, Ey}; }
  friend bool operator==(const TSegment&, const TSegment&) = default;
};

using TOutline = std::vector<TSegment>;

// Appends a segment unless it would end where the last one already ends.
void AppendSegment(TOutline& list, double c1x, double c1y, double c2x, double c2y, double ex,
                   double ey);
// Appends a straight edge from the current end (or a start point when the list is empty).
void AppendLine(TOutline& list, double ex, double ey);
void CopyOutline(const TOutline& source, TOutline& destination);
void ScaleOutline(TOutline& list, double fx, double fy);
void FreeOutline(TOutline& list);

// The outline turned by angle about centre and mapped to device pixels, as a path
// (straight where both control points sit on the ends in pixels, otherwise cubic).
void OutlinePath(QPainterPath& path, const TCanvas& canvas, const TOutline& list, double angle,
                 double zoom, double offsetX, double offsetY, TModelPoint centre);
QPainterPath OutlinePath(const TCanvas& canvas, const TOutline& list, double angle, double zoom,
                         double offsetX, double offsetY, TModelPoint centre);

// The corners of a width x height rectangle about centre, turned and mapped to pixels.
QPolygon RectanglePolygon(const TCanvas& canvas, double angle, double zoom, double offsetX,
                          double offsetY, double width, double height, TModelPoint centre);
// Draws that rectangle closed with the painter's current pen and brush.
void RectanglePath(TCanvas& canvas, double angle, double zoom, double offsetX, double offsetY,
                   double width, double height, TModelPoint centre);
// Adds that rectangle to a path being built.
void RectanglePath(QPainterPath& path, const TCanvas& canvas, double angle, double zoom,
                   double offsetX, double offsetY, double width, double height, TModelPoint centre);

// The smallest rectangle holding the given one turned by angle about its own centre.
TPixelRect RotatedBox(const TPixelRect& box, double angle);

// Gives every vertex of a list of straight segments tangents parallel to the chord of its
// neighbours, taking the neighbours cyclically; end points are not moved.
void SmoothOutline(TOutline& list);
// Thins out a hand-drawn point list (0.35 inch spacing, 15 degree turns) and smooths it.
void SimplifyOutline(TOutline& list);

// The box outline of an unrotated width x height rectangle as straight segments, closed.
TOutline BoxOutline(double width, double height);
