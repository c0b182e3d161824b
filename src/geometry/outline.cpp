#include "geometry/outline.h"

#include <QPointF>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/geometry.h"
#include "platform/canvas.h"
#include "platform/rounding.h"

void AppendSegment(TOutline& list, double c1x, double c1y, double c2x, double c2y, double ex,
                   double ey)
{
  if (!list.empty() && list.back().Ex == ex && list.back().Ey == ey) return;
  list.push_back({c1x, c1y, c2x, c2y, ex, ey});
}

void AppendLine(TOutline& list, double ex, double ey)
{
  if (list.empty()) {
    list.push_back({0, 0, 0, 0, ex, ey});
    return;
  }
  const TSegment& last = list.back();
  AppendSegment(list, last.Ex, last.Ey, ex, ey, ex, ey);
}

void CopyOutline(const TOutline& source, TOutline& destination)
{
  FreeOutline(destination);
  destination.reserve(source.size());
  for (const TSegment& s : source)
    AppendSegment(destination, s.C1x, s.C1y, s.C2x, s.C2y, s.Ex, s.Ey);
}

void ScaleOutline(TOutline& list, double fx, double fy)
{
  for (TSegment& s : list) {
    s.C1x *= fx;
    s.C2x *= fx;
    s.Ex *= fx;
    s.C1y *= fy;
    s.C2y *= fy;
    s.Ey *= fy;
  }
}

void FreeOutline(TOutline& list)
{
  list.clear();
}

namespace {

QPoint ToPixel(const TCanvas& canvas, TModelPoint centre, double dx, double dy, double angle,
               double zoom, double offsetX, double offsetY)
{
  const TModelPoint p = RotateOffset(centre, dx, dy, angle);
  return canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom);
}

}  // namespace

void OutlinePath(QPainterPath& path, const TCanvas& canvas, const TOutline& list, double angle,
                 double zoom, double offsetX, double offsetY, TModelPoint centre)
{
  if (list.empty()) return;
  QPoint current = ToPixel(canvas, centre, list[0].Ex, list[0].Ey, angle, zoom, offsetX, offsetY);
  path.moveTo(current);
  for (std::size_t i = 1; i < list.size(); ++i) {
    const TSegment& s = list[i];
    const QPoint c1 = ToPixel(canvas, centre, s.C1x, s.C1y, angle, zoom, offsetX, offsetY);
    const QPoint c2 = ToPixel(canvas, centre, s.C2x, s.C2y, angle, zoom, offsetX, offsetY);
    const QPoint end = ToPixel(canvas, centre, s.Ex, s.Ey, angle, zoom, offsetX, offsetY);
    if (c1 == current && c2 == end)
      path.lineTo(end);
    else
      path.cubicTo(c1, c2, end);
    current = end;
  }
}

QPainterPath OutlinePath(const TCanvas& canvas, const TOutline& list, double angle, double zoom,
                         double offsetX, double offsetY, TModelPoint centre)
{
  QPainterPath path;
  OutlinePath(path, canvas, list, angle, zoom, offsetX, offsetY, centre);
  return path;
}

QPolygon RectanglePolygon(const TCanvas& canvas, double angle, double zoom, double offsetX,
                          double offsetY, double width, double height, TModelPoint centre)
{
  const double w = width / 2.0;
  const double h = height / 2.0;
  QPolygon polygon;
  for (const auto& [dx, dy] : {std::pair{-w, -h}, {w, -h}, {w, h}, {-w, h}})
    polygon << ToPixel(canvas, centre, dx, dy, angle, zoom, offsetX, offsetY);
  return polygon;
}

void RectanglePath(TCanvas& canvas, double angle, double zoom, double offsetX, double offsetY,
                   double width, double height, TModelPoint centre)
{
  canvas.Painter().drawPolygon(
      RectanglePolygon(canvas, angle, zoom, offsetX, offsetY, width, height, centre));
}

void RectanglePath(QPainterPath& path, const TCanvas& canvas, double angle, double zoom,
                   double offsetX, double offsetY, double width, double height, TModelPoint centre)
{
  const QPolygon polygon =
      RectanglePolygon(canvas, angle, zoom, offsetX, offsetY, width, height, centre);
  path.addPolygon(QPolygonF(polygon));
  path.closeSubpath();
}

