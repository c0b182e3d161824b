#include "interaction/creation/clustermode.h"

#include <algorithm>
#include <cmath>

#include "document/overlay.h"
#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"
#include "model/layers/cogishaped.h"
#include "model/outlines/shapegenerator.h"

namespace {

TModelPoint Middle(TModelPoint a, TModelPoint b)
{
  return {(a.X + b.X) / 2.0, (a.Y + b.Y) / 2.0};
}

}  // namespace

std::optional<int> TClusterMode::EntryCursor() const
{
  return crCreateCluster;
}

void TClusterMode::Enter()
{
  FreeOutline(newOutline_);
  outline_.Forget();
  pressed_ = false;
}

void TClusterMode::Leave()
{
  outline_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
  FreeOutline(newOutline_);
  pressed_ = false;
}

void TClusterMode::DrawOutline()
{
  TModelDocument& d = machine_.Document();
  const TGestureState& state = machine_.State();
  newOutline_ = MakeShapeOutline(d.CreateKind, d.CreateVariant, d.CreateWidth, d.CreateHeight);
  const TOutline outline = newOutline_;
  const TModelPoint at = Middle(state.AnchorPoint, state.CurrentPoint);
  const double angle = d.CreateAngle;
  outline_.Draw(machine_.Host().Overlay(), [&d, outline, at, angle](TOverlay& overlay) {
    overlay.OutlinePath(d, outline, at, angle);
  });
  machine_.Host().OverlayChanged();
}

void TClusterMode::MouseDown(const TPointerInput&)
{
  machine_.Host().ConfineCursor(true);
  TGestureState& state = machine_.State();
  state.AnchorPoint = state.CurrentPoint = machine_.MousePoint(false);
  TModelDocument& d = machine_.Document();
  d.CreateWidth = d.CreateHeight = 0.0;
  pressed_ = true;
  outline_.Forget();
  DrawOutline();
}

void TClusterMode::MouseMove(const TPointerInput& input)
{
  machine_.Host().SetHint(
      QStringLiteral("|Drag the outline of the cluster to create it.  Keep dragging to create "
                     "more clusters.  RIGHT click to stop."));
  if (!pressed_ || !machine_.ButtonHeld()) return;
  TModeLock lock(machine_.Document());
  if (machine_.AutoScroll(input.Pixel)) machine_.RepaintFully();
  outline_.Erase(machine_.Host().Overlay());
  machine_.ComputeSnapFlags(input.State);
  TGestureState& state = machine_.State();
  state.CurrentPoint = machine_.MousePoint(TProgramGestureValues::GridSnapActive);
  TModelDocument& d = machine_.Document();
  d.CreateWidth = std::fabs(state.AnchorPoint.X - state.CurrentPoint.X);
  d.CreateHeight = std::fabs(state.AnchorPoint.Y - state.CurrentPoint.Y);
  DrawOutline();
}

void TClusterMode::MouseUp(const TPointerInput& input)
{
  if (input.Button != TMouseButton::Left) {
    machine_.SetMode(opNone);
    return;
  }
  // Between drags the pointer is free to leave the window.
  machine_.Host().ConfineCursor(false);
  outline_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
  const bool pressed = pressed_;
  pressed_ = false;
  const TModelDocument& d = machine_.Document();
  // A click makes no cluster: one without size could never be found again.
  if (!pressed || !(d.CreateWidth > 0.0) || !(d.CreateHeight > 0.0)) return;
  TModeLock lock(machine_.Document());
  CreateCluster();
  machine_.RepaintFully();
}

void TClusterMode::CreateCluster()
{
  TModelDocument& d = machine_.Document();
  const TGestureState& state = machine_.State();
  CGPObject* object = d.CreateObject(d.CreateKind);
  const TModelPoint centre = Middle(state.AnchorPoint, state.CurrentPoint);
  object->X = centre.X;
  object->Y = centre.Y;
  object->Width = d.CreateWidth;
  object->Height = d.CreateHeight;
  d.ApplyCurrentAttributes(object);
  if (auto* shaped = dynamic_cast<TCogiShaped*>(object)) {
    shaped->ShapeVariant = static_cast<std::uint8_t>(d.CreateVariant);
    shaped->Angle = d.CreateAngle;
    CopyOutline(newOutline_, shaped->Outline);
  }
  // Clusters lie under everything.
  d.Objects.erase(std::find(d.Objects.begin(), d.Objects.end(), object));
  d.Objects.insert(d.Objects.begin(), object);
  object->Recalculate(&d.Objects, true);
  d.ChangePending = true;
}
