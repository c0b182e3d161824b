#include "model/layers/angled.h"

#include <QPainter>

#include "platform/canvas.h"
#include "platform/pixelregion.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/extrusionpainter.h"
#include "render/shadowpainter.h"

namespace {

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

void TAngled::DrawShapeShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  TShadowPainter::DrawOutlineShadow(canvas, BodyOutline(), Centre(), Angle, FillStyle != kFillClear,
                                    LineStyle, LineWidth, ShadowDirection(Shadow), Style3D, offsetX,
                                    offsetY, zoom);
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
  const auto fill = FillStyle == kFillClear ? TExtrusionPainter::TFaceFill::Clear
                                            : TExtrusionPainter::TFaceFill::Filled;
  TExtrusionPainter::DrawExtrusion(canvas, outline, Centre(), Angle, Style3D, FaceColor, fill,
                                   offsetX, offsetY, zoom);
}

void TAngled::Draw3D(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (Style3D == 0) return;
  ExtrudeOutline(canvas, BodyOutline(), offsetX, offsetY, zoom);
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
      RectanglePolygon(canvas, Angle, zoom, offsetX, offsetY, Width, Height, Centre()),
      canvas.RegionWindow());
}

QRegion TAngled::ClippedRegion(const TCanvas& canvas, const QRect& clip, double offsetX,
                               double offsetY, double zoom) const
{
  if (clip.isEmpty()) return QRegion();
  return PathRegion(HitPath(canvas, offsetX, offsetY, zoom), clip);
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
