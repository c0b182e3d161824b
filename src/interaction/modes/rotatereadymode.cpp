#include "interaction/modes/rotatereadymode.h"

#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modemachine.h"
#include "interaction/modes/idlemode.h"
#include "model/layers/angled.h"

namespace {

bool CanTurn(const CGPObject* object)
{
  return dynamic_cast<const TAngled*>(object) != nullptr;
}

}  // namespace

std::optional<int> TRotateReadyMode::EntryCursor() const
{
  return crRotateAnimated;
}

void TRotateReadyMode::Enter()
{
  machine_.State().RotateCentre = machine_.SelectionCentre();
}

void TRotateReadyMode::MouseDown(const TPointerInput& input)
{
  if (!machine_.OverHandle(input.Pixel)) {
    machine_.SelectClick(input);
    return;
  }
  const THandleHit hit = machine_.HandleHitTest(input.Pixel);
  if (!hit.Object) {
    machine_.SelectClick(input);
    return;
  }
  // The handles of objects that cannot turn do nothing here: they are drawn as round
  // marks, and resizing through them would surprise.
  if (!CanTurn(hit.Object)) return;
  TGestureState& state = machine_.State();
  state.ActiveObject = hit.Object;
  state.HitHandle = hit.Handle;
  if (TModeHandler* rotating = machine_.Handler(opRotating))
    if (rotating->Begin(input)) machine_.Document().Mode = opRotating;
}

void TRotateReadyMode::MouseMove(const TPointerInput& input)
{
  IInteractionHost& host = machine_.Host();
  host.SetHint(QStringLiteral("|Drag a Handle to rotate the selected objects."));
  if (!machine_.OverHandle(input.Pixel)) {
    host.SetWindowCursor(crRotateAnimated);
    return;
  }
  const THandleHit hit = machine_.HandleHitTest(input.Pixel);
  if (hit.Object && CanTurn(hit.Object)) {
    host.SetWindowCursor(crRotate);
  } else if (auto* idle = dynamic_cast<TIdleMode*>(machine_.Handler(opNone))) {
    idle->HoverHandle(input.Pixel);
  }
}
