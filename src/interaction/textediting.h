// The text and notes editors as the operation modes see them; the window that owns the
// editors implements it.
#pragma once

class CGPObject;

class ITextEditing {
 public:
  virtual ~ITextEditing() = default;
  // Opens the text editor on an object, writing back the object edited before.
  virtual void Open(CGPObject* object) = 0;
  // Closes both editors, writing their text back when asked; true when any text or notes
  // changed since editing began.
  virtual bool Close(bool writeBack) = 0;
  // The object the editors work on, or none.
  virtual CGPObject* EditedObject() const = 0;
  // Gives the keyboard focus to the visible editor.
  virtual void Focus() = 0;
};
