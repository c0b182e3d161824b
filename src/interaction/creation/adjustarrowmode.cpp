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
  const TModelPoint from = working_.FromPoint;
  const TModelPoint to = working_.ToPoint;
  const double bend = working_.Bend;
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
  CGPObject* other = start ? working_.ToObject : working_.FromObject;
  // Both ends on one object: the dragged end stays free, refused before it is placed.
  if (target.Object && target.Object == other) target = TArrowTarget{};
  host.SetScreenCursor(target.Cursor);
  cursor_ = target.Cursor;
  if (!target.Object) target.Point = machine_.MousePoint(snap);
  if (start) {
    working_.FromObject = target.Object;
    working_.FromAnchor = target.Anchor;
    working_.FromPoint = target.Point;
  } else {
    working_.ToObject = target.Object;
    working_.ToAnchor = target.Anchor;
    working_.ToPoint = target.Point;
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
      working_.Bend = working_.BendThrough(state.CurrentPoint);
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
  if (working_.FromPoint.X == working_.ToPoint.X && working_.FromPoint.Y == working_.ToPoint.Y)
    return;
  arrow_->FromX = working_.FromPoint.X;
  arrow_->FromY = working_.FromPoint.Y;
  arrow_->ToX = working_.ToPoint.X;
  arrow_->ToY = working_.ToPoint.Y;
  arrow_->ChordHeight = working_.Bend;
  if (handle_ == kStartHandle)
    TArrow::AttachArrowEnd(working_.FromObject, arrow_, working_.FromAnchor, TArrowEnd::Start);
  else if (handle_ == kEndHandle)
    TArrow::AttachArrowEnd(working_.ToObject, arrow_, working_.ToAnchor, TArrowEnd::Finish);
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
