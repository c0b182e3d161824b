#include "interaction/gestures/shapesnapindex.h"

#include <algorithm>
#include <cmath>

#include "geometry/geometry.h"
#include "model/cluster.h"
#include "model/layers/pointed.h"

namespace {

// Cells of one inch: a moving hexagon of any size looks at a handful of them.
constexpr double kCell = 1.0;
// An object covering more cells than this is looked at always rather than filed.
constexpr long long kMaxCells = 4096;

struct TBounds {
  double Left, Top, Right, Bottom;
};

// The box of the outline's vertices, turned by angle about centre; none for an empty outline
// or one whose points are not numbers.
std::optional<TBounds> VertexBounds(const TOutline& outline, double angle, TModelPoint centre)
{
  if (outline.empty()) return std::nullopt;
  TBounds b{INFINITY, INFINITY, -INFINITY, -INFINITY};
  for (const TSegment& s : outline) {
    const TModelPoint p = RotateOffset(centre, s.Ex, s.Ey, angle);
    b.Left = std::min(b.Left, p.X);
    b.Top = std::min(b.Top, p.Y);
    b.Right = std::max(b.Right, p.X);
    b.Bottom = std::max(b.Bottom, p.Y);
  }
  if (!std::isfinite(b.Left) || !std::isfinite(b.Top) || !std::isfinite(b.Right) ||
      !std::isfinite(b.Bottom))
    return std::nullopt;
  return b;
}

long long CellOf(double v)
{
  return static_cast<long long>(std::floor(v / kCell));
}

// Whether the object moves with the selection: itself selected, or carried by its cluster.
bool Moving(const CGPObject* object)
{
  if (object->Selected) return true;
  const auto* member = dynamic_cast<const TClusteredObject*>(object);
  return member && member->Cluster && member->Cluster->Selected;
}

}  // namespace

TShapeSnapIndex::TCellKey TShapeSnapIndex::Key(long long cx, long long cy)
{
  return (cx << 32) ^ (cy & 0xFFFFFFFFLL);
}

TShapeSnapIndex::TShapeSnapIndex(const TObjectList& objects, bool skipMoving)
{
  for (CGPObject* object : objects) {
    const auto* pointed = dynamic_cast<const TPointed*>(object);
    if (!pointed || (skipMoving && Moving(object))) continue;
    const std::optional<TBounds> b =
        VertexBounds(pointed->Outline, pointed->Angle, object->Centre());
    if (!b) continue;
    const int index = static_cast<int>(objects_.size());
    objects_.push_back(object);
    File(index, b->Left, b->Top, b->Right, b->Bottom);
  }
}

void TShapeSnapIndex::File(int index, double left, double top, double right, double bottom)
{
  const double reach = TPointed::kSnapDistance;
  const long long x0 = CellOf(left - reach), x1 = CellOf(right + reach);
  const long long y0 = CellOf(top - reach), y1 = CellOf(bottom + reach);
  if ((x1 - x0 + 1) * (y1 - y0 + 1) > kMaxCells) {
    everywhere_.push_back(index);
    return;
  }
  for (long long cx = x0; cx <= x1; ++cx)
    for (long long cy = y0; cy <= y1; ++cy)
      cells_[Key(cx, cy)].push_back(index);
}

std::optional<TModelPoint> TShapeSnapIndex::Snap(const TOutline& moving, double angle,
                                                 TModelPoint point) const
{
  const std::optional<TBounds> b = VertexBounds(moving, angle, point);
  if (!b || objects_.empty()) return std::nullopt;
  std::vector<int> found = everywhere_;
  // Each object was filed in every cell within snapping reach of its vertices, so the cells
  // of the moving vertices themselves hold every object that can be close enough.
  const long long x0 = CellOf(b->Left), x1 = CellOf(b->Right);
  const long long y0 = CellOf(b->Top), y1 = CellOf(b->Bottom);
  if ((x1 - x0 + 1) * (y1 - y0 + 1) > kMaxCells) {
    found.resize(objects_.size());
    for (std::size_t i = 0; i < objects_.size(); ++i)
      found[i] = static_cast<int>(i);
  } else {
    for (long long cx = x0; cx <= x1; ++cx)
      for (long long cy = y0; cy <= y1; ++cy)
        if (const auto cell = cells_.find(Key(cx, cy)); cell != cells_.end())
          found.insert(found.end(), cell->second.begin(), cell->second.end());
  }
  if (found.empty()) return std::nullopt;
  // In list order, so that ties go to the same pair as a snap against the whole list.
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  TObjectList near;
  near.reserve(found.size());
  for (int i : found)
    near.push_back(objects_[static_cast<std::size_t>(i)]);
  return TPointed::SnapOutline(moving, angle, point, near);
}
