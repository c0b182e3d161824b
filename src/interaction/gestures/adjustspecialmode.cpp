#include "interaction/gestures/adjustspecialmode.h"

#include "document/modeldocument.h"
#include "document/overlay.h"
#include "interaction/gestures/specialadjuster.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"
#include "model/cluster.h"

void TAdjustSpecialMode::Enter()
{
  machine_.Host().ConfineCursor(true);
}

void TAdjustSpecialMode::Leave()
{
  ErasePreview();
  object_ = nullptr;
}

bool TAdjustSpecialMode::IsCluster() const
{
  return dynamic_cast<const TCluster*>(object_) != nullptr;
}

bool TAdjustSpecialMode::Begin(const TPointerInput&)
{
  CGPObject* object = machine_.State().ActiveObject;
  if (!object || !TSpecialAdjuster::HasSpecial(*object)) return false;
  object_ = object;
  // A callout's tip lands on the grid; a cluster's text box does not.
  machine_.State().CurrentPoint = machine_.MousePoint(!IsCluster());
  preview_.Forget();
  DrawPreview();
  return true;
}

void TAdjustSpecialMode::DrawPreview()
{
  if (!object_) return;
  const TModelDocument& document = machine_.Document();
  CGPObject* object = object_;
  const TModelPoint p = machine_.State().CurrentPoint;
  preview_.Draw(machine_.Host().Overlay(), [object, p, &document](TOverlay& overlay) {
    TSpecialAdjuster::DrawPreview(*object, p, document, overlay);
  });
  machine_.Host().OverlayChanged();
}

void TAdjustSpecialMode::ErasePreview()
{
  preview_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
}

void TAdjustSpecialMode::MouseMove(const TPointerInput& input)
{
  if (!input.State.Left) return;
  TModelDocument& document = machine_.Document();
  TModeLock lock(document);
  if (machine_.AutoScroll(input.Pixel))
    machine_.RepaintFully();
  else
    ErasePreview();
  TProgramGestureValues::GridSnapActive = input.State.Alt != document.SnapToGrid;
  // Alt works the other way round for a cluster's text box: it snaps only while Alt is held.
  machine_.State().CurrentPoint =
      machine_.MousePoint(IsCluster() != TProgramGestureValues::GridSnapActive);
  DrawPreview();
}

void TAdjustSpecialMode::MouseUp(const TPointerInput&)
{
  ErasePreview();
  TModelDocument& document = machine_.Document();
  if (object_ && machine_.DragStarted() &&
      TSpecialAdjuster::AdjustSpecial(document, *object_, machine_.State().CurrentPoint))
    document.ChangePending = true;
  machine_.SetMode(opNone);
  machine_.RepaintFully();
}

bool TAdjustSpecialMode::Cancel()
{
  // Leaving the mode erases the outlines; nothing was committed, so nothing is recorded.
  machine_.SetMode(opNone);
  machine_.RepaintFully();
  return true;
}

void TAdjustSpecialMode::ObjectDestroyed(const CGPObject* object)
{
  if (object == object_) object_ = nullptr;
  preview_.Forget();
}
