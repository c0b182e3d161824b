#include "model/layers/cogishaped.h"

#include <QPainter>

#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

TVariantLayout TCogiShaped::VariantLayout(int variant)
{
  using A = TAnchorRuleKind;
  switch (variant) {
    case 0:
    case 11:
      return {-0.424, {0, 0, 0.7, 0.7}, 0.42, A::Ellipse16};
    case 1:
      return {-0.25, {0, 0.14, 0.7, 0.6}, 0.42, A::VerticesAndQuarters};
    case 2:
      return {-0.39, {0, -0.14, 0.7, 0.6}, 0.42, A::VerticesAndQuarters};
    case 3:
      return {-0.42, {0, 0.05, 0.8, 0.8}, 0.42, A::Box16};
    case 4:
      return {-0.37, {0, 0.08, 0.55, 0.75}, 0.42, A::VerticesAndQuarters};
    case 5:
      return {0.37, {0, -0.08, 0.55, 0.75}, -0.425, A::VerticesAndQuarters};
    case 6:
      return {-0.35, {0, 0, 0.5, 0.5}, 0.35, A::VerticesAndQuarters};
    case 7:
      return {-0.39, {0, 0, 0.8, 0.58}, 0.37, A::VerticesAndMidpoints};
    case 8:
      return {-0.42, {0, 0, 0.58, 0.58}, 0.42, A::VerticesAndMidpoints};
    case 9:
      return {-0.42, {0, 0.05, 0.8, 0.8}, 0.42, A::Vertices};
    case 10:
      return {-0.42, {0, 0.05, 0.8, 0.8}, 0.42, A::Rect28};
    case 12:
      return {-0.44, {0, -0.04, 0.9, 0.7}, 0.4, A::Vertices};
    case 13:
      return {-0.38, {0, 0.07, 0.95, 0.65}, 0.42, A::Box16};
    case 14:
      return {-0.42, {0, 0.05, 0.8, 0.8}, 0.2, A::VerticesAndMidpoints};
    case 15:
      return {-0.42, {0, 0.05, 0.8, 0.8}, 0.42, A::VerticesAndQuarters};
    case 16:
      return {-0.42, {0, 0.05, 0.8, 0.8}, 0.42, A::VerticesAndMidpoints};
    case 17:
      return {-0.42, {0, 0.05, 0.8, 0.8}, 0.42, A::Vertices};
    default:
      return {-0.42, {0, 0.05, 0.8, 0.8}, 0.42, A::Box16};
  }
}

TAnchorList TCogiShaped::Ellipse16Anchors(double w, double h)
{
  const double a = 0.1913;
  const double b = 0.3535;
  const double c = 0.4619;
  return {{-a * w, -c * h}, {-b * w, -b * h}, {-c * w, -a * h}, {-0.5 * w, 0},
          {-c * w, a * h},  {-b * w, b * h},  {-a * w, c * h},  {0, 0.5 * h},
          {a * w, c * h},   {b * w, b * h},   {c * w, a * h},   {0.5 * w, 0},
          {c * w, -a * h},  {b * w, -b * h},  {a * w, -c * h},  {0, -0.5 * h}};
}

TAnchorList TCogiShaped::Rect28Anchors(double w, double h)
{
  const double x1 = 0.1388 * w, x2 = 0.2777 * w, x3 = 0.4166 * w, x4 = 0.5 * w;
  const double y1 = 0.2083 * h, y3 = 0.4166 * h, y4 = 0.5 * h;
  return {{-x1, -y4}, {-x2, -y4}, {-x3, -y4}, {-x4, -y4}, {-x4, -y3}, {-x4, -y1}, {-x4, 0},
          {-x4, y1},  {-x4, y3},  {-x4, y4},  {-x3, y4},  {-x2, y4},  {-x1, y4},  {0, y4},
          {x1, y4},   {x2, y4},   {x3, y4},   {x4, y4},   {x4, y3},   {x4, y1},   {x4, 0},
          {x4, -y1},  {x4, -y3},  {x4, -y4},  {x3, -y4},  {x2, -y4},  {x1, -y4},  {0, -y4}};
}

TAnchorList TCogiShaped::AnchorRule() const
{
  switch (VariantLayout(ShapeVariant).Anchors) {
    case TAnchorRuleKind::Vertices:
      return VertexAnchors(Outline);
    case TAnchorRuleKind::VerticesAndMidpoints:
      return VertexAndMidpointAnchors(Outline);
    case TAnchorRuleKind::VerticesAndQuarters:
      return VertexAndQuarterAnchors(Outline);
    case TAnchorRuleKind::Ellipse16:
      return Ellipse16Anchors(Width, Height);
    case TAnchorRuleKind::Rect28:
      return Rect28Anchors(Width, Height);
    case TAnchorRuleKind::Box16:
      break;
  }
  return Box16Anchors(Width, Height);
}

TModelPoint TCogiShaped::NumberPositionRule() const
{
  return {0.0, VariantLayout(ShapeVariant).NumberY};
}

TModelPoint TCogiShaped::IconPositionRule() const
{
  return {0.0, VariantLayout(ShapeVariant).IconY};
}

void TCogiShaped::DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  const bool ellipse = ShapeVariant == 0 || ShapeVariant == 11;
  if (Style3D != 0 || !ellipse || Angle != 0 ||
      (LineStyle != kLineSolid && LineStyle != kLineNone)) {
    TPointed::DrawBody(canvas, offsetX, offsetY, zoom);
    return;
  }
  // The unrotated ellipse is drawn exactly rather than from its eight curves.
  const QRect box = CGPObject::GetScreenBox(canvas, offsetX, offsetY, zoom).Normalized().ToQRect();
  QPainterPath area;
  area.addEllipse(box);
  if (FillStyle != kFillClear) FillArea(canvas, area, zoom);
  if (LineStyle == kLineSolid) StrokeArea(canvas, area, zoom);
}

void TCogiShaped::SaveToStream(TBinaryWriter& stream) const
{
  TPointed::SaveToStream(stream);
  stream.WriteByte(ShapeVariant);
}

void TCogiShaped::LoadFromStream(TBinaryReader& stream)
{
  TPointed::LoadFromStream(stream);
  ShapeVariant = stream.ReadByte();
}
