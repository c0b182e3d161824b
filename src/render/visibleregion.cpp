#include "render/visibleregion.h"

#include <cmath>

#include "platform/pixelregion.h"
#include "platform/rounding.h"

QRegion VisibleRegion(const QPainterPath& path, const QRect& bounds)
{
  if (bounds.isEmpty()) return QRegion();
  return PathRegion(path, bounds);
}

TPixelRect PixelBox(const QPainterPath& path)
{
  if (path.isEmpty()) return {};
  const QRectF r = path.boundingRect();
  return {RoundHalfEven(std::floor(r.left())), RoundHalfEven(std::floor(r.top())),
          RoundHalfEven(std::ceil(r.right())), RoundHalfEven(std::ceil(r.bottom()))};
}
