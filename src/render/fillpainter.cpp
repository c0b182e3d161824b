#include "render/fillpainter.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include "platform/canvas.h"
#include "render/displaycolor.h"
#include "render/gradientpainter.h"
#include "render/paintbounds.h"
#include "render/patterns.h"
#include "render/picturepainter.h"
#include "render/visibleregion.h"

namespace {

// SVG cannot fill with image brushes or clip to a region, so patterns and pictures would
// vanish or spill out of their shapes there.
bool NeedsBakedFill(const QPainter& painter)
{
  const QPaintEngine* engine = painter.paintEngine();
  return engine && engine->type() == QPaintEngine::SVG;
}

}  // namespace

int TFillPainter::ValidStyle(int style)
{
  return style >= 0 && style < StyleCount ? style : Solid;
}

void TFillPainter::FillRegion(TCanvas& canvas, const QRegion& region, int fillStyle, double zoom,
                              int patternIndex, int gradientIndex, const TPicture* picture,
                              bool pictureCentred, TColorRef faceColor, TColorRef backColor)
{
  FillPart(canvas, region, TPixelRect::FromQRect(region.boundingRect()), fillStyle, zoom,
           patternIndex, gradientIndex, picture, pictureCentred, faceColor, backColor);
}

void TFillPainter::FillPath(TCanvas& canvas, const QPainterPath& path, int fillStyle, double zoom,
                            int patternIndex, int gradientIndex, const TPicture* picture,
                            bool pictureCentred, TColorRef faceColor, TColorRef backColor)
{
  const int style = ValidStyle(fillStyle);
  if (style == Clear || path.isEmpty()) return;
  if (style == Solid) {
    canvas.Painter().fillPath(path, DisplayColor(faceColor));
    return;
  }
  // Only the visible pixels become a region; the whole path's box still places gradients
  // and pictures, so they do not slide when the view scrolls.
  const QRect bounds = PaintBounds(canvas.Painter());
  const QRegion region = VisibleRegion(path, bounds);
  const TPixelRect box = PixelBox(path);
  const bool whole = bounds.contains(box.ToQRect());
  FillPart(canvas, region, whole ? TPixelRect::FromQRect(region.boundingRect()) : box, style, zoom,
           patternIndex, gradientIndex, picture, pictureCentred, faceColor, backColor);
}

void TFillPainter::FillPart(TCanvas& canvas, const QRegion& region, const TPixelRect& box,
                            int fillStyle, double zoom, int patternIndex, int gradientIndex,
                            const TPicture* picture, bool pictureCentred, TColorRef faceColor,
                            TColorRef backColor)
{
  if (region.isEmpty()) return;
  if (ValidStyle(fillStyle) != Solid && NeedsBakedFill(canvas.Painter())) {
    BakedFill(canvas, region, box, fillStyle, zoom, patternIndex, gradientIndex, picture,
              pictureCentred, faceColor, backColor);
    return;
  }
  switch (ValidStyle(fillStyle)) {
    case Solid: {
      const QColor color = DisplayColor(faceColor);
      for (const QRect& rect : region)
        canvas.Painter().fillRect(rect, color);
      break;
    }
    case Pattern:
      PatternFill(canvas, region, patternIndex, backColor, faceColor);
      break;
    case Picture:
      TPicturePainter::PictureFill(
          canvas, region, box,
          TPicturePainter::IsDrawable(picture) ? picture : &TPicturePainter::LogoPicture(), zoom,
          faceColor, pictureCentred);
      break;
    case Gradient:
      TGradientPainter::GradientFill(canvas, region, box, gradientIndex, backColor, faceColor);
      break;
    default:
      break;
  }
}

void TFillPainter::BakedFill(TCanvas& canvas, const QRegion& region, const TPixelRect& box,
                             int fillStyle, double zoom, int patternIndex, int gradientIndex,
                             const TPicture* picture, bool pictureCentred, TColorRef faceColor,
                             TColorRef backColor)
{
  // The fill is painted as pixels into a transparent picture of the region's box, which the
  // device then takes as one image: outside the region stays see-through.
  const QRect area = region.boundingRect();
  QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.translate(-area.topLeft());
    TCanvas baked(painter, canvas.DpiX(), canvas.DpiY());
    baked.SetPrinting(canvas.Printing());
    FillPart(baked, region, box, fillStyle, zoom, patternIndex, gradientIndex, picture,
             pictureCentred, faceColor, backColor);
  }
  canvas.Painter().drawImage(area.topLeft(), image);
}

void TFillPainter::PatternFill(TCanvas& canvas, const QRegion& region, int patternIndex,
                               TColorRef backColor, TColorRef faceColor)
{
  if (region.isEmpty()) return;
  QPainter& painter = canvas.Painter();
  const QBrush brush =
      TPatterns::Brush(patternIndex, DisplayColor(faceColor), DisplayColor(backColor));
  const QPointF origin = painter.brushOrigin();
  painter.setBrushOrigin(0, 0);
  for (const QRect& rect : region)
    painter.fillRect(rect, brush);
  painter.setBrushOrigin(origin);
}
