#include "interaction/gestures/movingmode.h"

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "document/overlay.h"
#include "interaction/cursorid.h"
#include "interaction/gestures/dragwindows.h"
#include "interaction/gestures/selectionmover.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"
#include "platform/streams/streamerror.h"

namespace {

const QString kHint =
    QStringLiteral("|Drag the Selected Objects to a new location or another Model");

void ReportFailure(TModelDocument& document, const EStreamError& error)
{
  if (IDocumentObserver* observer = document.Observer()) observer->ReportError(error.Message());
}

}  // namespace

TMovingMode* TMovingMode::Of(TModeMachine& machine)
{
  return dynamic_cast<TMovingMode*>(machine.Handler(opMoving));
}

void TMovingMode::Enter()
{
  preview_.Forget();
  dragging_ = false;
  dragTarget_ = nullptr;
  lastOver_ = nullptr;
  if (machine_.Host().IsMaximised()) machine_.Host().ConfineCursor(true);
}

void TMovingMode::Leave()
{
  // A move ended from outside (a command, undo) takes its outlines away with it.
  if (dragging_) LeaveTarget();
  dragging_ = false;
  ErasePreview();
}

const TShapeSnapIndex* TMovingMode::ShapeSnaps(bool sameWindow)
{
  const int generation = machine_.Host().Overlay().Generation();
  if (!snaps_ || snapsGeneration_ != generation || snapsSkipSelected_ != sameWindow) {
    // What the last paint showed is what the outlines can snap onto; in its own window the
    // selection moves and is no target.
    snaps_.emplace(machine_.Document().VisibleObjects, sameWindow);
    snapsGeneration_ = generation;
    snapsSkipSelected_ = sameWindow;
  }
  return &*snaps_;
}

void TMovingMode::DrawPreview(TModeMachine& source, TModelPoint p)
{
  const bool same = &source == &machine_;
  const bool shapes = TProgramGestureValues::ShapeSnapActive;
  std::vector<TPendingPlace> places = TSelectionMover::PlacePending(
      source.Document(), p, TProgramGestureValues::GrabOffset,
      TProgramGestureValues::GridSnapActive, shapes ? ShapeSnaps(same) : nullptr);
  const TModelDocument& target = machine_.Document();
  preview_.Draw(machine_.Host().Overlay(),
                [places = std::move(places), &target](TOverlay& overlay) {
                  TSelectionMover::DrawOutlines(places, target, overlay);
                });
  machine_.Host().OverlayChanged();
}

void TMovingMode::ErasePreview()
{
  if (!preview_.Shown(machine_.Host().Overlay())) {
    preview_.Forget();
    return;
  }
  preview_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
}

