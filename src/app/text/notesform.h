// The notes editor: edits one object's notes in a pale box, at first along the bottom of the
// model window, later where and as large as the user made it.
#pragma once

#include "app/text/editorframe.h"

class CGPObject;
class TTextEditors;

class TNotesForm : public TEditorFrame {
  Q_OBJECT

 public:
  explicit TNotesForm(TTextEditors& editors, QWidget* surface);

  void OpenNotesEditor(CGPObject* object);
  // With writeBack changed notes go into the object; emptied notes leave none. True when a
  // change was written.
  bool CloseNotesEditor(bool writeBack);
  CGPObject* Object() const { return object_; }
  void Forget();

 private:
  void Place();

  TTextEditors& editors_;
  CGPObject* object_ = nullptr;
  bool userSized_ = false;
};
