#include "interaction/modes/formatpaintmode.h"

#include "interaction/cursorid.h"
#include "interaction/formatpainter.h"
#include "interaction/interactionhost.h"
#include "interaction/modemachine.h"

std::optional<int> TFormatPaintMode::EntryCursor() const
{
  return crFormatPaintModel;
}

void TFormatPaintMode::MouseMove(const TPointerInput& input)
{
  IInteractionHost& host = machine_.Host();
  host.SetHint(QStringLiteral("|Click an Cogi to copy attributes from the chosen standard Cogi."));
  host.SetWindowCursor(machine_.OverObject(input.Pixel) ? crFormatPaintCogi : crFormatPaintModel);
}

void TFormatPaintMode::MouseUp(const TPointerInput& input)
{
  if (input.Button == TMouseButton::Right) {
    machine_.SetMode(opNone);
    machine_.RepaintFully();
    return;
  }
  if (input.Button != TMouseButton::Left) return;
  TModelDocument& document = machine_.Document();
  CGPObject* standard = document.FirstSelected();
  CGPObject* target = machine_.HitTest(input.Pixel);
  if (!standard || !target) return;
  if (TFormatPainter::Apply(document, *standard, *target, machine_.Host().Preferences())) {
    document.ChangePending = true;
    machine_.RepaintFully();
  }
}
