#include "model/outlines/shapegenerator.h"

#include "geometry/geometry.h"
#include "model/objectkind.h"

#include <initializer_list>
#include <utility>

namespace {

using TPoints = std::initializer_list<std::pair<double, double>>;

// A closed polygon through the points, given as fractions of width and height.
TOutline Polygon(TPoints points, double w, double h)
{
  TOutline outline;
  for (const auto& [fx, fy] : points)
    AppendLine(outline, fx * w, fy * h);
  AppendLine(outline, points.begin()->first * w, points.begin()->second * h);
  return outline;
}

// A curve whose two control points coincide, all as fractions of width and height.
void Curve(TOutline& outline, double w, double h, double cx, double cy, double ex, double ey)
{
  AppendSegment(outline, cx * w, cy * h, cx * w, cy * h, ex * w, ey * h);
}

// The left half of the rounded box, from the bottom middle back to the top middle.
void RoundedLeftHalf(TOutline& outline, double w, double h)
{
  AppendLine(outline, -w / 4, h / 2);
  Curve(outline, w, h, -7.0 / 16, 1.0 / 2, -15.0 / 32, 7.0 / 16);
  Curve(outline, w, h, -1.0 / 2, 3.0 / 8, -1.0 / 2, 0);
  Curve(outline, w, h, -1.0 / 2, -3.0 / 8, -15.0 / 32, -7.0 / 16);
  Curve(outline, w, h, -7.0 / 16, -1.0 / 2, -1.0 / 4, -1.0 / 2);
  AppendLine(outline, 0, -h / 2);
}

// The rounded box from the top middle down the right side to (W/2, 0).
TOutline RoundedUpperRight(double w, double h)
{
  TOutline outline;
  AppendLine(outline, 0, -h / 2);
  AppendLine(outline, w / 4, -h / 2);
  Curve(outline, w, h, 7.0 / 16, -1.0 / 2, 15.0 / 32, -7.0 / 16);
  Curve(outline, w, h, 1.0 / 2, -3.0 / 8, 1.0 / 2, 0);
  return outline;
}

TOutline RoundedBox(double w, double h)
{
  TOutline outline = RoundedUpperRight(w, h);
  Curve(outline, w, h, 1.0 / 2, 3.0 / 8, 15.0 / 32, 7.0 / 16);
  Curve(outline, w, h, 7.0 / 16, 1.0 / 2, 1.0 / 4, 1.0 / 2);
  Curve(outline, w, h, 1.0 / 4, 1.0 / 2, 0, 1.0 / 2);
  RoundedLeftHalf(outline, w, h);
  return outline;
}

TOutline TabbedBox(double w, double h)
{
  TOutline outline = RoundedUpperRight(w, h);
  Curve(outline, w, h, 1.0 / 2, 11.0 / 40, 15.0 / 32, 27.0 / 80);
  Curve(outline, w, h, 7.0 / 16, 2.0 / 5, 1.0 / 4, 2.0 / 5);
  AppendLine(outline, w / 6, 2 * h / 5);
  AppendSegment(outline, w / 6, 2 * h / 5, w / 6, h / 2, 0, h / 2);
  RoundedLeftHalf(outline, w, h);
  return outline;
}

TOutline Ellipse(double w, double h)
{
  // 0.3625 is the midpoint of a quarter Bezier with control points at 0.6 of the half-axes.
  constexpr double k = 0.3625;
  TOutline outline =
      Polygon({{0, -0.5}, {k, -k}, {0.5, 0}, {k, k}, {0, 0.5}, {-k, k}, {-0.5, 0}, {-k, -k}}, w, h);
  SmoothOutline(outline);
  return outline;
}

TOutline Rectangle(double w, double h)
{
  return Polygon({{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}}, w, h);
}

// The horn of dilemma variant 0, mirrored for variant 1 (sign -1).
TOutline Horn(double w, double h, double sign)
{
  TOutline outline;
  AppendLine(outline, sign * -w / 2, -h / 2);
  AppendSegment(outline, sign * -w / 2, -h / 8, sign * 5 * w / 12, 0, sign * 5 * w / 12, 0);
  AppendLine(outline, sign * w / 6, h / 2);
  AppendSegment(outline, sign * w / 6, h / 2, sign * -3 * w / 4, 0, sign * -w / 2, -h / 2);
  return outline;
}

// A cubic sampled at t = 0.1, 0.2, ..., 1.0 as straight segments, in fractions of the size.
void SampledCubic(TOutline& outline, double w, double h, TModelPoint p0, TModelPoint c1,
                  TModelPoint c2, TModelPoint p3)
{
  for (int step = 1; step <= 10; ++step) {
    const TModelPoint p = CubicPoint(step / 10.0, p0, c1, c2, p3);
    AppendLine(outline, p.X * w, p.Y * h);
  }
}

TOutline CurvedBlockArrow(double w, double h)
{
  TOutline outline;
  AppendLine(outline, -w / 2, 0);
  AppendLine(outline, -w / 2, -h / 2);
  SampledCubic(outline, w, h, {-0.5, -0.5}, {-0.125, -0.5}, {0.25, -0.125}, {0.25, 0.25});
  AppendLine(outline, w / 2, h / 4);
  AppendLine(outline, 0, h / 2);
  AppendLine(outline, -w / 2, h / 4);
  AppendLine(outline, -w / 4, h / 4);
  // The last sample ends on the first point, which closes the outline.
  SampledCubic(outline, w, h, {-0.25, 0.25}, {-0.25, 0}, {-0.25, 0}, {-0.5, 0});
  return outline;
}

}  // namespace

