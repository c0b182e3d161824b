#include <gtest/gtest.h>

#include <memory>

#include "model/arrow.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"

namespace {

std::unique_ptr<TCogi> Hexagon(double x, double y, int angle = 0)
{
  auto cogi = std::make_unique<TCogi>();
  cogi->X = x;
  cogi->Y = y;
  cogi->Angle = angle;
  cogi->SetShape(kCogiVariantHexagon, kCogiSmall);
  return cogi;
}

const TOutline& HexagonOutline()
{
  static const TOutline outline = MakeShapeOutline(okCogi, kCogiVariantHexagon, 1.25, 1.25);
  return outline;
}

void ExpectAt(const std::optional<TModelPoint>& snapped, double x, double y)
{
  ASSERT_TRUE(snapped.has_value());
  EXPECT_NEAR(snapped->X, x, 1e-9);
  EXPECT_NEAR(snapped->Y, y, 1e-9);
}

}  // namespace

TEST(SnapOutline, AHexagonDroppedNearAnotherSnapsVertexToVertex)
{
  auto placed = Hexagon(3, 3);
  TArrow arrow;  // not a polygon: never a snap target
  arrow.FromX = 4.3;
  arrow.FromY = 3.1;
  const TObjectList objects{&arrow, placed.get()};
  // Neighbours tile at (4.25, 3): the dropped one's left corners land on the right corners.
  ExpectAt(TPointed::SnapOutline(HexagonOutline(), 0, {4.3, 3.1}, objects), 4.25, 3.0);
  ExpectAt(TPointed::SnapOutline(HexagonOutline(), 0, {4.75, 3.0}, objects), 4.25, 3.0);
  ExpectAt(TPointed::SnapOutline(HexagonOutline(), 0, {4.755, 3.0}, objects), 4.25, 3.0);
  // Far away, or just beyond half an inch, nothing moves.
  EXPECT_FALSE(TPointed::SnapOutline(HexagonOutline(), 0, {4.77, 3.0}, objects));
  EXPECT_FALSE(TPointed::SnapOutline(HexagonOutline(), 0, {9, 9}, objects));
  EXPECT_FALSE(TPointed::SnapOutline(HexagonOutline(), 0, {4.3, 3.1}, TObjectList{&arrow}));
  // Below and to the right: the top point meets the lower right corner.
  ExpectAt(TPointed::SnapOutline(HexagonOutline(), 0, {3.7, 4.0}, objects), 3.625, 3.9375);
}

TEST(SnapOutline, BothOutlinesSnapWithTheirRotation)
{
  // Turned by 90 degrees the hexagons lie with points left and right.
  auto placed = Hexagon(3, 3, 90);
  const TObjectList objects{placed.get()};
  ExpectAt(TPointed::SnapOutline(HexagonOutline(), 90, {4.3, 3.05}, objects), 4.25, 3.0);
  // Unturned, the dropped hexagon's nearest corner to that right point is its upper left.
  ExpectAt(TPointed::SnapOutline(HexagonOutline(), 0, {4.3, 3.4}, objects), 4.25, 3.3125);
  // The nearest of several objects decides.
  auto nearer = Hexagon(6.5, 3.0, 90);
  const TObjectList two{placed.get(), nearer.get()};
  ExpectAt(TPointed::SnapOutline(HexagonOutline(), 90, {5.3, 3.05}, two), 5.25, 3.0);
}
