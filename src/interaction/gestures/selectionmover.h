// Moving and copying the selection: where each selected object would land for a pointer
// position (on the grid, onto other shapes' vertices), the outlines that preview it, and the
// commit that moves or copies the objects there, within one model or into another.
#pragma once

#include <vector>

#include "geometry/modelpoint.h"

class CGPObject;
class TModelDocument;
class TOverlay;
class TShapeSnapIndex;

// Where one selected object would land: its pending position when the preview was made.
struct TPendingPlace {
  CGPObject* Object = nullptr;
  TModelPoint At;
};

// Which models a commit changed, so that each records one undo entry and no other does.
struct TMoveOutcome {
  bool SourceChanged = false;
  bool TargetChanged = false;
};

class TSelectionMover {
 public:
  // Sets the pending position (DragX, DragY) of every selected object of the source for the
  // pointer at p, the grab offset kept: with grid, a lone object lands on the quarter-inch
  // grid and several keep their offsets; with shapes, the whole selection shifts so that the
  // first selected polygon with a vertex near another shape's vertex puts the two together.
  // Returns the places, empty when nothing is selected.
  static std::vector<TPendingPlace> PlacePending(TModelDocument& source, TModelPoint p,
                                                 TModelPoint grabOffset, bool grid,
                                                 const TShapeSnapIndex* shapes);
  // Draws the outlines of the places with the inverting pen on an overlay of the target
  // window (its view); places outside the window are skipped, which draws the same pixels.
  static void DrawOutlines(const std::vector<TPendingPlace>& places, const TModelDocument& target,
                           TOverlay& overlay);

  // Moves the selection of the source to its pending positions, or copies it (copy, or
  // another target): the new objects become the target's selection, arrows among them stay
  // attached to each other and arrows to objects left behind are free. Throws EStreamError
  // when the objects cannot be carried over; nothing changes then.
  static TMoveOutcome Commit(TModelDocument& source, TModelDocument& target, bool copy);

 private:
  static bool MoveInPlace(TModelDocument& document);
  static void Transfer(TModelDocument& source, TModelDocument& target, bool copy);
};
