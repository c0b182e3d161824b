#include "interaction/gestures/resizingmode.h"

#include "document/modeldocument.h"
#include "document/overlay.h"
#include "interaction/gestures/selectionresizer.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"

void TResizingMode::Enter()
{
  machine_.Host().ConfineCursor(true);
}

void TResizingMode::Leave()
{
  ErasePreview();
  grabbed_ = nullptr;
}

bool TResizingMode::Begin(const TPointerInput&)
{
  TGestureState& state = machine_.State();
  if (!state.ActiveObject || state.HitHandle < 1 || state.HitHandle > 8) return false;
  grabbed_ = state.ActiveObject;
  handle_ = state.HitHandle;
  state.CurrentPoint = machine_.MousePoint(false);
  preview_.Forget();
  DrawPreview();
  return true;
}

void TResizingMode::DrawPreview()
{
  if (!grabbed_) return;
  const TModelDocument& document = machine_.Document();
  std::vector<TResizedBox> boxes =
      TSelectionResizer::ResizedBoxes(document, *grabbed_, handle_, machine_.State().CurrentPoint);
  preview_.Draw(machine_.Host().Overlay(),
                [boxes = std::move(boxes), &document](TOverlay& overlay) {
                  TSelectionResizer::DrawBoxes(boxes, document, overlay);
                });
  machine_.Host().OverlayChanged();
}

void TResizingMode::ErasePreview()
{
  preview_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
}

void TResizingMode::MouseMove(const TPointerInput& input)
{
  if (!input.State.Left) return;
  TModeLock lock(machine_.Document());
  if (machine_.AutoScroll(input.Pixel))
    machine_.RepaintFully();
  else
    ErasePreview();
  machine_.ComputeSnapFlags(input.State);
  machine_.State().CurrentPoint = machine_.MousePoint(TProgramGestureValues::GridSnapActive);
  DrawPreview();
}

void TResizingMode::MouseUp(const TPointerInput&)
{
  ErasePreview();
  TModelDocument& document = machine_.Document();
  // A click on a handle without a drag leaves the size alone: the pointer is never exactly
  // on the handle's corner, and the click would resize by a fraction of a pixel.
  if (grabbed_ && machine_.DragStarted() &&
      TSelectionResizer::ResizeSelection(document, *grabbed_, handle_,
                                         machine_.State().CurrentPoint))
    document.ChangePending = true;
  machine_.SetMode(opNone);
  machine_.RepaintFully();
}

bool TResizingMode::Cancel()
{
  // Leaving the mode erases the outlines; nothing was committed, so nothing is recorded.
  machine_.SetMode(opNone);
  machine_.RepaintFully();
  return true;
}

void TResizingMode::ObjectDestroyed(const CGPObject* object)
{
  if (object == grabbed_) grabbed_ = nullptr;
  preview_.Forget();
}
