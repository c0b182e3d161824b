// The polygon objects a moving outline may snap onto, filed by where their vertices lie, so
// that a snap looks only at the objects near the outline: a move of many objects over a
// large model then costs no more than over a small one.
#pragma once

#include <optional>
#include <unordered_map>
#include <vector>

#include "geometry/modelpoint.h"
#include "geometry/outline.h"
#include "model/objectlist.h"

class TShapeSnapIndex {
 public:
  TShapeSnapIndex() = default;
  // Files the polygon objects of the list in its order; skipMoving leaves out what the move
  // carries: the selected objects and the members of selected clusters.
  TShapeSnapIndex(const TObjectList& objects, bool skipMoving);

  // What vertex snapping gives for the outline turned by angle and centred on point against
  // every filed object: the position that puts its nearest vertex pair together, or none.
  std::optional<TModelPoint> Snap(const TOutline& moving, double angle, TModelPoint point) const;

 private:
  using TCellKey = long long;
  static TCellKey Key(long long cx, long long cy);
  void File(int index, double left, double top, double right, double bottom);

  TObjectList objects_;  // the filed objects in list order
  std::unordered_map<TCellKey, std::vector<int>> cells_;
  // Objects spread over too many cells to file: looked at by every snap.
  std::vector<int> everywhere_;
};
