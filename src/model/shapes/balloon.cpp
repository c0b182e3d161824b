#include "model/shapes/balloon.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/outlines/arrowheads.h"
#include "model/outlines/cloudoutline.h"
#include "model/outlines/shapegenerator.h"
#include "platform/canvas.h"
#include "platform/pixelregion.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/displaycolor.h"
#include "render/fillpainter.h"
#include "render/shadowpainter.h"

namespace {

// The Cogi variants whose outlines serve as callout bodies and puffs.
constexpr int kRectangleVariant = 10;
constexpr int kRoundedVariant = 9;
constexpr int kEllipseVariant = 11;
constexpr TColorRef kTipHandleColor = 0x00FFFF;  // yellow

// Paints the border of a region, w pixels wide at the sides and h at top and bottom, inside
// the region, as a device's region frame does.
void FrameRegion(TCanvas& canvas, const QRegion& region, const QColor& color, int w, int h)
{
  const QRegion inner = region.intersected(region.translated(w, 0))
                            .intersected(region.translated(-w, 0))
                            .intersected(region.translated(0, h))
                            .intersected(region.translated(0, -h));
  for (const QRect& rect : region.subtracted(inner))
    canvas.Painter().fillRect(rect, color);
}

QPainterPath ClosedOutlinePath(const TCanvas& canvas, const TOutline& outline, TModelPoint centre,
                               double offsetX, double offsetY, double zoom)
{
  QPainterPath path = OutlinePath(canvas, outline, 0, zoom, offsetX, offsetY, centre);
  if (!path.isEmpty()) path.closeSubpath();
  return path;
}

}  // namespace

int TBalloon::ValidStyle(int style)
{
  return style >= 0 && style < kStyleCount ? style : Rectangle;
}

void TBalloon::MoveTip(TModelPoint tip)
{
  TipX = tip.X;
  TipY = tip.Y;
}

double TBalloon::PointerReach() const
{
  return Width < Height ? Width / 4.0 : Height / 4.0;
}

void TBalloon::AddPointer(QPainterPath& path, const TCanvas& canvas, TModelPoint centre,
                          TModelPoint tip, double offsetX, double offsetY, double zoom) const
{
  const double bearing = Bearing(centre, tip);
  const double v = PointerReach();
  const TModelPoint left = PointAt(centre, v, AddAngles(bearing, 90));
  const TModelPoint right = PointAt(centre, v, AddAngles(bearing, -90));
  QPolygonF triangle;
  for (const TModelPoint p : {tip, left, right})
    triangle << QPointF(canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom));
  QPainterPath pointer;
  pointer.addPolygon(triangle);
  pointer.closeSubpath();
  path = path.united(pointer);
}

void TBalloon::AddCloudPuffs(QPainterPath& path, const TCanvas& canvas, TModelPoint centre,
                             TModelPoint tip, double offsetX, double offsetY, double zoom) const
{
  const double dx = tip.X - centre.X;
  const double dy = tip.Y - centre.Y;
  const double halfW = std::abs(Width) / 2.0;
  const double halfH = std::abs(Height) / 2.0;
  // A tip inside the box needs no puffs.
  if (std::abs(dx) <= halfW && std::abs(dy) <= halfH) return;
  const double tx = dx == 0 ? HUGE_VAL : halfW / std::abs(dx);
  const double ty = dy == 0 ? HUGE_VAL : halfH / std::abs(dy);
  const double t = std::min(tx, ty);
  const TModelPoint edge{centre.X + t * dx, centre.Y + t * dy};
  const double d = Distance(centre, tip);
  const double l = Distance(tip, edge);
  const double v = PointerReach();
  QPainterPath puffs;
  for (const double k : {0.0, 0.4, 0.8}) {
    // Puffs grow from the tip towards the body.
    const double scale = (d - (l - k * l)) / d;
    const TModelPoint at{tip.X + k * (edge.X - tip.X), tip.Y + k * (edge.Y - tip.Y)};
    const TOutline puff = CogiShapeOutline(kEllipseVariant, Width / 4.0 * scale, v * scale);
    puffs = puffs.united(ClosedOutlinePath(canvas, puff, at, offsetX, offsetY, zoom));
  }
  path = path.united(puffs);
}

QPainterPath TBalloon::CalloutPath(const TCanvas& canvas, TModelPoint tip, TModelPoint shift,
                                   double offsetX, double offsetY, double zoom) const
{
  const TModelPoint centre{X + shift.X, Y + shift.Y};
  const TModelPoint shiftedTip{tip.X + shift.X, tip.Y + shift.Y};
  const int style = ValidStyle(BalloonStyle);
  TOutline body;
  switch (style) {
    case RoundedBox:
      body = CogiShapeOutline(kRoundedVariant, Width, Height);
      break;
    case Ellipse:
      body = CogiShapeOutline(kEllipseVariant, Width, Height);
      break;
    case Cloud:
      body = CloudOutline(Width, Height);
      break;
    default:
      body = CogiShapeOutline(kRectangleVariant, Width, Height);
      break;
  }
  QPainterPath path = ClosedOutlinePath(canvas, body, centre, offsetX, offsetY, zoom);
  if (style == Cloud)
    AddCloudPuffs(path, canvas, centre, shiftedTip, offsetX, offsetY, zoom);
  else
    AddPointer(path, canvas, centre, shiftedTip, offsetX, offsetY, zoom);
  return path;
}

QRegion TBalloon::CalloutRegion(const TCanvas& canvas, TModelPoint tip, TModelPoint shift,
                                double offsetX, double offsetY, double zoom) const
{
  return PathRegion(CalloutPath(canvas, tip, shift, offsetX, offsetY, zoom), canvas.RegionWindow());
}

