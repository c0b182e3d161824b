// The text and notes editors as the operation modes see them; the window that owns the
// editors implements it.
#pragma once

#include <QRect>
#include <optional>

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
  // The text editor's client area in the surface's pixels while it shows an object.
  virtual std::optional<QRect> EditorFrame() const { return std::nullopt; }
  // An object is about to be destroyed: an editor working on it forgets it unwritten.
  virtual void ObjectDestroyed(const CGPObject*) {}
};
