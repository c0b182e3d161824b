#include "interaction/creation/freeformmode.h"

#include <algorithm>
#include <cmath>

#include "document/overlay.h"
#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"
#include "model/cluster.h"
#include "model/layers/filled.h"
#include "model/outlines/shapegenerator.h"

std::optional<int> TFreeformMode::EntryCursor() const
{
  return crFreeDraw;
}

void TFreeformMode::Enter()
{
  FreeOutline(newOutline_);
  vertexCount_ = 0;
  lastVertex_ = {0.0, 0.0};
  rubber_.Forget();
  pressed_ = false;
}

void TFreeformMode::Leave()
{
  rubber_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
  FreeOutline(newOutline_);
  vertexCount_ = 0;
  pressed_ = false;
}

bool TFreeformMode::AppendPoint(TModelPoint p)
{
  const std::size_t before = newOutline_.size();
  AppendSegment(newOutline_, lastVertex_.X, lastVertex_.Y, p.X, p.Y, p.X, p.Y);
  lastVertex_ = p;
  if (newOutline_.size() == before) return false;
  ++vertexCount_;
  return true;
}

bool TFreeformMode::NearFirstPoint(TModelPoint p) const
{
  if (newOutline_.empty()) return false;
  const TModelView view = machine_.View();
  const TModelPoint first = newOutline_.front().End();
  return std::abs(view.ModelToPixels(p.X - first.X)) <= kCloseDistance &&
         std::abs(view.ModelToPixels(p.Y - first.Y)) <= kCloseDistance;
}

void TFreeformMode::DrawRubberLine()
{
  rubber_.Erase(machine_.Host().Overlay());
  if (vertexCount_ > 0) {
    const TModelDocument& d = machine_.Document();
    const TModelPoint a = lastVertex_;
    const TModelPoint b = machine_.State().AnchorPoint;
    rubber_.Draw(machine_.Host().Overlay(),
                 [&d, a, b](TOverlay& overlay) { overlay.RubberLine(d, a, b); });
  }
  machine_.Host().OverlayChanged();
}

void TFreeformMode::DrawTrail(bool whole)
{
  if (newOutline_.empty()) return;
  TOutline piece;
  if (whole || newOutline_.size() < 2)
    piece = newOutline_;
  else
    piece.assign(newOutline_.end() - 2, newOutline_.end());
  machine_.Host().Overlay().FreeformTrail(machine_.Document(), piece);
  machine_.Host().OverlayChanged();
}

void TFreeformMode::MouseDown(const TPointerInput& input)
{
  machine_.Host().ConfineCursor(true);
  pressed_ = true;
  dragged_ = false;
  // The corner goes where the rubber line showed it: on the grid unless Alt is held.
  machine_.ComputeSnapFlags(input.State);
  TGestureState& state = machine_.State();
  state.AnchorPoint = machine_.MousePoint(TProgramGestureValues::GridSnapActive);
  state.CurrentPoint = machine_.MousePoint(false);
  DrawRubberLine();
}

void TFreeformMode::MouseMove(const TPointerInput& input)
{
  TModeLock lock(machine_.Document());
  machine_.Host().SetHint(QStringLiteral("|Click to add points or drag the mouse to scribble."));
  TGestureState& state = machine_.State();
  if (pressed_ && machine_.ButtonHeld()) {
    if (machine_.AutoScroll(input.Pixel)) {
      machine_.RepaintFully();
      DrawTrail(true);
    }
    // Once the pointer has left the click's wiggle, every move scribbles, also back near
    // where the button went down.
    dragged_ = dragged_ || machine_.DragStarted();
    if (!dragged_) return;
    rubber_.Erase(machine_.Host().Overlay());
    state.CurrentPoint = machine_.MousePoint(false);
    if (AppendPoint(state.CurrentPoint)) DrawTrail(false);
    machine_.Host().OverlayChanged();
  } else if (!input.State.Left && vertexCount_ > 0) {
    machine_.ComputeSnapFlags(input.State);
    state.AnchorPoint = machine_.MousePoint(TProgramGestureValues::GridSnapActive);
    DrawRubberLine();
  }
}

void TFreeformMode::MouseUp(const TPointerInput& input)
{
  if (input.Button != TMouseButton::Left) {
    if (vertexCount_ >= kOpenPoints) {
      TModeLock lock(machine_.Document());
      Finish(false);
    }
    machine_.SetMode(opNone);
    machine_.RepaintFully();
    return;
  }
  if (!pressed_) return;
  pressed_ = false;
  machine_.Host().ConfineCursor(false);
  const TGestureState& state = machine_.State();
  bool close = false;
  if (dragged_ || machine_.DragStarted()) {
    rubber_.Erase(machine_.Host().Overlay());
    machine_.Host().OverlayChanged();
    close = vertexCount_ >= kClosedPoints && NearFirstPoint(lastVertex_);
    if (!close) return;
  } else if (vertexCount_ < kClosedPoints || !NearFirstPoint(state.CurrentPoint)) {
    // A corner where the press showed it.
    if (AppendPoint(state.AnchorPoint)) DrawTrail(vertexCount_ == 1);
    DrawRubberLine();
    return;
  }
  {
    TModeLock lock(machine_.Document());
    const TModelPoint first = newOutline_.front().End();
    AppendPoint(first);
    Finish(true);
  }
  machine_.SetMode(opNone);
  machine_.RepaintFully();
}

void TFreeformMode::Finish(bool closed)
{
  TModelDocument& d = machine_.Document();
  // The free-form cluster command asks for a cluster; everything else draws a free shape.
  const bool cluster = d.CreateKind == okCluster;
  auto* shape = static_cast<TPointed*>(d.CreateObject(cluster ? okCluster : okFreeShape));
  shape->Outline = std::move(newOutline_);
  newOutline_.clear();
  vertexCount_ = 0;
  shape->FitToVertices();
  d.ApplyCurrentAttributes(shape);
  shape->FillStyle = closed ? kFillSolid : kFillClear;
  if (cluster) {
    static_cast<TCluster*>(shape)->ShapeVariant = kCogiVariantFree;
    d.Objects.erase(std::find(d.Objects.begin(), d.Objects.end(), shape));
    d.Objects.insert(d.Objects.begin(), shape);
  } else {
    d.DeselectAll(false);
    d.SelectObject(shape, true);
  }
  shape->Recalculate(&d.Objects, true);
  d.ChangePending = true;
}
