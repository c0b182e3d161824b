#include "interaction/modes/textpickmode.h"

#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modemachine.h"
#include "interaction/textediting.h"

std::optional<int> TTextPickMode::EntryCursor() const
{
  return crTextEdit;
}

void TTextPickMode::Enter()
{
  machine_.Host().SetPaletteTextTarget(true);
}

void TTextPickMode::Leave()
{
  if (!editing_) return;
  ITextEditing* editing = machine_.Host().TextEditing();
  // The write-back comes before the record, so the entry holds the new text.
  if (editing && editing->Close(true)) machine_.Document().ChangePending = true;
}

QString TTextPickMode::UndoCaption() const
{
  return editing_ ? QStringLiteral("Edit Cogi Text") : QString();
}

void TTextPickMode::MouseMove(const TPointerInput& input)
{
  IInteractionHost& host = machine_.Host();
  if (machine_.OverObject(input.Pixel)) {
    host.SetWindowCursor(crTextEdit);
    host.SetHint(
        QStringLiteral("|Click an Object the Edit it's Text or Notes.  RIGHT click to stop."));
  } else {
    host.SetWindowCursor(crTextEditAnimated);
    host.SetHint(QStringLiteral("|Click the Model or RIGHT click to stop editing text."));
  }
}

void TTextPickMode::MouseUp(const TPointerInput& input)
{
  if (input.Button != TMouseButton::Left) {
    machine_.SetMode(opNone);
    return;
  }
  CGPObject* object = machine_.HitTest(input.Pixel);
  ITextEditing* editing = machine_.Host().TextEditing();
  if (!object || !editing) {
    machine_.SetMode(opNone);
    return;
  }
  if (object == editing->EditedObject()) {
    editing->Focus();
    return;
  }
  editing->Open(object);
  machine_.Document().Mode = opEditText;
  machine_.RepaintFully();
}
