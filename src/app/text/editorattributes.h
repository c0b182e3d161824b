// The Text Properties toolbar against an open text or notes editor: what it shows for the
// editor's selection and paragraph, and its commands acting on them. Character attributes go
// to the selection, or to what is typed next when nothing is selected; paragraph attributes
// go to every paragraph the selection touches.
#pragma once

#include "document/textattributes.h"

class QTextEdit;

class TEditorAttributes {
 public:
  // The attributes at the start of the selection (the typing attributes without one) and of
  // its first paragraph.
  static TTextState StateOf(const QTextEdit& box);
  // One toolbar command on the editor: fonts, sizes and styles from the controls (sizes
  // held to their range); the alignment by the button that is down; bullets switched over
  // from what the first paragraph has; indents stepped by 30 and held to their range.
  static void Apply(QTextEdit& box, TTextAttribute code, const TTextToolbarValues& values);
};
