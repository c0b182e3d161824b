// Resizing the selection by one of the eight box handles of a grabbed object: the side or
// corner opposite the handle stays put, every selected object (arrows aside) is scaled by
// the grabbed object's factors about its own opposite handle, and a Cogi takes the nearest
// standard size.
#pragma once

#include <vector>

#include "geometry/modelpoint.h"

class CGPObject;
class TModelDocument;
class TOverlay;

// One selected object's box after the resize.
struct TResizedBox {
  CGPObject* Object = nullptr;
  TModelPoint Centre;
  double Width = 0.0;  // absolute
  double Height = 0.0;
  double Angle = 0.0;
  int SizeCode = -1;  // a Cogi's standard size; -1 for other objects
};

class TSelectionResizer {
 public:
  // The boxes every selected object that is not an arrow takes when handle (1 top-left, then
  // clockwise to 8 left) of the grabbed object is dragged to p. An object whose box would
  // not be made of numbers (a size of zero meeting a huge factor) is left out.
  static std::vector<TResizedBox> ResizedBoxes(const TModelDocument& document,
                                               const CGPObject& grabbed, int handle, TModelPoint p);
  // The preview: each box dotted with the inverting pen, turned with its object.
  static void DrawBoxes(const std::vector<TResizedBox>& boxes, const TModelDocument& document,
                        TOverlay& overlay);
  // The commit; returns whether any object changed.
  static bool ResizeSelection(TModelDocument& document, const CGPObject& grabbed, int handle,
                              TModelPoint p);
};
