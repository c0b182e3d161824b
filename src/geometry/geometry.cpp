#include "geometry/geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/canvas.h"
#include "platform/rounding.h"

namespace {
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
}

TModelPoint RotateOffset(TModelPoint centre, double dx, double dy, double angle)
{
  if (angle == 0.0) return {centre.X + dx, centre.Y + dy};
  const double a = angle * kRadiansPerDegree;
  const double c = std::cos(a);
  const double s = std::sin(a);
  return {centre.X + dx * c - dy * s, centre.Y + dx * s + dy * c};
}

double AddAngles(double a, double b)
{
  const double c = a + b;
  if (c < 0.0) return c + 360.0;
  if (c > 360.0) return c - 360.0;
  return c;
}

double Distance(TModelPoint p, TModelPoint q)
{
  const double dx = q.X - p.X;
  const double dy = q.Y - p.Y;
  if (dy == 0.0) return std::fabs(dx);
  if (dx == 0.0) return std::fabs(dy);
  return std::sqrt(dx * dx + dy * dy);
}

double BearingDifference(double a, double b)
{
  double d = std::fabs(a - b);
  if (d > 180.0) d = 360.0 - d;
  return d;
}

TModelPoint PolarOffset(double r, double bearing)
{
  // Whole quarter turns give exact axis offsets, so vertical and horizontal stay exact.
  const double b = std::fmod(bearing, 360.0) + (bearing < 0.0 ? 360.0 : 0.0);
  if (b == 0.0 || b == 360.0) return {0.0, -r};
  if (b == 90.0) return {r, 0.0};
  if (b == 180.0) return {0.0, r};
  if (b == 270.0) return {-r, 0.0};
  const double a = b * kRadiansPerDegree;
  return {r * std::sin(a), -r * std::cos(a)};
}

TModelPoint PointAt(TModelPoint centre, double r, double bearing)
{
  const TModelPoint d = PolarOffset(r, bearing);
  return {centre.X + d.X, centre.Y + d.Y};
}

TModelPoint CubicPoint(double t, TModelPoint p0, TModelPoint c1, TModelPoint c2, TModelPoint p3)
{
  const double u = 1.0 - t;
  const double a = u * u * u;
  const double b = 3.0 * t * u * u;
  const double c = 3.0 * t * t * u;
  const double d = t * t * t;
  return {a * p0.X + b * c1.X + c * c2.X + d * p3.X, a * p0.Y + b * c1.Y + c * c2.Y + d * p3.Y};
}

TModelPoint SnapToQuarterGrid(TModelPoint p)
{
  return {std::nearbyint(p.X * 4.0) / 4.0, std::nearbyint(p.Y * 4.0) / 4.0};
}

int PenWidthPixels(double points, double zoom, double dpiX, double dpiY)
{
  if (points == 0.0) return 1;
  const int width =
      RoundHalfEven(std::fabs(points) / 72.0 * (dpiX * zoom / 100.0 + dpiY * zoom / 100.0) / 2.0);
  return width > 0 ? width : 1;
}

int PenWidthPixels(double points, double zoom, const TCanvas& canvas)
{
  return PenWidthPixels(points, zoom, canvas.DpiX(), canvas.DpiY());
}

namespace {

// Every rule inserts at the front, so the final order is the reverse of generation.
TAnchorList Reversed(TAnchorList generated)
{
  std::reverse(generated.begin(), generated.end());
  return generated;
}

}  // namespace

TAnchorList Box16Anchors(double width, double height)
{
  const double w = width / 2.0;
  const double h = height / 2.0;
  const double qw = width / 4.0;
  const double qh = height / 4.0;
  return Reversed({{-w, -h},
                   {-qw, -h},
                   {0, -h},
                   {qw, -h},
                   {w, -h},
                   {w, -qh},
                   {w, 0},
                   {w, qh},
                   {w, h},
                   {qw, h},
                   {0, h},
                   {-qw, h},
                   {-w, h},
                   {-w, qh},
                   {-w, 0},
                   {-w, -qh}});
}

TAnchorList VertexAnchors(const TOutline& outline)
{
  TAnchorList generated;
  generated.reserve(outline.size());
  for (std::size_t i = 1; i < outline.size(); ++i)
    generated.push_back({outline[i].Ex, outline[i].Ey});
  return Reversed(std::move(generated));
}

TAnchorList VertexAndMidpointAnchors(const TOutline& outline)
{
  TAnchorList generated;
  generated.reserve(2 * outline.size());
  for (std::size_t i = 1; i < outline.size(); ++i) {
    const TSegment& previous = outline[i - 1];
    const TSegment& segment = outline[i];
    generated.push_back({(previous.Ex + segment.Ex) / 2.0, (previous.Ey + segment.Ey) / 2.0});
    generated.push_back({segment.Ex, segment.Ey});
  }
  return Reversed(std::move(generated));
}

TAnchorList VertexAndQuarterAnchors(const TOutline& outline)
{
  TAnchorList generated;
  generated.reserve(4 * outline.size());
  for (std::size_t i = 1; i < outline.size(); ++i) {
    const TSegment& previous = outline[i - 1];
    const TSegment& segment = outline[i];
    const double dx = segment.Ex - previous.Ex;
    const double dy = segment.Ey - previous.Ey;
    for (double f : {0.25, 0.5, 0.75})
      generated.push_back({previous.Ex + f * dx, previous.Ey + f * dy});
    generated.push_back({segment.Ex, segment.Ey});
  }
  return Reversed(std::move(generated));
}