void TMovingMode::Mark()
{
  const TGestureState& state = machine_.State();
  const std::vector<TPendingPlace> places = TSelectionMover::PlacePending(
      machine_.Document(), state.AnchorPoint, TProgramGestureValues::GrabOffset, false, nullptr);
  TSelectionMover::DrawOutlines(places, machine_.Document(), machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
}

bool TMovingMode::Begin(const TPointerInput& input)
{
  machine_.Host().SetHint(kHint);
  if (machine_.Host().IsMaximised()) {
    machine_.ComputeSnapFlags(input.State);
    DrawPreview(machine_, machine_.State().CurrentPoint);
    return true;
  }
  dragging_ = true;
  DragTo(input, true);
  return true;
}

void TMovingMode::MouseMove(const TPointerInput& input)
{
  if (!input.State.Left || input.State.Right) return;
  IInteractionHost& host = machine_.Host();
  host.SetHint(kHint);
  if (dragging_) {
    DragTo(input, true);
    return;
  }
  TModeLock lock(machine_.Document());
  host.SetScreenCursor(input.State.Ctrl ? crMovePlus : crMove);
  if (machine_.AutoScroll(input.Pixel))
    machine_.RepaintFully();
  else
    ErasePreview();
  machine_.ComputeSnapFlags(input.State);
  TGestureState& state = machine_.State();
  state.CurrentPoint = machine_.MousePoint(TProgramGestureValues::GridSnapActive);
  DrawPreview(machine_, state.CurrentPoint);
}

void TMovingMode::MouseUp(const TPointerInput& input)
{
  if (input.Button != TMouseButton::Left) return;
  if (dragging_) {
    // The release drops where the last preview was; it scrolls nothing more.
    DragTo(input, false);
    const QPointer<TModeMachine> dropped = dragTarget_;
    if (TMovingMode* target = dropped ? Of(*dropped) : nullptr)
      target->ModelPaintBoxDragDrop(machine_, input.State);
    ModelPaintBoxEndDrag();
    // The window that took the objects is the one worked on next; it is activated after
    // this window's end of the drag, whose idle mode takes the focus.
    if (dropped && dropped != &machine_) TDragWindows::Activate(*dropped);
    return;
  }
  ErasePreview();
  Commit(input.State.Ctrl);
  machine_.Host().SetScreenCursor(crDefault);
  machine_.SetMode(opNone);
  machine_.RepaintFully();
}

void TMovingMode::Commit(bool copy)
{
  TModelDocument& document = machine_.Document();
  try {
    // The places of the last preview are where the objects go; nothing is worked out anew.
    if (TSelectionMover::Commit(document, document, copy).TargetChanged)
      document.ChangePending = true;
  } catch (const EStreamError& error) {
    ReportFailure(document, error);
  }
}

void TMovingMode::RefreshOverlay()
{
  if (dragging_) return;
  // The key repainted the window: the preview is drawn anew where the pointer now points.
  preview_.Forget();
  machine_.ComputeSnapFlags(machine_.State().LastInput.State);
  TGestureState& state = machine_.State();
  state.CurrentPoint = machine_.MousePoint(TProgramGestureValues::GridSnapActive);
  DrawPreview(machine_, state.CurrentPoint);
}

bool TMovingMode::Cancel()
{
  // The outlines go wherever they are, and the move ends without a change.
  if (dragging_) LeaveTarget();
  ModelPaintBoxEndDrag();
  return true;
}

void TMovingMode::ObjectDestroyed(const CGPObject*)
{
  // The outlines may show the object; they can no longer be drawn again to erase them, and
  // the paint that follows a deletion wipes them anyway.
  preview_.Forget();
}

// ---- Drag and drop, source side -----------------------------------------------------------

void TMovingMode::DragTo(const TPointerInput& input, bool scroll)
{
  dragKeys_ = input.State;
  const TDropSite site = machine_.Host().DropSiteAt(input.Pixel);
  TMovingMode* target = site.Machine ? Of(*site.Machine) : nullptr;
  // Scrolled before the preview is drawn, so that the outlines show in the scrolled view.
  machine_.RepeatLastMove(scroll && ScrollWhileDragging(input, site));
  if (target) lastOver_ = site.Machine;
  if (site.Machine != dragTarget_.data()) {
    LeaveTarget();
    if (target &&
        target->ModelPaintBoxDragOver(machine_, site.Pixel, TDragState::Enter, input.State))
      dragTarget_ = site.Machine;
  } else if (target) {
    target->ModelPaintBoxDragOver(machine_, site.Pixel, TDragState::Move, input.State);
  }
  if (!dragTarget_) machine_.Host().SetScreenCursor(crNoDrop);
}

bool TMovingMode::ScrollWhileDragging(const TPointerInput& input, const TDropSite& site)
{
  TModeMachine* window = site.Machine ? site.Machine : lastOver_.data();
  TMovingMode* mode = window ? Of(*window) : nullptr;
  if (!mode) return false;
  if (site.Machine) return mode->ScrollDuringDrag(site.Pixel);
  const std::optional<QPoint> beyond = TDragWindows::MapPixel(machine_, input.Pixel, *window);
  return beyond && mode->ScrollDuringDrag(*beyond);
}

bool TMovingMode::ScrollDuringDrag(QPoint pixel)
{
  TModelDocument& document = machine_.Document();
  if (document.Mode == opLocked) return false;
  TModeLock lock(document);
  if (!machine_.ScrollToward(pixel)) return false;
  // The full paint wipes the outlines; the drag-over that follows draws them anew.
  machine_.RepaintFully();
  return true;
}

void TMovingMode::LeaveTarget()
{
  if (TMovingMode* target = dragTarget_ ? Of(*dragTarget_) : nullptr)
    target->ModelPaintBoxDragOver(machine_, {}, TDragState::Leave, dragKeys_);
  dragTarget_ = nullptr;
}

void TMovingMode::ModelPaintBoxEndDrag()
{
  dragging_ = false;
  dragTarget_ = nullptr;
  // Records the move when the drop landed on this window itself.
  machine_.SetMode(opNone);
  machine_.RepaintFully();
}

// ---- Drag and drop, target side -----------------------------------------------------------

bool TMovingMode::ModelPaintBoxDragOver(TModeMachine& source, QPoint pixel, TDragState state,
                                        const TShiftState& keys)
{
  TModelDocument& document = machine_.Document();
  machine_.ComputeSnapFlags(keys);
  const bool same = &source == &machine_;
  source.Host().SetScreenCursor(keys.Ctrl ? crDragPlus : same ? crNone : crDrag);
  if (document.Mode == opLocked) return true;
  TModeLock lock(document);
  if (state == TDragState::Leave) {
    ErasePreview();
    return true;
  }
  const TModelPoint old = dropPoint_;
  const TModelView view = machine_.View();
  dropPoint_ = {view.ModelXAt(pixel.x()), view.ModelYAt(pixel.y())};
  // Alt lets the objects move freely here as it does within a window.
  if (TProgramGestureValues::GridSnapActive && document.SnapToGrid)
    dropPoint_ = TModeMachine::GridPoint(dropPoint_);
  const bool grid = TProgramGestureValues::GridSnapActive;
  const bool shapes = TProgramGestureValues::ShapeSnapActive;
  if (state == TDragState::Move && dropPoint_ == old && grid == dropGrid_ &&
      shapes == dropShapes_ && preview_.Shown(machine_.Host().Overlay()))
    return true;
  ErasePreview();
  dropGrid_ = grid;
  dropShapes_ = shapes;
  DrawPreview(source, dropPoint_);
  return true;
}

void TMovingMode::ModelPaintBoxDragDrop(TModeMachine& source, const TShiftState& keys)
{
  ErasePreview();
  TModelDocument& target = machine_.Document();
  TModelDocument& from = source.Document();
  TMoveOutcome outcome;
  try {
    outcome = TSelectionMover::Commit(from, target, keys.Ctrl);
  } catch (const EStreamError& error) {
    ReportFailure(target, error);
    return;
  }
  if (&source == &machine_) {
    // Recorded once, as a move, when the drag ends.
    if (outcome.TargetChanged) target.ChangePending = true;
  } else {
    // One entry in each model the drop changed, and none in a source it only copied from.
    if (outcome.SourceChanged) {
      from.ChangePending = true;
      from.RecordUndo(QStringLiteral("Remove Cogis"));
    }
    if (outcome.TargetChanged) {
      target.ChangePending = true;
      target.RecordUndo(QStringLiteral("Add Cogis"));
    }
  }
  machine_.RepaintFully();
}
