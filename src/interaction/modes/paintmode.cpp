#include "interaction/modes/paintmode.h"

#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modemachine.h"
#include "model/layers/filled.h"
#include "model/layers/lined.h"

namespace {

enum TPaintTarget { ptFace = 0, ptBack = 1, ptText = 2, ptLine = 3 };

bool Assign(TColorRef& field, TColorRef value)
{
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

std::optional<int> TPaintMode::EntryCursor() const
{
  return crPaintBrush;
}

void TPaintMode::Enter()
{
  machine_.Host().SetHint(QStringLiteral(
      "|Click Object to paint with selected colour.  Click Model surface to paint Model."));
}

bool TPaintMode::PaintClick(QPoint pixel)
{
  TModelDocument& d = machine_.Document();
  CGPObject* object = machine_.HitTest(pixel);
  bool changed = false;
  if (object) {
    auto* filled = dynamic_cast<TFilled*>(object);
    auto* lined = dynamic_cast<TLined*>(object);
    switch (d.PaintTarget) {
      case ptFace:
        if (filled) changed = Assign(filled->FaceColor, d.FaceColor);
        break;
      case ptBack:
        if (filled) changed = Assign(filled->BackColor, d.BackColor);
        break;
      case ptLine:
        if (lined) changed = Assign(lined->LineColor, d.LineColor);
        break;
      default:
        break;  // text colour paints no object
    }
  } else {
    static constexpr TPaintTarget kTargets[] = {ptFace, ptBack, ptText, ptLine};
    const TColorRef colours[] = {d.FaceColor, d.BackColor, d.TextColor, d.LineColor};
    for (std::size_t i = 0; i < std::size(kTargets); ++i)
      if (d.PaintTarget == kTargets[i]) changed = Assign(d.ModelColor, colours[i]);
  }
  // A click that changes nothing must not become an undo entry or mark the model changed.
  if (changed) d.ChangePending = true;
  machine_.RepaintFully();
  return changed;
}

void TPaintMode::MouseUp(const TPointerInput& input)
{
  if (input.Button != TMouseButton::Left) {
    machine_.SetMode(opNone);
    return;
  }
  PaintClick(input.Pixel);
}
