#include "interaction/modes/renumbermode.h"

#include <limits>

#include "document/documentobserver.h"
#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"

std::optional<int> TRenumberMode::EntryCursor() const
{
  return crRenumber;
}

void TRenumberMode::Enter()
{
  exhausted_ = false;
  IInteractionHost& host = machine_.Host();
  host.SetRenumberCursor(machine_.Document().NextRenumber);
  host.CentreCursor();
  host.ConfineCursor(true);
}

void TRenumberMode::MouseMove(const TPointerInput& input)
{
  machine_.Host().SetHint(QStringLiteral(
      "|Click an Cogi to renumber it to the number shown in the Cursor.  RIGHT click to stop."));
  TModeLock lock(machine_.Document());
  if (machine_.AutoScroll(input.Pixel)) machine_.RepaintFully();
}

void TRenumberMode::MouseUp(const TPointerInput& input)
{
  if (input.Button == TMouseButton::Right) {
    machine_.SetMode(opNone);
    return;
  }
  if (input.Button != TMouseButton::Left) return;
  CGPObject* object = machine_.HitTest(input.Pixel);
  if (!object) return;
  TModelDocument& document = machine_.Document();
  if (exhausted_) {
    if (IDocumentObserver* observer = document.Observer())
      observer->ReportError(QStringLiteral("Invalid Number."));
    return;
  }
  object->Number = document.NextRenumber;
  document.ChangePending = true;
  if (document.NextRenumber == std::numeric_limits<std::int32_t>::max())
    exhausted_ = true;
  else
    ++document.NextRenumber;
  IInteractionHost& host = machine_.Host();
  host.SetRenumberCursor(document.NextRenumber);
  host.SetWindowCursor(crRenumber);
  machine_.RepaintFully();
}
