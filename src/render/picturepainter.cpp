#include "render/picturepainter.h"

#include <QPainter>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/canvas.h"
#include "platform/rounding.h"
#include "render/displaycolor.h"
#include "render/paintbounds.h"

namespace {

// A target placement that may lie far outside int range at huge zooms.
struct TPlacement {
  double Left;
  double Top;
  double Width;
  double Height;
};

// Beyond this many pixels from the origin the painter's own scaling loses precision.
constexpr double kPainterRange = 1 << 22;

// Samples the visible part of a picture stretched far beyond the device, nearest pixel.
QImage SampleVisiblePart(const QRectF& full, const QRect& visible, const QImage& image)
{
  const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage part(visible.size(), QImage::Format_ARGB32_Premultiplied);
  const double sx = source.width() / full.width();
  const double sy = source.height() / full.height();
  std::vector<int> columns(static_cast<std::size_t>(visible.width()));
  for (int i = 0; i < visible.width(); ++i)
    columns[static_cast<std::size_t>(i)] =
        std::clamp(static_cast<int>(std::floor((visible.left() + i + 0.5 - full.left()) * sx)), 0,
                   source.width() - 1);
  for (int j = 0; j < visible.height(); ++j) {
    const int row =
        std::clamp(static_cast<int>(std::floor((visible.top() + j + 0.5 - full.top()) * sy)), 0,
                   source.height() - 1);
    const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(row));
    QRgb* to = reinterpret_cast<QRgb*>(part.scanLine(j));
    for (int i = 0; i < visible.width(); ++i)
      to[i] = from[columns[static_cast<std::size_t>(i)]];
  }
  return part;
}

// Draws a picture stretched to the target, limited to what the device shows, so that the
// cost does not grow with the zoom.
void DrawVisiblePart(QPainter& painter, const TPlacement& target, const TPicture& picture)
{
  if (target.Width <= 0 || target.Height <= 0) return;
  const QRectF full(target.Left, target.Top, target.Width, target.Height);
  const QRect visible = full.intersected(QRectF(PaintBounds(painter))).toAlignedRect();
  if (visible.isEmpty()) return;
  const QImage& image = picture.Image();
  const bool withinRange =
      std::fabs(full.left()) < kPainterRange && std::fabs(full.top()) < kPainterRange &&
      std::fabs(full.right()) < kPainterRange && std::fabs(full.bottom()) < kPainterRange;
  if (image.isNull()) {
    // Undecodable pictures draw their placeholder, which is cheap at any size.
    picture.Draw(painter, withinRange ? full.toAlignedRect() : visible);
    return;
  }
  if (withinRange)
    painter.drawImage(full, image);
  else
    painter.drawImage(visible.topLeft(), SampleVisiblePart(full, visible, image));
}

void DrawInCopyMode(TCanvas& canvas, const TPlacement& target, const TPicture& picture)
{
  QPainter& painter = canvas.Painter();
  const QPainter::CompositionMode previous = painter.compositionMode();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  DrawVisiblePart(painter, target, picture);
  // Some printer drivers lose the first picture of a page; a second copy makes sure.
  if (canvas.Printing()) DrawVisiblePart(painter, target, picture);
  painter.setCompositionMode(previous);
}

// Draws the tiles of a grid anchored at (originX, originY) that meet the cover rectangle.
// Tiles are counted, not stepped to, so a far-away origin costs nothing; decoded pictures
// tile as a brush, so tiny tiles cost one fill.
void TileOver(TCanvas& canvas, std::int64_t originX, std::int64_t originY, const QRect& cover,
              const TPicture& picture)
{
  if (cover.isEmpty()) return;
  const std::int64_t w = picture.Width();
  const std::int64_t h = picture.Height();
  auto floorDiv = [](std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && (a < 0) ? 1 : 0);
  };
  const std::int64_t firstColumn = std::max<std::int64_t>(floorDiv(cover.left() - originX, w), 0);
  const std::int64_t lastColumn = floorDiv(cover.right() - originX, w);
  const std::int64_t firstRow = std::max<std::int64_t>(floorDiv(cover.top() - originY, h), 0);
  const std::int64_t lastRow = floorDiv(cover.bottom() - originY, h);
  if (firstColumn > lastColumn || firstRow > lastRow) return;
  const std::int64_t left = originX + firstColumn * w;
  const std::int64_t top = originY + firstRow * h;
  if (!picture.Image().isNull()) {
    QImage tile = picture.Image();
    if (tile.size() != picture.NaturalSize()) tile = tile.scaled(picture.NaturalSize());
    const QRect tiled = cover & QRect(static_cast<int>(left), static_cast<int>(top),
                                      static_cast<int>((lastColumn - firstColumn + 1) * w),
                                      static_cast<int>((lastRow - firstRow + 1) * h));
    QPainter& painter = canvas.Painter();
    const QPainter::CompositionMode previous = painter.compositionMode();
    const QPointF origin = painter.brushOrigin();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBrushOrigin(QPointF(double(left), double(top)));
    const QBrush brush(tile);
    painter.fillRect(tiled, brush);
    if (canvas.Printing()) painter.fillRect(tiled, brush);
    painter.setBrushOrigin(origin);
    painter.setCompositionMode(previous);
    return;
  }
  for (std::int64_t column = firstColumn; column <= lastColumn; ++column)
    for (std::int64_t row = firstRow; row <= lastRow; ++row)
      DrawInCopyMode(
          canvas, {double(originX + column * w), double(originY + row * h), double(w), double(h)},
          picture);
}

}  // namespace

