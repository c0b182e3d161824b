#include "interaction/creation/adjustarrowmode.h"

#include "document/overlay.h"
#include "interaction/creation/arrowhint.h"
#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"
#include "model/arrow.h"

void TAdjustArrowMode::Leave()
{
  IInteractionHost& host = machine_.Host();
  marks_.Hide(host);
  preview_.Erase(host.Overlay());
  host.OverlayChanged();
  working_.Reset();
  arrow_ = nullptr;
}

void TAdjustArrowMode::DrawPreview()
{
  const TModelDocument& d = machine_.Document();
  const TModelPoint from = working_.ArrowFromPoint;
  const TModelPoint to = working_.ArrowToPoint;
  const double bend = working_.ArrowBend;
  preview_.Draw(machine_.Host().Overlay(),
                [&d, from, to, bend](TOverlay& overlay) { overlay.ArrowPath(d, from, to, bend); });
  machine_.Host().OverlayChanged();
}

bool TAdjustArrowMode::Begin(const TPointerInput& input)
{
  TGestureState& state = machine_.State();
  arrow_ = dynamic_cast<TArrow*>(state.ActiveObject);
  handle_ = state.HitHandle;
  if (!arrow_ || handle_ < kStartHandle || handle_ > kEndHandle) {
    arrow_ = nullptr;
    return false;
  }
  machine_.Host().ConfineCursor(true);
  working_.CopyFrom(*arrow_);
  preview_.Forget();
  {
    TModeLock lock(machine_.Document());
    Track(input, true);
    DrawPreview();
  }
  machine_.Document().Mode = opAdjustArrow;
  return true;
}

void TAdjustArrowMode::TrackEnd(bool start, bool snap)
{
  IInteractionHost& host = machine_.Host();
  TArrowTarget target =
      TArrowWorking::FindArrowTarget(machine_.Document(), arrow_, machine_.MousePoint(false));
  CGPObject* other = start ? working_.ArrowToObject : working_.ArrowFromObject;
  // Both ends on one object: the dragged end stays free, refused before it is placed.
  if (target.Object && target.Object == other) target = TArrowTarget{};
  host.SetScreenCursor(target.Cursor);
  cursor_ = target.Cursor;
  if (!target.Object) target.Point = machine_.MousePoint(snap);
  if (start) {
    working_.ArrowFromObject = target.Object;
    working_.ArrowFromAnchor = target.Anchor;
    working_.ArrowFromPoint = target.Point;
  } else {
    working_.ArrowToObject = target.Object;
    working_.ArrowToAnchor = target.Anchor;
    working_.ArrowToPoint = target.Point;
  }
  working_.PlaceWorkingEnds();
  marks_.Show(host, machine_.Document(), target.Object);
}

void TAdjustArrowMode::Track(const TPointerInput& input, bool first)
{
  if (!first) machine_.ComputeSnapFlags(input.State);
  const bool grid = !first && TProgramGestureValues::GridSnapActive;
  switch (handle_) {
    case kStartHandle:
    case kEndHandle:
      TrackEnd(handle_ == kStartHandle, grid);
      break;
    case kBendHandle: {
      // The bend point keeps off the grid unless Alt asks for it.
      TGestureState& state = machine_.State();
      state.CurrentPoint = machine_.MousePoint(!first && !TProgramGestureValues::GridSnapActive);
      working_.ArrowBend = working_.BendThrough(state.CurrentPoint);
      break;
    }
    default:
      break;
  }
}

void TAdjustArrowMode::MouseMove(const TPointerInput& input)
{
  if (!arrow_) return;
  TModeLock lock(machine_.Document());
  IInteractionHost& host = machine_.Host();
  marks_.Hide(host);
  preview_.Erase(host.Overlay());
  if (machine_.AutoScroll(input.Pixel)) machine_.RepaintFully();
  Track(input, false);
  host.SetHint(ArrowEndHint(handle_ == kBendHandle ? crBendArrow : cursor_,
                            QStringLiteral("|Drag the handle to adjust the arrow.")));
  DrawPreview();
}

void TAdjustArrowMode::Commit()
{
  TModelDocument& d = machine_.Document();
  // An arrow of no length is refused when drawn; adjusting keeps the arrow as it was.
  if (working_.ArrowFromPoint.X == working_.ArrowToPoint.X &&
      working_.ArrowFromPoint.Y == working_.ArrowToPoint.Y)
    return;
  arrow_->FromX = working_.ArrowFromPoint.X;
  arrow_->FromY = working_.ArrowFromPoint.Y;
  arrow_->ToX = working_.ArrowToPoint.X;
  arrow_->ToY = working_.ArrowToPoint.Y;
  arrow_->ChordHeight = working_.ArrowBend;
  if (handle_ == kStartHandle)
    TArrow::AttachArrowEnd(working_.ArrowFromObject, arrow_, working_.ArrowFromAnchor,
                           TArrowEnd::Start);
  else if (handle_ == kEndHandle)
    TArrow::AttachArrowEnd(working_.ArrowToObject, arrow_, working_.ArrowToAnchor,
                           TArrowEnd::Finish);
  arrow_->Recalculate(&d.Objects, true);
  d.ChangePending = true;
}

void TAdjustArrowMode::MouseUp(const TPointerInput&)
{
  IInteractionHost& host = machine_.Host();
  {
    TModeLock lock(machine_.Document());
    host.ConfineCursor(false);
    marks_.Hide(host);
    preview_.Erase(host.Overlay());
    host.OverlayChanged();
    if (arrow_) Commit();
    machine_.RepaintFully();
    host.SetScreenCursor(crDefault);
  }
  machine_.SetMode(opNone);
}

void TAdjustArrowMode::RefreshOverlay()
{
  preview_.Forget();
  MouseMove(machine_.State().LastInput);
}

void TAdjustArrowMode::ObjectDestroyed(const CGPObject* object)
{
  marks_.ObjectDestroyed(machine_.Host(), object);
  working_.Forget(object);
  if (object == arrow_) arrow_ = nullptr;
}
