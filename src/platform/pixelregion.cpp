#include "platform/pixelregion.h"

QRegion PolygonRegion(const QPolygon& polygon)
{
  if (polygon.size() < 3) return QRegion();
  return QRegion(polygon, Qt::OddEvenFill);
}

QRegion PathRegion(const QPainterPath& path)
{
  QRegion region;
  // Each closed sub-path becomes its own polygon so that holes combine as a device would.
  for (const QPolygonF& part : path.toSubpathPolygons())
    region = region.xored(PolygonRegion(part.toPolygon()));
  return region;
}

QRegion EllipseRegion(const QRect& box)
{
  if (box.width() <= 0 || box.height() <= 0) return QRegion();
  return QRegion(box, QRegion::Ellipse);
}
