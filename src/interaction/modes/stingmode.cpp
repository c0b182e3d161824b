#include "interaction/modes/stingmode.h"

#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/interactionpreferences.h"
#include "interaction/modemachine.h"

std::optional<int> TStingMode::EntryCursor() const
{
  return machine_.Host().Preferences().BeeCursors ? crStinger : crDelete;
}

void TStingMode::MouseDown(const TPointerInput& input)
{
  TGestureState& state = machine_.State();
  state.AnchorPoint = machine_.MousePoint(false);
  state.ActiveObject = machine_.HitTest(input.Pixel);
  if (!state.ActiveObject) return;
  machine_.Document().StingObject(state.ActiveObject);
  machine_.RepaintFully();
}

void TStingMode::MouseUp(const TPointerInput& input)
{
  if (input.Button == TMouseButton::Right)
    machine_.SetMode(opNone);
  else
    machine_.Host().SetScreenCursor(crDefault);
}
