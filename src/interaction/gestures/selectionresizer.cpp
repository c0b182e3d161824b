#include "interaction/gestures/selectionresizer.h"

#include <QPainter>
#include <cmath>

#include "document/modeldocument.h"
#include "document/overlay.h"
#include "geometry/geometry.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/embedded/olecogi.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/blockarrow.h"
#include "model/shapes/dilemma.h"
#include "platform/canvas.h"

namespace {

struct TDirection {
  int X;
  int Y;
};

// Where a handle lies from the box centre.
TDirection HandleDirection(int handle)
{
  static constexpr TDirection kDirections[8] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0},
                                                {1, 1},   {0, 1},  {-1, 1}, {-1, 0}};
  return kDirections[std::clamp(handle, 1, 8) - 1];
}

// The point that stays put: the handle opposite the grabbed one.
TModelPoint FixedPoint(const CGPObject& object, TDirection d)
{
  return RotateOffset(object.Centre(), -d.X * object.Width / 2.0, -d.Y * object.Height / 2.0,
                      object.ObjectAngle());
}

// The signed new extent of an object along one axis: its extent times the grabbed object's
// factor, dragged over grabbed extent. A grabbed object without extent on that axis has no
// factor: it takes the dragged distance itself, and the others keep their extent on the
// side of the fixed point the pointer is on.
double NewExtent(double extent, double grabbedExtent, double dragged, bool isGrabbed)
{
  if (grabbedExtent != 0.0 && std::isfinite(grabbedExtent))
    return extent * (dragged / grabbedExtent);
  return isGrabbed ? dragged : std::copysign(extent, dragged);
}

// The shape variant of the kinds whose outline the shape generator builds; none for others
// and for hand-drawn outlines.
int GeneratedVariant(const CGPObject& object)
{
  if (const auto* shaped = dynamic_cast<const TCogiShaped*>(&object))
    return shaped->ShapeVariant == kCogiVariantFree ? -1 : shaped->ShapeVariant;
  if (const auto* block = dynamic_cast<const TBlockArrow*>(&object)) return block->ShapeVariant;
  if (const auto* dilemma = dynamic_cast<const TDilemma*>(&object)) return dilemma->ShapeVariant;
  return -1;
}

// Brings a polygon's outline to the new size. An outline without extent on an axis cannot be
// scaled: a generated shape is built anew, a hand-drawn point stays a point.
void FitOutline(TPointed& pointed, double width, double height)
{
  const bool scalable = pointed.Width != 0.0 && pointed.Height != 0.0 &&
                        std::isfinite(pointed.Width) && std::isfinite(pointed.Height);
  if (scalable) {
    ScaleOutline(pointed.Outline, width / std::abs(pointed.Width),
                 height / std::abs(pointed.Height));
    return;
  }
  if (const int variant = GeneratedVariant(pointed); variant >= 0)
    pointed.Outline = MakeShapeOutline(pointed.KindCode(), variant, width, height);
}

bool Finite(const TResizedBox& box)
{
  return std::isfinite(box.Centre.X) && std::isfinite(box.Centre.Y) && std::isfinite(box.Width) &&
         std::isfinite(box.Height);
}

}  // namespace

std::vector<TResizedBox> TSelectionResizer::ResizedBoxes(const TModelDocument& document,
                                                         const CGPObject& grabbed, int handle,
                                                         TModelPoint p)
{
  const TDirection d = HandleDirection(handle);
  const TModelPoint q = FixedPoint(grabbed, d);
  // The pointer's distance from the fixed point in the grabbed object's own frame.
  TModelPoint v = RotateOffset({0, 0}, q.X - p.X, q.Y - p.Y, -grabbed.ObjectAngle());
  if (v.X == 0.0) v.X = 0.01;
  if (v.Y == 0.0) v.Y = 0.01;
  std::vector<TResizedBox> boxes;
  for (CGPObject* s : document.Objects) {
    if (!s->Selected || dynamic_cast<TArrow*>(s)) continue;
    const bool isGrabbed = s == &grabbed;
    double w = d.X == 0 ? s->Width : NewExtent(s->Width, grabbed.Width, v.X, isGrabbed);
    double h = d.Y == 0 ? s->Height : NewExtent(s->Height, grabbed.Height, v.Y, isGrabbed);
    TResizedBox box{s, {}, 0, 0, s->ObjectAngle(), -1};
    if (auto* cogi = dynamic_cast<TCogi*>(s))
      box.SizeCode = TCogi::SnapCogiSize(cogi->ShapeVariant, handle, w, h);
    box.Centre = RotateOffset(FixedPoint(*s, d), d.X == 0 ? 0.0 : -w / 2.0,
                              d.Y == 0 ? 0.0 : -h / 2.0, box.Angle);
    box.Width = std::abs(w);
    box.Height = std::abs(h);
    if (Finite(box)) boxes.push_back(box);
  }
  return boxes;
}

void TSelectionResizer::DrawBoxes(const std::vector<TResizedBox>& boxes,
                                  const TModelDocument& document, TOverlay& overlay)
{
  if (boxes.empty()) return;
  overlay.DrawInverting(document.ScreenDpiX, document.ScreenDpiY, [&](TCanvas& canvas) {
    QPen dotted(Qt::black, 1, Qt::CustomDashLine);
    dotted.setDashPattern({1, 1});
    canvas.Painter().setPen(dotted);
    for (const TResizedBox& box : boxes)
      canvas.Painter().drawPolygon(RectanglePolygon(canvas, box.Angle, document.Zoom,
                                                    -document.ViewOrigin.X, -document.ViewOrigin.Y,
                                                    box.Width, box.Height, box.Centre));
  });
}

bool TSelectionResizer::ResizeSelection(TModelDocument& document, const CGPObject& grabbed,
                                        int handle, TModelPoint p)
{
  const std::vector<TResizedBox> boxes = ResizedBoxes(document, grabbed, handle, p);
  bool changed = false;
  for (const TResizedBox& box : boxes) {
    CGPObject* s = box.Object;
    if (box.Centre == s->Centre() && box.Width == s->Width && box.Height == s->Height) continue;
    changed = true;
    if (auto* pointed = dynamic_cast<TPointed*>(s)) FitOutline(*pointed, box.Width, box.Height);
    s->Width = box.Width;
    s->Height = box.Height;
    if (auto* cogi = dynamic_cast<TCogi*>(s))
      cogi->CogiSize = static_cast<std::uint8_t>(box.SizeCode);
    // An embedded document would otherwise take its natural size back at the next paint.
    if (auto* ole = dynamic_cast<TOLECogi*>(s)) ole->OleSized = true;
    // The box moves, not the object: a cluster's members and a callout's tip stay put.
    s->X = box.Centre.X;
    s->Y = box.Centre.Y;
    if (auto* cluster = dynamic_cast<TCluster*>(s)) cluster->FitMembers = false;
  }
  if (!changed) return false;
  for (const TResizedBox& box : boxes)
    box.Object->Recalculate(&document.Objects, true);
  return true;
}
