#include "platform/pixelregion.h"

#include <cmath>

namespace {

// Polygons up to this many rows tall are built whole, exactly as a device fills them, and
// then cut to the window; only taller ones, which take long to build, are cut first.
constexpr double kWholeRows = 4096;

// Sutherland-Hodgman against one edge of a rectangle.
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

// The part of a closed polygon inside a rectangle. Inside it the part fills the same points
// as the whole polygon, by either fill rule; cut edges run along the rectangle's sides.
QPolygonF ClipPolygon(const QPolygonF& polygon, const QRectF& r)
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

bool Finite(const QPolygonF& polygon)
{
  for (const QPointF& p : polygon)
    if (!std::isfinite(p.x()) || !std::isfinite(p.y())) return false;
  return true;
}

}  // namespace

QRect RegionReach()
{
  return QRect(QPoint(-kRegionReach, -kRegionReach), QPoint(kRegionReach, kRegionReach));
}

QRegion PolygonRegion(const QPolygonF& polygon, const QRect& window)
{
  const QRect within = window & RegionReach();
  // Points that are not numbers fill nothing a device could show.
  if (polygon.size() < 3 || within.isEmpty() || !Finite(polygon)) return QRegion();
  const QRectF bounds = polygon.boundingRect();
  if (QRectF(RegionReach()).contains(bounds) && bounds.height() <= kWholeRows) {
    const QRegion whole(polygon.toPolygon(), Qt::OddEvenFill);
    return within.contains(whole.boundingRect()) ? whole : whole & within;
  }
  // Cut points fall between pixels and are rounded, which can move the cut edges by half a
  // pixel; a margin keeps that off the window's borders.
  const QRectF cut = QRectF(within).adjusted(-2, -2, 2, 2);
  const QPolygonF part = ClipPolygon(polygon, cut);
  if (part.size() < 3) return QRegion();
  return QRegion(part.toPolygon(), Qt::OddEvenFill) & within;
}

QRegion PolygonRegion(const QPolygon& polygon, const QRect& window)
{
  return PolygonRegion(QPolygonF(polygon), window);
}

QRegion PathRegion(const QPainterPath& path, const QRect& window)
{
  QRegion region;
  // Each closed sub-path becomes its own polygon so that holes combine as a device would.
  for (const QPolygonF& part : path.toSubpathPolygons())
    region = region.xored(PolygonRegion(part, window));
  return region;
}

QRegion EllipseRegion(const QRect& box)
{
  if (box.width() <= 0 || box.height() <= 0) return QRegion();
  if (RegionReach().contains(box)) return QRegion(box, QRegion::Ellipse);
  QPainterPath path;
  path.addEllipse(box);
  return PathRegion(path);
}
