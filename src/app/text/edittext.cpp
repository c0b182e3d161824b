#include "app/text/edittext.h"

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
