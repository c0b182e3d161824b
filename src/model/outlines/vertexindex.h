// The outline vertices of the polygon objects of a list, filed by square cells as wide as the
// snap distance: snapping an outline then looks only at the cells around its own vertices,
// not at every vertex of every shape, and finds what a scan of the whole list finds.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/modelpoint.h"
#include "geometry/outline.h"
#include "model/objectlist.h"

class CGPObject;

class TVertexIndex {
 public:
  // Files the vertices of every polygon object of the list, in list order.
  void Build(const TObjectList& objects);
  // Files an object's vertices after all others, as if it were appended to the list.
  void Add(const CGPObject* object);
  void Clear();
  std::size_t VertexCount() const { return count_; }

  // What TPointed::SnapOutline gives for the list the index holds: the position that puts a
  // vertex of the moving outline onto the nearest filed vertex closer than the snap
  // distance, the earliest pair in list order winning a tie; none when no pair is close.
  std::optional<TModelPoint> Snap(const TOutline& moving, double angle, TModelPoint point) const;

 private:
  struct TEntry {
    std::uint64_t Cell;
    TModelPoint Point;
    int Order;   // the object's place in the list
    int Vertex;  // the vertex's place in the object's outline
  };
  static std::int64_t CellOf(double coordinate);
  static std::uint64_t Key(std::int64_t x, std::int64_t y);
  // Files the vertices of an object without sorting.
  void File(const CGPObject* object, std::vector<TEntry>& into);

  // Sorted by cell, so that a cell's vertices lie together; objects added after the build
  // wait in a short list of their own until there are enough of them to sort in.
  std::vector<TEntry> sorted_;
  std::vector<TEntry> recent_;
  std::size_t count_ = 0;
  int objects_ = 0;
};
