// Pure helpers on model points, angles, bearings, pen widths and anchor lists.
// Angles are degrees, positive clockwise on the screen; bearings are compass bearings
// (0 up, 90 right) with -1 for "no direction".
#pragma once

#include <vector>

#include "geometry/modelpoint.h"
#include "geometry/outline.h"

class TCanvas;

TModelPoint RotateOffset(TModelPoint centre, double dx, double dy, double angle);
double AddAngles(double a, double b);
double Distance(TModelPoint p, TModelPoint q);
double Bearing(TModelPoint from, TModelPoint to);
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
