#include "interaction/modes/panmode.h"

#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modemachine.h"

std::optional<int> TPanMode::EntryCursor() const
{
  return crHand;
}

void TPanMode::MouseDown(const TPointerInput&)
{
  machine_.State().AnchorPoint = machine_.MousePoint(false);
  machine_.Host().SetScreenCursor(crHandGrab);
}

void TPanMode::MouseMove(const TPointerInput& input)
{
  machine_.Host().SetHint(QStringLiteral("|Drag the model surface around.  RIGHT click to stop."));
  if (!input.State.Left || !machine_.ButtonHeld()) return;
  // The grabbed model point stays under the pointer.
  const TModelPoint grabbed = machine_.State().AnchorPoint;
  const TModelPoint now = machine_.MousePoint(false);
  machine_.View().PanBy(grabbed.X - now.X, grabbed.Y - now.Y);
  machine_.Host().PaintNow(true);
}

void TPanMode::MouseUp(const TPointerInput& input)
{
  machine_.RepaintFully();
  machine_.Host().SetScreenCursor(crDefault);
  if (input.Button == TMouseButton::Right) machine_.SetMode(opNone);
}
