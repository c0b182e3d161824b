#include "interaction/creation/draggedboxmode.h"

#include <cmath>

#include "document/overlay.h"
#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"
#include "interaction/textediting.h"
#include "model/shapes/label.h"

std::optional<int> TDraggedBoxMode::EntryCursor() const
{
  return label_ ? crCreateLabel : crCreateHotspot;
}

QString TDraggedBoxMode::UndoCaption() const
{
  return label_ ? QStringLiteral("Create Label") : QStringLiteral("Create Shapes");
}

void TDraggedBoxMode::Enter()
{
  box_.Forget();
  pressed_ = false;
}

void TDraggedBoxMode::Leave()
{
  box_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
  pressed_ = false;
}

void TDraggedBoxMode::DrawBox()
{
  const TModelView view = machine_.View();
  const TGestureState& state = machine_.State();
  const QPoint a(view.ScreenX(state.AnchorPoint.X), view.ScreenY(state.AnchorPoint.Y));
  const QPoint b(view.ScreenX(state.CurrentPoint.X), view.ScreenY(state.CurrentPoint.Y));
  box_.Draw(machine_.Host().Overlay(), [a, b](TOverlay& overlay) { overlay.RubberBox(a, b); });
  machine_.Host().OverlayChanged();
}

void TDraggedBoxMode::MouseDown(const TPointerInput&)
{
  machine_.Host().ConfineCursor(true);
  TGestureState& state = machine_.State();
  state.AnchorPoint = state.CurrentPoint = machine_.MousePoint(false);
  pressed_ = true;
  box_.Forget();
  DrawBox();
}

void TDraggedBoxMode::MouseMove(const TPointerInput& input)
{
  machine_.Host().SetHint(QStringLiteral("|Drag a box to create the object."));
  if (!pressed_ || !machine_.ButtonHeld()) return;
  TModeLock lock(machine_.Document());
  if (machine_.AutoScroll(input.Pixel)) machine_.RepaintFully();
  box_.Erase(machine_.Host().Overlay());
  machine_.ComputeSnapFlags(input.State);
  machine_.State().CurrentPoint = machine_.MousePoint(TProgramGestureValues::GridSnapActive);
  DrawBox();
}

void TDraggedBoxMode::MouseUp(const TPointerInput& input)
{
  if (input.Button != TMouseButton::Left) {
    machine_.SetMode(opNone);
    return;
  }
  // Between drags the pointer is free to leave the window.
  machine_.Host().ConfineCursor(false);
  box_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
  const bool pressed = pressed_;
  pressed_ = false;
  const TGestureState& state = machine_.State();
  // A box without width or without height makes nothing.
  if (!pressed || state.AnchorPoint.X == state.CurrentPoint.X ||
      state.AnchorPoint.Y == state.CurrentPoint.Y)
    return;
  if (label_)
    CreateLabel();
  else
    CreateHotspot();
}

void TDraggedBoxMode::CreateLabel()
{
  TModelDocument& d = machine_.Document();
  TGestureState& state = machine_.State();
  {
    TModeLock lock(d);
    auto* label = static_cast<TLabel*>(d.CreateObject(okLabel));
    label->X = (state.AnchorPoint.X + state.CurrentPoint.X) / 2.0;
    label->Y = (state.AnchorPoint.Y + state.CurrentPoint.Y) / 2.0;
    // A new label's text box is the whole label, so the label is the dragged box.
    label->Width = std::fabs(state.AnchorPoint.X - state.CurrentPoint.X) / label->TextWidth;
    label->Height = std::fabs(state.AnchorPoint.Y - state.CurrentPoint.Y) / label->TextHeight;
    d.ApplyCurrentAttributes(label);
    // Refreshed like every new object: anchors for arrows and membership of a cluster.
    label->Recalculate(&d.Objects, true);
    d.ChangePending = true;
    state.ActiveObject = nullptr;
    // Text editing starts on the new label where the window has editors; the mode of text
    // editing then holds it. Without them the tool ends here.
    if (ITextEditing* editing = machine_.Host().TextEditing()) editing->Open(label);
  }
  machine_.SetMode(machine_.Host().TextEditing() ? opEditText : opNone);
  machine_.RepaintFully();
}

void TDraggedBoxMode::CreateHotspot()
{
  TModelDocument& d = machine_.Document();
  const TGestureState& state = machine_.State();
  TModeLock lock(d);
  CGPObject* hotspot = d.CreateObject(okHotspot);
  hotspot->X = (state.AnchorPoint.X + state.CurrentPoint.X) / 2.0;
  hotspot->Y = (state.AnchorPoint.Y + state.CurrentPoint.Y) / 2.0;
  hotspot->Width = std::fabs(state.AnchorPoint.X - state.CurrentPoint.X);
  hotspot->Height = std::fabs(state.AnchorPoint.Y - state.CurrentPoint.Y);
  // Hotspots take none of the current attributes.
  hotspot->Recalculate(&d.Objects, true);
  d.ChangePending = true;
  machine_.RepaintFully();
}
