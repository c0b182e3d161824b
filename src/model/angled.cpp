#include "model/angled.h"

#include <QPainter>
#include <cmath>

#include "platform/binaryreader.h"
#include "platform/binarywriter.h"
#include "platform/canvas.h"
#include "platform/pixelregion.h"
#include "platform/rounding.h"

namespace {

// The extrusion vector and the bearing whose nearest vertex starts the walk, by Style3D.
struct TExtrusion {
  TModelPoint Vector;
  double ReferenceBearing = 0.0;
};

TExtrusion ExtrusionFor(int style3D)
{
  constexpr double d = 0.125;
  switch (style3D) {
    case 2:
      return {{-d, d}, 315.0};
    case 3:
      return {{-d, -d}, 45.0};
    case 4:
      return {{d, -d}, 135.0};
    default:
      return {{d, d}, 225.0};
  }
}

// A face facing bearing 120 gets half the base colour, one facing 300 all of it.
QColor FaceShade(TColorRef base, double bearing)
{
  const double f = BearingDifference(120.0, bearing) / 180.0;
  auto channel = [f](int c) {
    const int half = c / 2;
    return half + RoundHalfEven(f * (c - half));
  };
  return QColor(channel(RedOf(base)), channel(GreenOf(base)), channel(BlueOf(base)));
}

int ShadowDirection(int shadow)
{
  // Codes past the four directions still cast a shadow rather than vanishing.
  return shadow > 4 ? 2 : shadow;
}

}  // namespace

// ---- Drawing ------------------------------------------------------------------------------

void TAngled::Draw(TCanvas& canvas, bool, double offsetX, double offsetY, double zoom)
{
  DrawShadow(canvas, offsetX, offsetY, zoom);
  Draw3D(canvas, offsetX, offsetY, zoom);
  DrawBody(canvas, offsetX, offsetY, zoom);
  if (zoom > 30) DrawText(canvas, Angle, offsetX, offsetY, zoom, 0);
  DrawNumber(canvas, Angle, offsetX, offsetY, zoom, 0);
  DrawGatewayIcon(canvas, Angle, offsetX, offsetY, zoom);
}

QPainterPath TAngled::ShapePath(const TCanvas& canvas, double angle, TModelPoint centre,
                                double offsetX, double offsetY, double zoom) const
{
  QPainterPath path;
  RectanglePath(path, canvas, angle, zoom, offsetX, offsetY, Width, Height, centre);
  return path;
}

void TAngled::ShadowArea(TCanvas& canvas, const QPainterPath& path, double zoom) const
{
  QPainter& painter = canvas.Painter();
  painter.save();
  if (FillStyle != kFillClear) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(colors::ShadowGrey));
  } else if (LineStyle != kLineNone) {
    painter.setPen(QPen(ToQColor(colors::ShadowGrey), PenWidthPixels(LineWidth, zoom, canvas)));
    painter.setBrush(Qt::NoBrush);
  } else {
    painter.restore();
    return;
  }
  canvas.SetMasking(true);
  painter.drawPath(path);
  canvas.SetMasking(false);
  painter.restore();
}

void TAngled::DrawShapeShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  const TModelPoint d = ShadowDisplacement(ShadowDirection(Shadow), Style3D);
  ShadowArea(canvas, ShapePath(canvas, Angle, {X + d.X, Y + d.Y}, offsetX, offsetY, zoom), zoom);
}

void TAngled::DrawShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (Shadow == 0) return;
  // Without a fill the text casts the shadow.
  if (FillStyle == kFillClear)
    DrawText(canvas, Angle, offsetX, offsetY, zoom, ShadowDirection(Shadow));
  DrawShapeShadow(canvas, offsetX, offsetY, zoom);
}

