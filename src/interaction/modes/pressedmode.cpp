#include "interaction/modes/pressedmode.h"

#include "interaction/interactionhost.h"
#include "interaction/modemachine.h"

void TPressedMode::MouseMove(const TPointerInput& input)
{
  TGestureState& state = machine_.State();
  state.CurrentPoint = machine_.MousePoint(false);
  if (!machine_.DragStarted()) return;
  TModeHandler* moving = machine_.Handler(opMoving);
  if (state.ActiveObject && state.ActiveObject->Selected && moving) {
    machine_.SetMode(opMoving);
    moving->Begin(input);
    return;
  }
  machine_.Host().SetHint(QStringLiteral("|Drag a Rectangle around the Objects to be selected"));
  if (TModeHandler* band = machine_.Handler(opSelectBox); band && band->Begin(input))
    machine_.SetMode(opSelectBox);
}

void TPressedMode::MouseUp(const TPointerInput&)
{
  machine_.SetMode(opNone);
  // A click without a drag changed only the selection.
  machine_.Host().PaintSelection();
}
