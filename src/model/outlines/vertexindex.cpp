#include "model/outlines/vertexindex.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "geometry/geometry.h"
#include "model/layers/pointed.h"

namespace {

// Cells as wide as the snap distance: a vertex closer than that to a point lies in the
// point's cell or in one of its eight neighbours.
constexpr double kCell = TPointed::kSnapDistance;
// Cell numbers stay far inside 32 bits, whatever a damaged file puts in its coordinates.
constexpr double kCellLimit = 1.0e9;
// Objects added after a build are looked through one by one until there are this many of
// their vertices.
constexpr std::size_t kRecentLimit = 256;

template <typename TEntryList>
void SortByCell(TEntryList& entries)
{
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.Cell < b.Cell; });
}

}  // namespace

std::int64_t TVertexIndex::CellOf(double coordinate)
{
  return static_cast<std::int64_t>(
      std::clamp(std::floor(coordinate / kCell), -kCellLimit, kCellLimit));
}

std::uint64_t TVertexIndex::Key(std::int64_t x, std::int64_t y)
{
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) |
         static_cast<std::uint32_t>(y);
}

void TVertexIndex::Clear()
{
  sorted_.clear();
  recent_.clear();
  count_ = 0;
  objects_ = 0;
}

void TVertexIndex::File(const CGPObject* object, std::vector<TEntry>& into)
{
  const int order = objects_++;
  const auto* pointed = dynamic_cast<const TPointed*>(object);
  if (!pointed) return;
  int vertex = 0;
  for (const TSegment& q : pointed->Outline) {
    const TModelPoint p = RotateOffset(pointed->Centre(), q.Ex, q.Ey, pointed->Angle);
    // A point that is not a number is never closer than anything; filing it would not help.
    if (std::isfinite(p.X) && std::isfinite(p.Y)) {
      into.push_back({Key(CellOf(p.X), CellOf(p.Y)), p, order, vertex});
      ++count_;
    }
    ++vertex;
  }
}

void TVertexIndex::Build(const TObjectList& objects)
{
  Clear();
  sorted_.reserve(objects.size() * 8);
  for (const CGPObject* object : objects)
    File(object, sorted_);
  SortByCell(sorted_);
}

void TVertexIndex::Add(const CGPObject* object)
{
  File(object, recent_);
  if (recent_.size() < kRecentLimit) return;
  sorted_.insert(sorted_.end(), recent_.begin(), recent_.end());
  recent_.clear();
  SortByCell(sorted_);
}

std::optional<TModelPoint> TVertexIndex::Snap(const TOutline& moving, double angle,
                                              TModelPoint point) const
{
  double best = TPointed::kSnapDistance;
  // The scan meets pairs ordered by object, moving vertex, object vertex; of equally near
  // pairs the first met wins.
  std::tuple<int, int, int> bestPlace;
  std::optional<TModelPoint> shift;
  const auto consider = [&](const TEntry& entry, TModelPoint mp, int index) {
    const double d = Distance(mp, entry.Point);
    const std::tuple<int, int, int> place{entry.Order, index, entry.Vertex};
    if (d < best || (shift && d == best && place < bestPlace)) {
      best = d;
      bestPlace = place;
      shift = TModelPoint{entry.Point.X - mp.X, entry.Point.Y - mp.Y};
    }
  };
  int m = 0;
  for (const TSegment& segment : moving) {
    const TModelPoint mp = RotateOffset(point, segment.Ex, segment.Ey, angle);
    const int index = m++;
    if (!std::isfinite(mp.X) || !std::isfinite(mp.Y)) continue;
    const std::int64_t cx = CellOf(mp.X);
    const std::int64_t cy = CellOf(mp.Y);
    for (std::int64_t x = cx - 1; x <= cx + 1; ++x)
      for (std::int64_t y = cy - 1; y <= cy + 1; ++y) {
        const std::uint64_t cell = Key(x, y);
        auto it = std::lower_bound(sorted_.begin(), sorted_.end(), cell,
                                   [](const TEntry& e, std::uint64_t c) { return e.Cell < c; });
        for (; it != sorted_.end() && it->Cell == cell; ++it)
          consider(*it, mp, index);
      }
    for (const TEntry& entry : recent_)
      consider(entry, mp, index);
  }
  if (!shift) return std::nullopt;
  return TModelPoint{point.X + shift->X, point.Y + shift->Y};
}
