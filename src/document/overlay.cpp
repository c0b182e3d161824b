#include "document/overlay.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "document/modeldocument.h"
#include "model/arrow.h"
#include "platform/canvas.h"

void TOverlay::Reset(QSize size, qreal devicePixelRatio)
{
  const QSize pixels = size * devicePixelRatio;
  if (mask_.size() != pixels) mask_ = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  mask_.setDevicePixelRatio(devicePixelRatio);
  mask_.fill(Qt::black);
  inverted_ = false;
  trails_.clear();
  leaders_.clear();
  ++generation_;
}

namespace {

// dst := dst XOR ~src in the colour bits of every pixel (the alpha byte of RGB32 stays):
// what the not-XOR pen does where src was drawn, and nothing where src is white.
void InvertWhereDrawn(QImage& dst, const QImage& src)
{
  const int rows = std::min(dst.height(), src.height());
  const int columns = std::min(dst.width(), src.width());
  for (int y = 0; y < rows; ++y) {
    auto* d = reinterpret_cast<quint32*>(dst.scanLine(y));
    const auto* s = reinterpret_cast<const quint32*>(src.constScanLine(y));
    for (int x = 0; x < columns; ++x)
      d[x] ^= ~s[x] & 0x00FFFFFFu;
  }
}

}  // namespace

void TOverlay::DrawInverting(double dpiX, double dpiY, const std::function<void(TCanvas&)>& draw)
{
  if (mask_.isNull()) Reset(QSize(1, 1));
  // The raster engine's inverting modes cost as much as a figure's area; drawing plainly
  // onto a white layer and inverting the mask where the layer was drawn on gives the same
  // pixels in a fraction of the time.
  if (layer_.size() != mask_.size()) layer_ = QImage(mask_.size(), QImage::Format_RGB32);
  layer_.setDevicePixelRatio(mask_.devicePixelRatio());
  layer_.fill(0xFFFFFFFFu);
  {
    QPainter painter(&layer_);
    TCanvas canvas(painter, dpiX, dpiY);
    canvas.SetDeferredInverting(true);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    draw(canvas);
  }
  InvertWhereDrawn(mask_, layer_);
  inverted_ = true;
}

void TOverlay::RubberBox(QPoint a, QPoint b)
{
  DrawInverting(96, 96, [&](TCanvas& canvas) {
    QPen pen(Qt::black, 1, Qt::CustomDashLine);
    pen.setDashPattern({1, 1});
    canvas.Painter().setPen(pen);
    canvas.Painter().drawRect(QRect(a, b).normalized());
  });
}

void TOverlay::RubberLine(const TModelDocument& document, TModelPoint a, TModelPoint b)
{
  DrawInverting(document.ScreenDpiX, document.ScreenDpiY, [&](TCanvas& canvas) {
    const TModelPoint o = document.ViewOrigin;
    canvas.Painter().drawLine(canvas.ToPixel(a.X, a.Y, -o.X, -o.Y, document.Zoom),
                              canvas.ToPixel(b.X, b.Y, -o.X, -o.Y, document.Zoom));
  });
}

void TOverlay::OutlinePath(const TModelDocument& document, const TOutline& outline, TModelPoint at,
                           double angle)
{
  DrawInverting(document.ScreenDpiX, document.ScreenDpiY, [&](TCanvas& canvas) {
    const TModelPoint o = document.ViewOrigin;
    canvas.Painter().drawPath(::OutlinePath(canvas, outline, angle, document.Zoom, -o.X, -o.Y, at));
  });
}

void TOverlay::BoxOutline(const TModelDocument& document, TModelPoint centre, double width,
                          double height, double angle)
{
  DrawInverting(document.ScreenDpiX, document.ScreenDpiY, [&](TCanvas& canvas) {
    const TModelPoint o = document.ViewOrigin;
    canvas.Painter().drawPolygon(
        RectanglePolygon(canvas, angle, document.Zoom, -o.X, -o.Y, width, height, centre));
  });
}

void TOverlay::ArrowPath(const TModelDocument& document, TModelPoint from, TModelPoint to,
                         double chordHeight)
{
  DrawInverting(document.ScreenDpiX, document.ScreenDpiY, [&](TCanvas& canvas) {
    QPen pen(Qt::black, 1, Qt::CustomDashLine);
    pen.setDashPattern({1, 1});
    canvas.Painter().setPen(pen);
    const TModelPoint o = document.ViewOrigin;
    QPolygon line;
    for (int percent = 0; percent <= 100; percent += 5) {
      const TModelPoint p = TArrow::PointAlong(percent, chordHeight, to, from);
      line << canvas.ToPixel(p.X, p.Y, -o.X, -o.Y, document.Zoom);
    }
    canvas.Painter().drawPolyline(line);
  });
}

void TOverlay::AnchorMarks(const TModelDocument& document, CGPObject& object)
{
  DrawInverting(document.ScreenDpiX, document.ScreenDpiY, [&](TCanvas& canvas) {
    const TModelPoint o = document.ViewOrigin;
    object.DrawAnchors(canvas, -o.X, -o.Y, document.Zoom);
  });
}

void TOverlay::FreeformTrail(const TModelDocument& document, const TOutline& outline)
{
  QImage probe(1, 1, QImage::Format_RGB32);
  QPainter painter(&probe);
  TCanvas canvas(painter, document.ScreenDpiX, document.ScreenDpiY);
  const TModelPoint o = document.ViewOrigin;
  QPolygon trail;
  for (const TSegment& s : outline)
    trail << canvas.ToPixel(s.Ex, s.Ey, -o.X, -o.Y, document.Zoom);
  trails_.push_back(trail);
}

void TOverlay::DrawLeaders(QPainter& painter) const
{
  if (leaders_.empty()) return;
  QPen pen(Qt::black, 1, Qt::DotLine);
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.setBackgroundMode(Qt::TransparentMode);
  for (const QLine& line : leaders_)
    painter.drawLine(line);
  painter.restore();
}

QImage TOverlay::Apply(const QImage& base) const
{
  QImage frame = base;
  if (IsEmpty()) return frame;
  QPainter painter(&frame);
  if (mask_.size() != base.size()) {
    // A mask of another size belongs to a surface that has been resized; only trails show.
    painter.setPen(QPen(Qt::black, 1));
    for (const QPolygon& trail : trails_)
      painter.drawPolyline(trail);
    DrawLeaders(painter);
    return frame;
  }
  PaintOver(painter);
  return frame;
}

bool TOverlay::PaintOver(QPainter& painter) const
{
  const QPaintEngine* engine = painter.paintEngine();
  if (!engine || !engine->hasFeature(QPaintEngine::RasterOpModes)) return false;
  painter.save();
  // Straight onto what is shown: no copy of the whole frame for every move of a figure.
  if (inverted_) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(QPoint(0, 0), mask_);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  painter.setPen(QPen(Qt::black, 1));
  for (const QPolygon& trail : trails_)
    painter.drawPolyline(trail);
  DrawLeaders(painter);
  painter.restore();
  return true;
}
