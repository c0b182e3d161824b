#include "interaction/creation/createarrowsmode.h"

#include "document/overlay.h"
#include "interaction/creation/arrowhint.h"
#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"
#include "model/arrow.h"

namespace {

const QString kDrawHint = QStringLiteral("|Drag a line to create an arrow.  RIGHT click to stop.");

}  // namespace

std::optional<int> TCreateArrowsMode::EntryCursor() const
{
  return crDrawArrow;
}

void TCreateArrowsMode::Enter()
{
  working_.Reset();
  line_.Forget();
  dragging_ = false;
}

void TCreateArrowsMode::Leave()
{
  IInteractionHost& host = machine_.Host();
  marks_.Hide(host);
  line_.Erase(host.Overlay());
  host.OverlayChanged();
  working_.Reset();
  dragging_ = false;
}

void TCreateArrowsMode::DrawLine()
{
  const TModelDocument& d = machine_.Document();
  const TModelPoint a = working_.ArrowFromPoint;
  const TModelPoint b = working_.ArrowToPoint;
  line_.Draw(machine_.Host().Overlay(),
             [&d, a, b](TOverlay& overlay) { overlay.RubberLine(d, a, b); });
  machine_.Host().OverlayChanged();
}

void TCreateArrowsMode::FindStart(const TPointerInput& input)
{
  IInteractionHost& host = machine_.Host();
  marks_.Hide(host);
  const TArrowTarget start =
      TArrowWorking::FindArrowTarget(machine_.Document(), nullptr, machine_.MousePoint(false));
  working_.ArrowFromObject = start.Object;
  working_.ArrowFromAnchor = start.Anchor;
  working_.ArrowFromPoint = start.Point;
  host.SetWindowCursor(start.Cursor);
  host.SetHint(ArrowEndHint(start.Cursor, kDrawHint));
  machine_.ComputeSnapFlags(input.State);
  if (working_.ArrowFromObject)
    marks_.Show(host, machine_.Document(), working_.ArrowFromObject);
  else
    working_.ArrowFromPoint = machine_.MousePoint(TProgramGestureValues::GridSnapActive);
}

void TCreateArrowsMode::FindEnd(const TPointerInput& input)
{
  IInteractionHost& host = machine_.Host();
  TArrowTarget end =
      TArrowWorking::FindArrowTarget(machine_.Document(), nullptr, machine_.MousePoint(false));
  // Both ends on one object make no arrow: the dragged end stays free, refused before it is
  // placed so that it keeps no anchor of that object.
  if (end.Object && end.Object == working_.ArrowFromObject) end = TArrowTarget{};
  working_.ArrowToObject = end.Object;
  working_.ArrowToAnchor = end.Anchor;
  working_.ArrowToPoint = end.Point;
  host.SetScreenCursor(end.Cursor);
  host.SetHint(ArrowEndHint(end.Cursor, kDrawHint));
  machine_.ComputeSnapFlags(input.State);
  if (!working_.ArrowToObject)
    working_.ArrowToPoint = machine_.MousePoint(TProgramGestureValues::GridSnapActive);
  working_.ArrowBend = 0.0;
  working_.PlaceWorkingEnds();
  marks_.Show(host, machine_.Document(), working_.ArrowToObject);
  DrawLine();
}

void TCreateArrowsMode::MouseDown(const TPointerInput& input)
{
  machine_.Host().ConfineCursor(true);
  dragging_ = true;
  dragged_ = false;
  TModeLock lock(machine_.Document());
  // The start is found where the button went down, whatever the last hover saw.
  FindStart(input);
  marks_.Hide(machine_.Host());
  line_.Forget();
  FindEnd(input);
}

void TCreateArrowsMode::MouseMove(const TPointerInput& input)
{
  TModeLock lock(machine_.Document());
  if (!dragging_) {
    if (!input.State.Left) FindStart(input);
    return;
  }
  IInteractionHost& host = machine_.Host();
  dragged_ = dragged_ || machine_.DragStarted();
  marks_.Hide(host);
  line_.Erase(host.Overlay());
  if (machine_.AutoScroll(input.Pixel)) machine_.RepaintFully();
  FindEnd(input);
}

void TCreateArrowsMode::MouseUp(const TPointerInput& input)
{
  IInteractionHost& host = machine_.Host();
  if (input.Button != TMouseButton::Left) {
    marks_.Hide(host);
    machine_.SetMode(opNone);
    return;
  }
  TModeLock lock(machine_.Document());
  host.ConfineCursor(false);
  marks_.Hide(host);
  line_.Erase(host.Overlay());
  host.OverlayChanged();
  const bool dragged = dragging_ && (dragged_ || machine_.DragStarted());
  dragging_ = false;
  // A click is no line, and a line needs length.
  if (dragged && (working_.ArrowFromPoint.X != working_.ArrowToPoint.X ||
                  working_.ArrowFromPoint.Y != working_.ArrowToPoint.Y)) {
    CreateArrow();
    machine_.RepaintFully();
  }
  // Where the button came up the next arrow may start.
  host.SetScreenCursor(crDefault);
  FindStart(input);
  working_.ArrowToObject = nullptr;
  working_.ArrowToAnchor = -1;
}

void TCreateArrowsMode::CreateArrow()
{
  TModelDocument& d = machine_.Document();
  auto* arrow = static_cast<TArrow*>(d.CreateObject(okArrow));
  arrow->FromX = working_.ArrowFromPoint.X;
  arrow->FromY = working_.ArrowFromPoint.Y;
  arrow->ToX = working_.ArrowToPoint.X;
  arrow->ToY = working_.ArrowToPoint.Y;
  arrow->ChordHeight = 0.0;
  // The tool's three style bytes: the head at the end, the middle marker, the head at the start.
  arrow->ToHead = d.NewArrowStyle;
  arrow->MidMarker = d.NewArrowA;
  arrow->FromHead = d.NewArrowB;
  d.ApplyCurrentAttributes(arrow);
  TArrow::AttachArrowEnd(working_.ArrowFromObject, arrow, working_.ArrowFromAnchor,
                         TArrowEnd::Start);
  TArrow::AttachArrowEnd(working_.ArrowToObject, arrow, working_.ArrowToAnchor, TArrowEnd::Finish);
  arrow->Recalculate(&d.Objects, true);
  d.ChangePending = true;
}

void TCreateArrowsMode::RefreshOverlay()
{
  // The view moved: the marks and the line are worked out again as on a move.
  line_.Forget();
  MouseMove(machine_.State().LastInput);
}

void TCreateArrowsMode::ObjectDestroyed(const CGPObject* object)
{
  marks_.ObjectDestroyed(machine_.Host(), object);
  working_.Forget(object);
}