TPixelRect TBalloon::RegionBox(const TCanvas& canvas, double offsetX, double offsetY,
                               double zoom) const
{
  const TPixelRect body = TGateway::RegionBox(canvas, offsetX, offsetY, zoom);
  // The puff at the tip is at most a quarter of the larger side across.
  const double reach = std::max(std::abs(Width), std::abs(Height)) / 4.0;
  const TPixelRect tip = TPixelRect{canvas.ToPixelX(TipX - reach, offsetX, zoom),
                                    canvas.ToPixelY(TipY - reach, offsetY, zoom),
                                    canvas.ToPixelX(TipX + reach, offsetX, zoom),
                                    canvas.ToPixelY(TipY + reach, offsetY, zoom)}
                             .Normalized();
  return {std::min(body.Left, tip.Left) - 1, std::min(body.Top, tip.Top) - 1,
          std::max(body.Right, tip.Right) + 1, std::max(body.Bottom, tip.Bottom) + 1};
}

QRegion TBalloon::CreateRegion(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  return CalloutRegion(canvas, Tip(), {}, offsetX, offsetY, zoom);
}

void TBalloon::DrawTipOutline(TCanvas& canvas, TModelPoint tip, double offsetX, double offsetY,
                              double zoom) const
{
  const QRegion region = CalloutRegion(canvas, tip, {}, offsetX, offsetY, zoom);
  QPainter& painter = canvas.Painter();
  painter.save();
  canvas.SetInverting(true);
  FrameRegion(canvas, region, Qt::black, 1, 1);
  canvas.SetInverting(false);
  painter.restore();
}

// ---- Drawing ------------------------------------------------------------------------------

void TBalloon::DrawShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (Shadow == 0) return;
  // Codes past the four directions still cast a shadow rather than vanishing.
  const int direction = Shadow > 4 ? 2 : Shadow;
  const TModelPoint shift = TShadowPainter::ShadowOffset(direction, Style3D);
  const QRegion region = CalloutRegion(canvas, Tip(), shift, offsetX, offsetY, zoom);
  if (FillStyle == kFillClear)
    DrawText(canvas, 0, offsetX, offsetY, zoom, direction);
  else
    TShadowPainter::MaskFillRegion(canvas, region, colors::ShadowGrey);
  if (LineStyle != kLineNone) {
    const int w = PenWidthPixels(LineWidth, zoom, canvas);
    FrameRegion(canvas, region, DisplayColor(colors::ShadowGrey), w, w);
  }
}

void TBalloon::Draw3D(TCanvas&, double, double, double) {}

void TBalloon::DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  const QRegion region = CreateRegion(canvas, offsetX, offsetY, zoom);
  if (FillStyle != kFillClear)
    TFillPainter::FillRegion(canvas, region, FillStyle, zoom, PatternIndex, GradientIndex,
                             FillPicture ? &*FillPicture : nullptr, PictureCentred, FaceColor,
                             BackColor);
  if (Style3D == 0 && LineStyle != kLineNone) {
    // Every line style frames solid: a region frame has no dashes.
    const int w = PenWidthPixels(LineWidth, zoom, canvas);
    const QColor color = DisplayColor(LineColor);
    FrameRegion(canvas, region, color, w, w);
    if (ValidStyle(BalloonStyle) == Cloud) {
      QPainter& painter = canvas.Painter();
      painter.save();
      painter.setPen(QPen(color, w, Qt::SolidLine));
      painter.setBrush(Qt::NoBrush);
      TArrowHeads::DrawCloudDecoration(canvas, 0, X, Y, Width, Height, offsetX, offsetY, zoom);
      painter.restore();
    }
  }
  DrawGatewayIcon(canvas, 0, offsetX, offsetY, zoom);
}

void TBalloon::DrawHandles(TCanvas& canvas, double angle, QRegion& handleRegion, bool primary,
                           int mode, double offsetX, double offsetY, double zoom)
{
  CGPObject::DrawHandles(canvas, angle, handleRegion, primary, mode, offsetX, offsetY, zoom);
  if (mode == opFormatPaint) return;
  const int size = HandleSize(zoom);
  const int margin = HandleMargin(zoom);
  const QPoint tip = canvas.ToPixel(TipX, TipY, offsetX, offsetY, zoom);
  const int hx = tip.x() - size / 2;
  const int hy = tip.y() - size / 2;
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  painter.setBrush(DisplayColor(kTipHandleColor));
  painter.drawRect(QRect(hx, hy, size - 1, size - 1));
  painter.restore();
  HandleRegions[8] =
      THandleShape(QRect(hx - margin, hy - margin, size + 2 * margin, size + 2 * margin));
  handleRegion += HandleRegions[8].ToRegion();
}

// ---- Moving and streams -------------------------------------------------------------------

void TBalloon::MoveTo(TObjectList* list, double x, double y)
{
  TipX += x - X;
  TipY += y - Y;
  TGateway::MoveTo(list, x, y);
}

void TBalloon::SaveToStream(TBinaryWriter& stream) const
{
  TGateway::SaveToStream(stream);
  stream.WriteByte(BalloonStyle);
  stream.WriteDouble(TipX);
  stream.WriteDouble(TipY);
}

void TBalloon::LoadFromStream(TBinaryReader& stream)
{
  TGateway::LoadFromStream(stream);
  BalloonStyle = stream.ReadByte();
  TipX = stream.ReadDouble();
  TipY = stream.ReadDouble();
}
