// The special handle of an object: a callout's pointer tip, a cluster's text box (dragged by
// its top-left corner). Other objects have none.
#pragma once

#include "geometry/modelpoint.h"

class CGPObject;
class TModelDocument;
class TOverlay;

class TSpecialAdjuster {
 public:
  // Whether the object has a special handle to drag.
  static bool HasSpecial(const CGPObject& object);
  // The preview with the handle at p: the callout framed with its tip at p, or the text box
  // at its new place dotted; inverting.
  static void DrawPreview(CGPObject& object, TModelPoint p, const TModelDocument& document,
                          TOverlay& overlay);
  // The commit; returns whether the object changed.
  static bool AdjustSpecial(TModelDocument& document, CGPObject& object, TModelPoint p);

  // The text box offsets (fractions of the object's size) that put the box's top-left corner
  // at p. An object without extent on an axis keeps its offset there: a fraction of nothing
  // cannot place the box.
  static TModelPoint TextOffsetsFor(const CGPObject& object, TModelPoint p);
};
