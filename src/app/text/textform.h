// The text editor: edits one object's text over the object in its model window. Arrows,
// labels and clusters can be sized by its grips; a label's size, a cluster's text box follow.
#pragma once

#include <QByteArray>

#include "app/text/editorframe.h"

class CGPObject;
class QPushButton;
class TTextEditors;

class TTextForm : public TEditorFrame {
  Q_OBJECT

 public:
  explicit TTextForm(TTextEditors& editors, QWidget* surface);

  // Opens on an object, first closing (with saving) the object shown before.
  void OpenTextEditor(CGPObject* object);
  // Hides and forgets the object; with writeBack a changed text goes into the object (an
  // emptied label is removed from its model). True when a change was written.
  bool CloseTextEditor(bool writeBack);
  CGPObject* Object() const { return object_; }
  // The object went away: forget it, writing nothing.
  void Forget();
  // Whether the text no longer fits the box (the overflow beep's test).
  bool Overflowing() const;

  // The smallest text-box ratio a grip leaves, and the narrowest box an arrow gets (pixels).
  static constexpr double kMinimumRatio = 0.05;
  static constexpr int kMinimumArrowWidth = 48;

 protected:
  void PlaceButtons() override;

 private:
  void Place();
  void GripResized();
  void TextChanged();

  TTextEditors& editors_;
  QPushButton* notesButton_;
  CGPObject* object_ = nullptr;
  QByteArray original_;  // the object's text when the editor opened on it
  bool beep_ = false;
  bool loading_ = false;
};
