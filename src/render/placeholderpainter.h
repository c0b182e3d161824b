// Stand-ins for content the program cannot draw itself: the white box with both diagonals
// shown for a missing picture or embedded document, and the marked box of a metafile.
#pragma once

#include <QRect>

class TCanvas;

class TPlaceholderPainter {
 public:
  // A white rectangle with a black one-pixel border and both diagonals.
  static void DrawCross(TCanvas& canvas, const QRect& box);
  // A metafile that has a size but that we cannot draw: a pale box with a dashed border and
  // the word "Metafile", so that it is never mistaken for a missing picture.
  static void DrawMetafile(TCanvas& canvas, const QRect& box);
};
