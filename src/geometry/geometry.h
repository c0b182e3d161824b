// Pure helpers on model points, angles, bearings, pen widths and anchor lists.
// Angles are degrees, positive clockwise on the screen; bearings are compass bearings
// (0 up, 90 right) with -1 for "no direction".
#pragma once

#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/modelpoint.h"
#include "geometry/outline.h"

class TCanvas;

TModelPoint RotateOffset(TModelPoint centre, double dx, double dy, double angle);
double AddAngles(double a, double b);
double Distance(TModelPoint p, TModelPoint q);
// Inline: choosing an arrow's anchors asks for millions of bearings in a large model.
inline double Bearing(TModelPoint from, TModelPoint to)
{
  constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
  const double dx = to.X - from.X;
  const double dy = to.Y - from.Y;
  if (dx == 0.0 && dy == 0.0) return -1.0;
  if (dy == 0.0) return dx > 0.0 ? 90.0 : 270.0;
  if (dx == 0.0) return dy < 0.0 ? 0.0 : 180.0;
  const double r = std::atan(std::fabs(dx) / std::fabs(dy)) / kRadiansPerDegree;
  if (dx > 0.0) return dy < 0.0 ? r : 180.0 - r;
  return dy > 0.0 ? 180.0 + r : 360.0 - r;
}
// Difference of two bearings folded into 0..180.
double BearingDifference(double a, double b);
TModelPoint PolarOffset(double r, double bearing);
TModelPoint PointAt(TModelPoint centre, double r, double bearing);
TModelPoint CubicPoint(double t, TModelPoint p0, TModelPoint c1, TModelPoint c2, TModelPoint p3);
inline double Min(double a, double b)
{
  return a < b ? a : b;
}
inline double Max(double a, double b)
{
  return a > b ? a : b;
}

// A point rounded to the nearest quarter inch in x and y (ties to even).
TModelPoint SnapToQuarterGrid(TModelPoint p);

// Pen width in device pixels of a width in points; hairlines and tiny widths give 1.
int PenWidthPixels(double points, double zoom, double dpiX, double dpiY);
int PenWidthPixels(double points, double zoom, const TCanvas& canvas);

using TAnchorList = std::vector<TAnchor>;

// Anchor rules; each returns the final list (the reverse of generation order).
TAnchorList Box16Anchors(double width, double height);
TAnchorList VertexAnchors(const TOutline& outline);
TAnchorList VertexAndMidpointAnchors(const TOutline& outline);
TAnchorList VertexAndQuarterAnchors(const TOutline& outline);
