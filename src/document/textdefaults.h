// The attributes new text gets: what the text editor starts an empty text with, and what the
// Text Properties toolbar changes when nothing with text is selected.
#pragma once

#include <QTextBlockFormat>
#include <QTextCharFormat>

#include "document/textattributes.h"

class TTextDefaults {
 public:
  // The format new object text is written in, centred.
  TTextDefaults();

  QTextCharFormat Characters;
  QTextBlockFormat Paragraph;
  bool Bullets = false;

  TTextState State() const;
  // A toolbar command with the defaults as its target: the font and size from the boxes, the
  // styles by the buttons' states, the alignment by the button that is down, bullets switched
  // over and indents stepped.
  void Apply(TTextAttribute code, const TTextToolbarValues& values);
};
