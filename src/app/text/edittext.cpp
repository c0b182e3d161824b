#include "app/text/edittext.h"

#include <QTextEdit>

#include "app/modelform.h"
#include "app/text/texteditors.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"

bool EditContextText(TModelForm& form)
{
  TModelDocument& document = form.Document();
  CGPObject* object = document.ContextObject;
  if (!object || document.IndexOf(object) < 0 || form.Busy()) {
    document.Beep();
    return false;
  }
  TModeMachine& machine = form.PaintBox().Machine();
  // Already editing: the editor moves to the object within the same period.
  if (document.Mode != opEditText) machine.SetMode(opEditText);
  form.TextEditors().Open(object);
  machine.RepaintFully();
  return true;
}

bool ApplyToTextEditor(TModelForm& form, TTextCommand command)
{
  QTextEdit* box = form.TextEditors().ActiveBox();
  if (!box) return false;
  switch (command) {
    case TTextCommand::Undo:
      box->undo();
      break;
    case TTextCommand::Cut:
      box->cut();
      break;
    case TTextCommand::Copy:
      box->copy();
      break;
    case TTextCommand::Paste:
      box->paste();
      break;
    case TTextCommand::SelectAll:
      box->selectAll();
      break;
  }
  box->setFocus();
  return true;
}
