#include "app/text/notesform.h"

#include <QTextEdit>

#include "app/text/texteditors.h"
#include "app/text/textform.h"
#include "document/modeldocument.h"
#include "platform/text/rtfreader.h"
#include "platform/text/rtfwriter.h"

TNotesForm::TNotesForm(TTextEditors& editors, QWidget* surface)
    : TEditorFrame(surface, QColor(0x80, 0x80, 0x80)), editors_(editors)
{
  setObjectName(QStringLiteral("NotesForm"));
  SetGrips(true);
  QPalette palette = Box().palette();
  palette.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xEC));
  Box().setPalette(palette);
  connect(this, &TEditorFrame::FrameResized, this, [this] { userSized_ = true; });
}

void TNotesForm::OpenNotesEditor(CGPObject* object)
{
  if (!object) return;
  if (object_ == object) {
    Box().setFocus();
    return;
  }
  if (object_ && CloseNotesEditor(true)) editors_.NoteChange();
  object_ = object;
  TRtfReader::Read(object->Notes, *Box().document());
  if (Box().document()->isEmpty()) Box().setTextColor(ToQColor(editors_.Document().TextColor));
  Box().document()->clearUndoRedoStacks();
  Place();
  show();
  raise();
  Box().document()->setModified(false);
  const CGPObject* shown = editors_.TextForm().Object();
  if (shown && shown != object) editors_.OpenText(object);
  Box().setFocus();
}

void TNotesForm::Place()
{
  const QSize client = parentWidget() ? parentWidget()->size() : QSize(640, 480);
  if (!userSized_) {
    const int h = client.height() / 4;
    setGeometry(0, client.height() - h, client.width(), h);
    return;
  }
  KeepInside();
}

bool TNotesForm::CloseNotesEditor(bool writeBack)
{
  CGPObject* object = object_;
  object_ = nullptr;
  hide();
  bool wrote = false;
  if (object && writeBack && Box().document()->isModified()) {
    // Notes emptied leave no notes at all, so the number loses its notes mark.
    object->Notes =
        Box().document()->isEmpty() ? QByteArray() : TRtfWriter::Write(*Box().document());
    wrote = true;
    editors_.Document().NotifyRepaint();
  }
  Forget();
  return wrote;
}

void TNotesForm::Forget()
{
  object_ = nullptr;
  hide();
  Box().clear();
  Box().document()->setModified(false);
}
