#include "interaction/modes/idlemode.h"

#include <QFileInfo>

#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/interactionpreferences.h"
#include "interaction/modemachine.h"
#include "model/layers/gateway.h"

namespace {

const QString kHandleHint =
    QStringLiteral("|Drag the Selection Handle to a new location.  Use ALT to override Gridlock.");
const QString kObjectHint = QStringLiteral(
    "|Click this Object to select it.  Use SHIFT to add/remove from existing "
    "selection.  Double click to Edit Text/Notes.");
const QString kSurfaceHint =
    QStringLiteral("|Click objects to select them, or drag a box around objects to be selected.");

// Where a gateway leads, as its hint names it.
QString GatewayTarget(const TGateway& gateway)
{
  if (!gateway.Link.isEmpty()) return gateway.Link;
  if (gateway.LinkedModel) return QFileInfo(gateway.LinkedModel->FileName).completeBaseName();
  return {};
}

}  // namespace

std::optional<int> TIdleMode::EntryCursor() const
{
  const int idle = machine_.Document().IdleCursor;
  return idle != 0 ? idle : crArrow;
}

void TIdleMode::Enter()
{
  machine_.Host().SetPaletteTextTarget(false);
  machine_.Host().TakeFocus();
}

void TIdleMode::MouseDown(const TPointerInput& input)
{
  if (machine_.OverHandle(input.Pixel))
    machine_.HandleGrab(input);
  else
    machine_.SelectClick(input);
}

void TIdleMode::HoverHandle(QPoint pixel)
{
  IInteractionHost& host = machine_.Host();
  host.SetHint(kHandleHint);
  host.SetScreenCursor(crDefault);
  if (const THandleHit hit = machine_.HandleHitTest(pixel); hit.Object)
    host.SetWindowCursor(hit.Cursor);
}

void TIdleMode::HoverObject(const TPointerInput& input)
{
  IInteractionHost& host = machine_.Host();
  CGPObject* object = machine_.HitTest(input.Pixel);
  if (!object) {
    host.SetScreenCursor(crDefault);
    host.SetWindowCursor(*EntryCursor());
    host.SetHint(kSurfaceHint);
    return;
  }
  const auto* gateway = dynamic_cast<const TGateway*>(object);
  if (gateway && gateway->HasGateway()) {
    host.SetWindowCursor(crGateway);
    host.SetHint(QStringLiteral("|Double Click to go through Gateway to ") +
                 GatewayTarget(*gateway));
    return;
  }
  host.SetScreenCursor(crDefault);
  host.SetWindowCursor(input.State.Ctrl ? crMovePlus : crMove);
  host.SetHint(kObjectHint);
}

void TIdleMode::MouseMove(const TPointerInput& input)
{
  if (input.State.Left) return;
  IInteractionHost& host = machine_.Host();
  if (machine_.OverHandle(input.Pixel)) {
    HoverHandle(input.Pixel);
  } else if (machine_.OverObject(input.Pixel)) {
    HoverObject(input);
  } else {
    host.SetScreenCursor(crDefault);
    host.SetWindowCursor(*EntryCursor());
    host.SetHint(kSurfaceHint);
  }
  host.UpdateMagnifier(machine_.MousePoint(false));
}

void TIdleMode::MouseUp(const TPointerInput& input)
{
  if (input.Button == TMouseButton::Right && machine_.Host().Preferences().PopupMenus)
    ShowContextMenu(input.Pixel);
}

void TIdleMode::ShowContextMenu(QPoint pixel)
{
  TModelDocument& document = machine_.Document();
  document.ContextObject = machine_.HitTest(pixel);
  if (CGPObject* object = document.ContextObject; object && !object->Selected) {
    document.DeselectAll(false);
    document.SelectObject(object, true);
    machine_.Host().PaintSelection();
  }
  document.NotifyControls();
  machine_.Host().ShowModelMenu(pixel, document.ContextObject);
}