void TAngled::ExtrudeOutline(TCanvas& canvas, const TOutline& outline, double offsetX,
                             double offsetY, double zoom) const
{
  // Faces of a clear shape are drawn with a clear brush: nothing shows.
  if (outline.size() < 2 || FillStyle == kFillClear) return;
  const TExtrusion extrusion = ExtrusionFor(Style3D);
  const TModelPoint centre = Centre();
  const double angle = Angle;
  auto turned = [&](double dx, double dy) { return RotateOffset(centre, dx, dy, angle); };
  auto pixel = [&](TModelPoint p, TModelPoint shift = {}) {
    return QPointF(canvas.ToPixel(p.X + shift.X, p.Y + shift.Y, offsetX, offsetY, zoom));
  };

  // The vertex nearest the reference bearing starts the walk; later ones must be closer.
  std::size_t first = 1;
  double bestDifference = 180.0;
  for (std::size_t i = 1; i < outline.size(); ++i) {
    const double bearing = Bearing(centre, turned(outline[i].Ex, outline[i].Ey));
    const double difference = BearingDifference(bearing, extrusion.ReferenceBearing);
    if (difference < bestDifference) {
      bestDifference = difference;
      first = i;
    }
  }

  const QPointF pixelCentre = pixel(centre);
  const TModelPoint v = extrusion.Vector;
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setPen(Qt::NoPen);
  const std::size_t segments = outline.size() - 1;
  for (std::size_t step = 1; step <= segments; ++step) {
    const std::size_t i = (first + step - 1) % segments + 1;
    const TSegment& previous = outline[i - 1];
    const TSegment& s = outline[i];
    const TModelPoint p0 = turned(previous.Ex, previous.Ey);
    const TModelPoint c1 = turned(s.C1x, s.C1y);
    const TModelPoint c2 = turned(s.C2x, s.C2y);
    const TModelPoint p1 = turned(s.Ex, s.Ey);
    QPainterPath face;
    face.moveTo(pixel(p0));
    face.lineTo(pixel(p0, v));
    face.cubicTo(pixel(c1, v), pixel(c2, v), pixel(p1, v));
    face.lineTo(pixel(p1));
    face.cubicTo(pixel(c2), pixel(c1), pixel(p0));
    face.closeSubpath();
    const QPointF middle = (pixel(p0) + pixel(p1)) / 2.0;
    const double bearing = Bearing({pixelCentre.x(), pixelCentre.y()}, {middle.x(), middle.y()});
    painter.setBrush(FaceShade(FaceColor, bearing));
    painter.drawPath(face);
  }
  painter.restore();
}

void TAngled::Draw3D(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (Style3D == 0) return;
  ExtrudeOutline(canvas, ExtrusionOutline(), offsetX, offsetY, zoom);
}

void TAngled::DrawShapeBody(TCanvas& canvas, const QPainterPath& path, double zoom)
{
  if (FillStyle != kFillClear) FillArea(canvas, path, zoom);
  if (Style3D == 0 && LineStyle != kLineNone) StrokeArea(canvas, path, zoom);
}

void TAngled::DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  DrawShapeBody(canvas, ShapePath(canvas, Angle, Centre(), offsetX, offsetY, zoom), zoom);
}

void TAngled::DrawSelection(TCanvas& canvas, int mode, QRegion& handleRegion, bool primary,
                            double offsetX, double offsetY, double zoom)
{
  // The rotation mode is passed on, so angled objects show round rotation handles.
  if (Selected) DrawHandles(canvas, Angle, handleRegion, primary, mode, offsetX, offsetY, zoom);
}

void TAngled::DrawOutline(TCanvas& canvas, double extraAngle, double x, double y, double offsetX,
                          double offsetY, double zoom)
{
  const QPainterPath path =
      ShapePath(canvas, AddAngles(Angle, extraAngle), {x, y}, offsetX, offsetY, zoom);
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  painter.setBrush(Qt::NoBrush);
  canvas.SetInverting(true);
  painter.drawPath(path);
  canvas.SetInverting(false);
  painter.restore();
}

// ---- Geometry -----------------------------------------------------------------------------

QPainterPath TAngled::HitPath(const TCanvas& canvas, double offsetX, double offsetY,
                              double zoom) const
{
  return ShapePath(canvas, Angle, Centre(), offsetX, offsetY, zoom);
}

QRegion TAngled::CreateRegion(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  return PolygonRegion(
      RectanglePolygon(canvas, Angle, zoom, offsetX, offsetY, Width, Height, Centre()));
}

QRegion TAngled::ClippedRegion(const TCanvas& canvas, const QRect& clip, double offsetX,
                               double offsetY, double zoom) const
{
  if (clip.isEmpty()) return QRegion();
  QPainterPath window;
  window.addRect(clip);
  return PathRegion(HitPath(canvas, offsetX, offsetY, zoom).intersected(window));
}

TPixelRect TAngled::GetScreenBox(const TCanvas& canvas, double offsetX, double offsetY,
                                 double zoom) const
{
  const TPixelRect box = CGPObject::GetScreenBox(canvas, offsetX, offsetY, zoom);
  return Angle == 0 ? box : RotatedBox(box, Angle);
}

// ---- Streams ------------------------------------------------------------------------------

void TAngled::SaveToStream(TBinaryWriter& stream) const
{
  TGateway::SaveToStream(stream);
  stream.WriteInt32(Angle);
}

void TAngled::LoadFromStream(TBinaryReader& stream)
{
  TGateway::LoadFromStream(stream);
  Angle = stream.ReadInt32();
}