TOutline DilemmaShapeOutline(int variant, double w, double h)
{
  switch (variant) {
    case 0:
      return Horn(w, h, 1);
    case 1:
      return Horn(w, h, -1);
    case 2:
    case 3:
    case 8:
    case 9:
      return Rectangle(w, h);
    case 4:
      return Polygon({{-0.5, 0}, {0.5, -0.5}, {0.5, 0.5}}, w, h);
    case 5:
      return Polygon({{-0.5, -0.5}, {0.5, -0.5}, {-0.5, 0.5}}, w, h);
    case 6:
      return Polygon({{-0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}}, w, h);
    case 7:
      return Polygon({{-0.25, -0.5}, {0.25, -0.5}, {0.5, 0}, {0.25, 0.5}, {-0.25, 0.5}, {-0.5, 0}},
                     w, h);
    default:
      return {};
  }
}

TOutline BlockArrowOutline(int variant, double w, double h)
{
  switch (variant) {
    case 0:
      return Polygon(
          {{-0.5, -0.25}, {0, -0.25}, {0, -0.5}, {0.5, 0}, {0, 0.5}, {0, 0.25}, {-0.5, 0.25}}, w,
          h);
    case 1:
      return Polygon({{-0.35, 0},
                      {-0.5, -0.3},
                      {0.15, -0.15},
                      {0.05, -0.5},
                      {0.5, 0},
                      {0.05, 0.5},
                      {0.15, 0.15},
                      {-0.5, 0.3}},
                     w, h);
    case 2:
      return Polygon({{-0.5, 0},
                      {-0.25, -0.5},
                      {-0.25, -0.25},
                      {0.25, -0.25},
                      {0.25, -0.5},
                      {0.5, 0},
                      {0.25, 0.5},
                      {0.25, 0.25},
                      {-0.25, 0.25},
                      {-0.25, 0.5}},
                     w, h);
    case 3:
      return CurvedBlockArrow(w, h);
    case 4:
      return Polygon({{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.25}, {0, 0.5}, {-0.5, 0.25}}, w, h);
    case 5:
      return Polygon({{-0.5, -0.5},
                      {0.5, -0.5},
                      {0.5, 0},
                      {0.25, 0},
                      {0.25, 0.25},
                      {0.5, 0.25},
                      {0, 0.5},
                      {-0.5, 0.25},
                      {-0.25, 0.25},
                      {-0.25, 0},
                      {-0.5, 0}},
                     w, h);
    case 6:
      return Polygon({{-0.5, -0.5}, {0, -0.25}, {0.5, -0.5}, {0.5, 0.25}, {0, 0.5}, {-0.5, 0.25}},
                     w, h);
    default:
      return {};
  }
}

TOutline CogiShapeOutline(int variant, double w, double h)
{
  switch (variant) {
    case 0:
    case 11:
      return Ellipse(w, h);
    case 1:
      return Polygon({{0, -0.5}, {0.5, 0.5}, {-0.5, 0.5}}, w, h);
    case 2:
      return Polygon({{0, 0.5}, {-0.5, -0.5}, {0.5, -0.5}}, w, h);
    case 3:
    case 10:
    case 13:
      return Rectangle(w, h);
    case 4:
      return Polygon(
          {{0, -0.5}, {0.5, -1.0 / 6}, {1.0 / 3, 0.5}, {-1.0 / 3, 0.5}, {-0.5, -1.0 / 6}}, w, h);
    case 5:
      return Polygon({{0, 0.5}, {0.5, 1.0 / 6}, {1.0 / 3, -0.5}, {-1.0 / 3, -0.5}, {-0.5, 1.0 / 6}},
                     w, h);
    case 6:
    case 15:
      return Polygon({{0, -0.5}, {0.5, 0}, {0, 0.5}, {-0.5, 0}}, w, h);
    case 7:
      return Polygon({{0, -0.5}, {0.5, -0.25}, {0.5, 0.25}, {0, 0.5}, {-0.5, 0.25}, {-0.5, -0.25}},
                     w, h);
    case 8:
      return Polygon({{0.5, 0}, {0.25, 0.5}, {-0.25, 0.5}, {-0.5, 0}, {-0.25, -0.5}, {0.25, -0.5}},
                     w, h);
    case 9:
      return RoundedBox(w, h);
    case 12:
      return TabbedBox(w, h);
    case 14:
      return Polygon({{0, -0.5},
                      {0.12, -0.12},
                      {0.5, -0.12},
                      {0.21, 1.0 / 9},
                      {0.31, 0.5},
                      {0, 0.26},
                      {-0.31, 0.5},
                      {-0.21, 1.0 / 9},
                      {-0.5, -0.12},
                      {-0.12, -0.12}},
                     w, h);
    case 16:
      return Polygon({{0.25, -0.5},
                      {0.5, -0.25},
                      {0.5, 0.25},
                      {0.25, 0.5},
                      {-0.25, 0.5},
                      {-0.5, 0.25},
                      {-0.5, -0.25},
                      {-0.25, -0.5}},
                     w, h);
    default:
      return {};
  }
}

TOutline MakeShapeOutline(int kind, int variant, double width, double height)
{
  switch (kind) {
    case okLabel:
    case okBalloon:
      return Rectangle(width, height);
    case okBlockArrow:
      return BlockArrowOutline(variant, width, height);
    case okDilemma:
      return DilemmaShapeOutline(variant, width, height);
    case okCogi:
    case okCluster:
      return CogiShapeOutline(variant, width, height);
    default:
      return {};
  }
}
