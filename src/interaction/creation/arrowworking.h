// The ends of the arrow being drawn or adjusted while the user drags them: the object, anchor
// and point of each end and the bend. Its ends are placed by the rules the made arrow uses,
// so that what the user sees while dragging is what the arrow becomes.
#pragma once

#include "geometry/modelpoint.h"
#include "interaction/cursorid.h"
#include "model/arrow.h"

class TModelDocument;

// What lies under an arrow end: the object it would attach to (none on the empty surface),
// the anchor (1-based; -1 for an automatic end), where the end goes and the cursor that says so.
struct TArrowTarget {
  CGPObject* Object = nullptr;
  int Anchor = -1;
  TModelPoint Point;
  int Cursor = crDrawArrow;
};

class TArrowWorking {
 public:
  CGPObject* ArrowFromObject = nullptr;  // not owned
  CGPObject* ArrowToObject = nullptr;    // not owned
  int ArrowFromAnchor = -1;
  int ArrowToAnchor = -1;
  TModelPoint ArrowFromPoint;
  TModelPoint ArrowToPoint;
  double ArrowBend = 0.0;

  // Distance in model units within which an end locks onto an anchor, in x and in y.
  static constexpr double kLockDistance = 0.1;

  void Reset() { *this = TArrowWorking(); }
  void CopyFrom(const TArrow& arrow);
  // The object whose end attaches at p, among the objects of the last paint. An anchor
  // within the lock distance locks the end; elsewhere on an object the end is automatic,
  // except on an arrow, whose nearest anchor takes it. The excluded arrow is passed over, and
  // an arrow from which it can be reached through the arrows' ends leaves the end free.
  static TArrowTarget FindArrowTarget(TModelDocument& document, const CGPObject* exclude,
                                      TModelPoint p);
  // Places both working ends as the arrow's own rules would with the working bend.
  void PlaceWorkingEnds();
  // Places the ends for an arc through p and returns the bend of that arc.
  double BendThrough(TModelPoint p);
  // An object is about to be destroyed: an end on it becomes free.
  void Forget(const CGPObject* object);

 private:
  // The working values as the arrow's placing rules take them.
  TArrowEnds Ends() const;
};
