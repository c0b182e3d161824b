#include "render/visibleregion.h"

#include <QPolygon>
#include <QPolygonF>
#include <cmath>

#include "platform/rounding.h"

namespace {

// Sutherland-Hodgman against one edge of the bounds; concave polygons stay correct for
// filling, at worst with edges running along the boundary.
template <typename Inside, typename Cross>
QPolygonF ClipEdge(const QPolygonF& polygon, Inside inside, Cross cross)
{
  QPolygonF result;
  if (polygon.isEmpty()) return result;
  QPointF previous = polygon.back();
  bool previousInside = inside(previous);
  for (const QPointF& point : polygon) {
    const bool pointInside = inside(point);
    if (pointInside != previousInside) result << cross(previous, point);
    if (pointInside) result << point;
    previous = point;
    previousInside = pointInside;
  }
  return result;
}

QPolygonF ClipToRect(const QPolygonF& polygon, const QRectF& r)
{
  auto atX = [](QPointF a, QPointF b, double x) {
    return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
  };
  auto atY = [](QPointF a, QPointF b, double y) {
    return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
  };
  QPolygonF p = polygon;
  p = ClipEdge(
      p, [&](QPointF q) { return q.x() >= r.left(); },
      [&](QPointF a, QPointF b) { return atX(a, b, r.left()); });
  p = ClipEdge(
      p, [&](QPointF q) { return q.x() <= r.right(); },
      [&](QPointF a, QPointF b) { return atX(a, b, r.right()); });
  p = ClipEdge(
      p, [&](QPointF q) { return q.y() >= r.top(); },
      [&](QPointF a, QPointF b) { return atY(a, b, r.top()); });
  p = ClipEdge(
      p, [&](QPointF q) { return q.y() <= r.bottom(); },
      [&](QPointF a, QPointF b) { return atY(a, b, r.bottom()); });
  return p;
}

}  // namespace

QRegion VisibleRegion(const QPainterPath& path, const QRect& bounds)
{
  QRegion region;
  if (bounds.isEmpty()) return region;
  // A margin keeps the clipped edges off the pixels that matter.
  const QRectF limits = QRectF(bounds).adjusted(-2, -2, 2, 2);
  for (const QPolygonF& part : path.toSubpathPolygons()) {
    const QPolygonF clipped = ClipToRect(part, limits);
    if (clipped.size() < 3) continue;
    // Each sub-path combines by alternation, as the device's fill would combine them.
    region = region.xored(QRegion(clipped.toPolygon(), Qt::OddEvenFill));
  }
  return region & bounds;
}

TPixelRect PixelBox(const QPainterPath& path)
{
  if (path.isEmpty()) return {};
  const QRectF r = path.boundingRect();
  return {RoundHalfEven(std::floor(r.left())), RoundHalfEven(std::floor(r.top())),
          RoundHalfEven(std::ceil(r.right())), RoundHalfEven(std::ceil(r.bottom()))};
}
