#include "interaction/modes/rubberboxmode.h"

#include <algorithm>

#include "document/overlay.h"
#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"

std::optional<int> TRubberBoxMode::EntryCursor() const
{
  if (zoom_) return crZoomIn;
  return std::nullopt;
}

void TRubberBoxMode::Enter()
{
  // The band's first box was drawn by Begin, just before the switch into this mode.
  if (!zoom_) machine_.Host().ConfineCursor(true);
}

void TRubberBoxMode::DrawBox()
{
  const TModelView view = machine_.View();
  const TGestureState& state = machine_.State();
  const QPoint a(view.ScreenX(state.AnchorPoint.X), view.ScreenY(state.AnchorPoint.Y));
  const QPoint b(view.ScreenX(state.CurrentPoint.X), view.ScreenY(state.CurrentPoint.Y));
  box_.Draw(machine_.Host().Overlay(), [a, b](TOverlay& overlay) { overlay.RubberBox(a, b); });
  machine_.Host().OverlayChanged();
}

bool TRubberBoxMode::Begin(const TPointerInput&)
{
  box_.Forget();
  DrawBox();
  return true;
}

void TRubberBoxMode::MouseDown(const TPointerInput&)
{
  box_.Forget();
  TGestureState& state = machine_.State();
  state.CurrentPoint = state.AnchorPoint = machine_.MousePoint(false);
  DrawBox();
}

void TRubberBoxMode::MouseMove(const TPointerInput& input)
{
  if (!input.State.Left || input.State.Right) return;
  machine_.Host().SetHint(zoom_ ? QStringLiteral("|Drag a box to reflect the new zoom.")
                                : QStringLiteral("|Drag a box around the objects to be selected."));
  TModeLock lock(machine_.Document());
  TGestureState& state = machine_.State();
  if (machine_.AutoScroll(input.Pixel)) {
    machine_.RepaintFully();
    DrawBox();
  }
  const TModelPoint old = state.CurrentPoint;
  state.CurrentPoint = machine_.MousePoint(false);
  if (old.X == state.CurrentPoint.X && old.Y == state.CurrentPoint.Y &&
      box_.Shown(machine_.Host().Overlay()))
    return;
  box_.Erase(machine_.Host().Overlay());
  DrawBox();
}

void TRubberBoxMode::MouseUp(const TPointerInput& input)
{
  if (input.Button != TMouseButton::Left) {
    machine_.SetMode(opNone);
    return;
  }
  box_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
  const TGestureState& state = machine_.State();
  const TModelPoint a = state.AnchorPoint;
  const TModelPoint b = state.CurrentPoint;
  if (!zoom_) {
    machine_.RubberBandSelect(a, b);
  } else if (a.X != b.X && a.Y != b.Y) {
    TModelView view = machine_.View();
    view.PushView();
    view.AnimateZoomTo(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X),
                       std::max(a.Y, b.Y), machine_.Host().AsyncInput());
    machine_.RepaintFully();
  }
  machine_.SetMode(opNone);
}
