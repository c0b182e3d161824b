#include "interaction/creation/placeshapemode.h"

#include "document/overlay.h"
#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/balloon.h"
#include "model/shapes/blockarrow.h"
#include "model/shapes/dilemma.h"

namespace {

// Where a new callout's pointer ends, from the callout's centre.
constexpr double kCalloutTipX = -1.0;
constexpr double kCalloutTipY = 1.5;

}  // namespace

std::optional<int> TPlaceShapeMode::EntryCursor() const
{
  // The outline is the cursor.
  return crNone;
}

void TPlaceShapeMode::Enter()
{
  const TModelDocument& d = machine_.Document();
  TGestureState& state = machine_.State();
  state.CurrentPoint = machine_.MousePoint(true);
  placePoint_ = state.CurrentPoint;
  newOutline_ = MakeShapeOutline(d.CreateKind, d.CreateVariant, d.CreateWidth, d.CreateHeight);
  verticesFiled_ = false;
  outline_.Forget();
  DrawOutline();
}

void TPlaceShapeMode::Leave()
{
  outline_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
  FreeOutline(newOutline_);
  vertices_.Clear();
  verticesFiled_ = false;
}

void TPlaceShapeMode::DrawOutline()
{
  const TModelDocument& d = machine_.Document();
  const TOutline outline = newOutline_;
  const TModelPoint at = placePoint_;
  const double angle = d.CreateAngle;
  outline_.Draw(machine_.Host().Overlay(), [&d, outline, at, angle](TOverlay& overlay) {
    overlay.OutlinePath(d, outline, at, angle);
  });
  machine_.Host().OverlayChanged();
}

void TPlaceShapeMode::SnapToShapes()
{
  if (!verticesFiled_) {
    vertices_.Build(machine_.Document().Objects);
    verticesFiled_ = true;
  }
  // The outline is drawn turned, so its vertices are matched where they are drawn.
  if (const std::optional<TModelPoint> snapped =
          vertices_.Snap(newOutline_, machine_.Document().CreateAngle, placePoint_))
    placePoint_ = *snapped;
}

void TPlaceShapeMode::MouseMove(const TPointerInput& input)
{
  machine_.Host().SetHint(QStringLiteral(
      "|Click to create a new Cogi.  Repeated clicks create more.  RIGHT click to stop."));
  TModeLock lock(machine_.Document());
  outline_.Erase(machine_.Host().Overlay());
  machine_.ComputeSnapFlags(input.State);
  TGestureState& state = machine_.State();
  state.CurrentPoint = machine_.MousePoint(TProgramGestureValues::GridSnapActive);
  placePoint_ = state.CurrentPoint;
  if (TProgramGestureValues::ShapeSnapActive) SnapToShapes();
  DrawOutline();
}

void TPlaceShapeMode::MouseUp(const TPointerInput& input)
{
  if (input.Button != TMouseButton::Left) {
    outline_.Erase(machine_.Host().Overlay());
    machine_.Host().OverlayChanged();
    FreeOutline(newOutline_);
    machine_.SetMode(opNone);
    return;
  }
  TModeLock lock(machine_.Document());
  outline_.Erase(machine_.Host().Overlay());
  CreateShape();
  machine_.RepaintFully();
  DrawOutline();
}

void TPlaceShapeMode::CreateShape()
{
  TModelDocument& d = machine_.Document();
  CGPObject* object = d.CreateObject(d.CreateKind);
  object->X = placePoint_.X;
  object->Y = placePoint_.Y;
  object->Width = d.CreateWidth;
  object->Height = d.CreateHeight;
  const auto variant = static_cast<std::uint8_t>(d.CreateVariant);
  if (auto* cogi = dynamic_cast<TCogi*>(object)) cogi->CogiSize = d.CogiSize;
  if (auto* shaped = dynamic_cast<TCogiShaped*>(object)) {
    shaped->ShapeVariant = variant;
  } else if (auto* dilemma = dynamic_cast<TDilemma*>(object)) {
    dilemma->ShapeVariant = variant;
  } else if (auto* block = dynamic_cast<TBlockArrow*>(object)) {
    block->ShapeVariant = variant;
  } else if (auto* balloon = dynamic_cast<TBalloon*>(object)) {
    balloon->BalloonStyle = variant;
    balloon->TipX = object->X + kCalloutTipX;
    balloon->TipY = object->Y + kCalloutTipY;
  }
  if (auto* pointed = dynamic_cast<TPointed*>(object)) CopyOutline(newOutline_, pointed->Outline);
  if (auto* angled = dynamic_cast<TAngled*>(object)) angled->Angle = d.CreateAngle;
  d.ApplyCurrentAttributes(object);
  object->Recalculate(&d.Objects, true);
  d.ChangePending = true;
  if (verticesFiled_) vertices_.Add(object);
}

void TPlaceShapeMode::RefreshOverlay()
{
  // The view moved under the pointer: the outline follows it as on a move.
  MouseMove(machine_.State().LastInput);
}

void TPlaceShapeMode::ObjectDestroyed(const CGPObject*)
{
  verticesFiled_ = false;
}