TPixelRect RotatedBox(const TPixelRect& box, double angle)
{
  const double cx = (box.Left + box.Right) / 2.0;
  const double cy = (box.Top + box.Bottom) / 2.0;
  const double halfW = box.Width() / 2.0;
  const double halfH = box.Height() / 2.0;
  TPixelRect result;
  bool first = true;
  for (const auto& [dx, dy] :
       {std::pair{-halfW, -halfH}, {halfW, -halfH}, {halfW, halfH}, {-halfW, halfH}}) {
    const TModelPoint turned = RotateOffset({cx, cy}, dx, dy, angle);
    const int x = RoundHalfEven(turned.X);
    const int y = RoundHalfEven(turned.Y);
    if (first) {
      result = {x, y, x, y};
      first = false;
    } else {
      result.Left = std::min(result.Left, x);
      result.Right = std::max(result.Right, x);
      result.Top = std::min(result.Top, y);
      result.Bottom = std::max(result.Bottom, y);
    }
  }
  return result;
}

void SmoothOutline(TOutline& list)
{
  if (list.size() < 3) return;
  std::vector<TModelPoint> vertices;
  vertices.reserve(list.size());
  for (const TSegment& s : list)
    vertices.push_back(s.End());
  // A closed list repeats its start as its last end; the neighbours wrap past that repeat.
  const bool closed = vertices.front() == vertices.back();
  const std::size_t count = closed ? vertices.size() - 1 : vertices.size();
  if (count < 2) return;
  auto vertex = [&](std::size_t i) { return vertices[i % count]; };
  for (std::size_t i = 0; i < count; ++i) {
    const TModelPoint p = vertex(i);
    const TModelPoint a = vertex(i + count - 1);
    const TModelPoint b = vertex(i + 1);
    const double t = Bearing(a, b);
    const TModelPoint arriving = PointAt(p, Distance(a, p) / 3.0, AddAngles(t, 180.0));
    const TModelPoint leaving = PointAt(p, Distance(p, b) / 3.0, t);
    // Segment i ends at vertex i (segment 0 is the start point and has no curve).
    if (i > 0) {
      list[i].C2x = arriving.X;
      list[i].C2y = arriving.Y;
    } else if (closed) {
      list.back().C2x = arriving.X;
      list.back().C2y = arriving.Y;
    }
    if (i + 1 < list.size()) {
      list[i + 1].C1x = leaving.X;
      list[i + 1].C1y = leaving.Y;
    }
  }
}

void SimplifyOutline(TOutline& list)
{
  if (list.empty()) return;
  std::vector<TModelPoint> spaced;
  spaced.push_back(list.front().End());
  for (std::size_t i = 1; i < list.size(); ++i) {
    const TModelPoint p = list[i].End();
    if (Distance(spaced.back(), p) > 0.35) spaced.push_back(p);
  }
  // The last point always stays, so a scribble ends where the pen was lifted.
  if (list.size() > 1 && !(spaced.back() == list.back().End())) spaced.push_back(list.back().End());

  std::vector<TModelPoint> turns;
  turns.push_back(spaced.front());
  for (std::size_t i = 1; i + 1 < spaced.size(); ++i) {
    const double before = Bearing(spaced[i - 1], spaced[i]);
    const double after = Bearing(spaced[i], spaced[i + 1]);
    if (BearingDifference(before, after) > 15.0) turns.push_back(spaced[i]);
  }
  if (spaced.size() > 1) turns.push_back(spaced.back());

  TOutline result;
  for (const TModelPoint& p : turns)
    AppendLine(result, p.X, p.Y);
  SmoothOutline(result);
  list = std::move(result);
}

TOutline BoxOutline(double width, double height)
{
  const double w = width / 2.0;
  const double h = height / 2.0;
  TOutline outline;
  AppendLine(outline, -w, -h);
  AppendLine(outline, w, -h);
  AppendLine(outline, w, h);
  AppendLine(outline, -w, h);
  AppendLine(outline, -w, -h);
  return outline;
}