const TPicture& TPicturePainter::LogoPicture()
{
  static const TPicture logo = TPicture::FromImage(QImage(QStringLiteral(":/pictures/logo.png")));
  return logo;
}

bool TPicturePainter::IsDrawable(const TPicture* picture)
{
  return picture && !picture->IsEmpty();
}

void TPicturePainter::DrawPicture(TCanvas& canvas, int x, int y, const TPicture* picture)
{
  if (!IsDrawable(picture)) return;
  DrawInCopyMode(canvas,
                 {double(x), double(y), double(picture->Width()), double(picture->Height())},
                 *picture);
}

void TPicturePainter::StretchPicture(TCanvas& canvas, const QRect& rect, const TPicture* picture)
{
  if (!IsDrawable(picture) || rect.isEmpty()) return;
  DrawInCopyMode(
      canvas,
      {double(rect.left()), double(rect.top()), double(rect.width()), double(rect.height())},
      *picture);
}

void TPicturePainter::TilePicture(TCanvas& canvas, const QRect& area, const TPicture* picture)
{
  if (!IsDrawable(picture) || area.isEmpty()) return;
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setClipRect(area, Qt::IntersectClip);
  TileOver(canvas, area.left(), area.top(), area & PaintBounds(painter), *picture);
  painter.restore();
}

void TPicturePainter::PictureFill(TCanvas& canvas, const QRegion& region, const TPicture* picture,
                                  double zoom, TColorRef background, bool centred)
{
  PictureFill(canvas, region, TPixelRect::FromQRect(region.boundingRect()), picture, zoom,
              background, centred);
}

void TPicturePainter::PictureFill(TCanvas& canvas, const QRegion& region, const TPixelRect& box,
                                  const TPicture* picture, double zoom, TColorRef background,
                                  bool centred)
{
  if (!IsDrawable(picture) || region.isEmpty()) return;
  QPainter& painter = canvas.Painter();
  const std::int64_t boxWidth = std::int64_t{box.Right} - box.Left;
  const std::int64_t boxHeight = std::int64_t{box.Bottom} - box.Top;
  painter.save();
  painter.setClipRegion(region, Qt::IntersectClip);
  if (centred) {
    const std::int64_t width = RoundHalfEven(picture->Width() * zoom / 100.0);
    const std::int64_t height = RoundHalfEven(picture->Height() * zoom / 100.0);
    if (width < boxWidth || height < boxHeight)
      painter.fillRect(region.boundingRect(), DisplayColor(background));
    const std::int64_t left = box.Left + boxWidth / 2 - width / 2;
    const std::int64_t top = box.Top + boxHeight / 2 - height / 2;
    DrawInCopyMode(canvas, {double(left), double(top), double(width), double(height)}, *picture);
  } else {
    TileOver(canvas, box.Left, box.Top, region.boundingRect() & PaintBounds(painter), *picture);
  }
  painter.restore();
}

void TPicturePainter::RotateBitmap(const QImage& source, QImage& target, TColorRef background,
                                   double angle)
{
  const int w = source.width();
  const int h = source.height();
  if (w <= 0 || h <= 0) {
    target = QImage();
    return;
  }
  const double a = angle * std::numbers::pi / 180.0;
  const double c = std::cos(a);
  const double s = std::sin(a);
  int minX = 0, maxX = 0, minY = 0, maxY = 0;
  bool first = true;
  for (const auto& [dx, dy] :
       {std::pair{-(w / 2), -(h / 2)}, {w / 2, -(h / 2)}, {w / 2, h / 2}, {-(w / 2), h / 2}}) {
    const int x = RoundHalfEven(dx * c - dy * s);
    const int y = RoundHalfEven(dx * s + dy * c);
    minX = first ? x : std::min(minX, x);
    maxX = first ? x : std::max(maxX, x);
    minY = first ? y : std::min(minY, y);
    maxY = first ? y : std::max(maxY, y);
    first = false;
  }
  const int tw = maxX - minX;
  const int th = maxY - minY;
  const QRgb fill = DisplayColor(background).rgba();
  target = QImage(std::max(tw, 1), std::max(th, 1), QImage::Format_ARGB32);
  target.fill(fill);
  if (tw <= 0 || th <= 0) return;
  const QImage src = source.convertToFormat(QImage::Format_ARGB32);
  const int cx = tw / 2;
  const int cy = th / 2;
  const int sx = w / 2;
  const int sy = h / 2;
  const int reach = std::max(cx, cy) - 1;
  auto sourcePixel = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return fill;
    return reinterpret_cast<const QRgb*>(src.constScanLine(y))[x];
  };
  auto put = [&](int x, int y, QRgb value) {
    if (x >= 0 && y >= 0 && x < tw && y < th)
      reinterpret_cast<QRgb*>(target.scanLine(y))[x] = value;
  };
  // Each offset in the first quadrant gives four target pixels by quarter turns.
  for (int i = 0; i <= reach; ++i) {
    for (int j = 0; j <= reach; ++j) {
      const double r = RoundHalfEven(std::sqrt(double(i) * i + double(j) * j));
      const double p = i == 0 ? std::numbers::pi / 2.0 : std::atan(double(j) / i);
      const int S = RoundHalfEven(r * std::cos(p + a));
      const int O = RoundHalfEven(r * std::sin(p + a));
      put(cx + i, cy + j, sourcePixel(sx + S, sy + O));
      put(cx - i, cy - j, sourcePixel(sx - S, sy - O));
      put(cx + j, cy - i, sourcePixel(sx + O, sy - S));
      put(cx - j, cy + i, sourcePixel(sx - O, sy + S));
    }
  }
}
