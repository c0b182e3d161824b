// The filed vertices snap outlines exactly as a scan of every vertex of every shape does.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "model/arrow.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "model/outlines/vertexindex.h"

TEST(VertexIndex, SnapsLikeTheScanOfEveryVertexTiesIncluded)
{
  // Shapes on a quarter-inch lattice, some turned, so that many pairs lie equally near and
  // the earliest pair in list order must win; an arrow among them is no snap target.
  std::mt19937 random(17);
  std::uniform_int_distribution<int> quarter(0, 80);
  std::uniform_int_distribution<int> variant(0, 16);
  std::uniform_int_distribution<int> angle(0, 7);
  std::vector<std::unique_ptr<CGPObject>> owned;
  TObjectList objects;
  for (int i = 0; i < 300; ++i) {
    auto cogi = std::make_unique<TCogi>();
    cogi->X = quarter(random) * 0.25;
    cogi->Y = quarter(random) * 0.25;
    cogi->SetShape(variant(random), kCogiSmall);
    cogi->Angle = angle(random) < 2 ? 45 * angle(random) : 0;
    objects.push_back(cogi.get());
    owned.push_back(std::move(cogi));
    if (i == 100) {
      owned.push_back(std::make_unique<TArrow>());
      objects.push_back(owned.back().get());
    }
  }
  TVertexIndex index;
  index.Build(objects);
  const TOutline hexagon = MakeShapeOutline(okCogi, kCogiVariantHexagon, 1.25, 1.25);
  const TOutline diamond = MakeShapeOutline(okCogi, 6, 1.5, 1.5);
  std::uniform_real_distribution<double> anywhere(-1.0, 21.0);
  int snapped = 0;
  for (int i = 0; i < 2000; ++i) {
    // Half the points on the lattice (ties), half anywhere.
    const TModelPoint at = i % 2 ? TModelPoint{quarter(random) * 0.25, quarter(random) * 0.25}
                                 : TModelPoint{anywhere(random), anywhere(random)};
    const TOutline& moving = i % 3 ? hexagon : diamond;
    const double turn = i % 5 == 0 ? 30 : 0;
    const std::optional<TModelPoint> scan = TPointed::SnapOutline(moving, turn, at, objects);
    const std::optional<TModelPoint> filed = index.Snap(moving, turn, at);
    ASSERT_EQ(scan.has_value(), filed.has_value()) << i;
    if (!scan) continue;
    ++snapped;
    EXPECT_EQ(scan->X, filed->X) << i;
    EXPECT_EQ(scan->Y, filed->Y) << i;
  }
  EXPECT_GT(snapped, 500);

  // Objects added later count as the last of the list, also once there are many of them.
  EXPECT_FALSE(index.Snap(hexagon, 0, {41.3, 40}));
  for (int i = 0; i < 60; ++i) {
    auto extra = std::make_unique<TCogi>();
    extra->X = 40 + (i % 8) * 1.25;
    extra->Y = 40 + (i / 8) * 0.25;
    extra->SetShape(kCogiVariantHexagon, kCogiSmall);
    index.Add(extra.get());
    objects.push_back(extra.get());
    owned.push_back(std::move(extra));
    const TModelPoint at{41.3 + (i % 5) * 0.3, 40.1 + (i % 7) * 0.2};
    EXPECT_EQ(index.Snap(hexagon, 0, at), TPointed::SnapOutline(hexagon, 0, at, objects)) << i;
  }
  EXPECT_TRUE(index.Snap(hexagon, 0, {41.3, 40}));
}

TEST(VertexIndex, CoordinatesFromADamagedFileAreFiledWithoutHarm)
{
  TCogi huge;
  huge.X = 1e300;
  huge.Y = -1e300;
  huge.SetShape(kCogiVariantHexagon, kCogiSmall);
  TCogi lost;
  lost.X = std::nan("");
  lost.SetShape(kCogiVariantHexagon, kCogiSmall);
  TCogi near;
  near.X = 2;
  near.Y = 2;
  near.SetShape(kCogiVariantHexagon, kCogiSmall);
  TVertexIndex index;
  index.Build({&huge, &lost, &near});
  // The lost shape's vertices are no numbers.
  EXPECT_EQ(index.VertexCount(), huge.Outline.size() + near.Outline.size());
  const TOutline hexagon = MakeShapeOutline(okCogi, kCogiVariantHexagon, 1.25, 1.25);
  EXPECT_EQ(index.Snap(hexagon, 0, {3.3, 2}),
            TPointed::SnapOutline(hexagon, 0, {3.3, 2}, {&huge, &lost, &near}));
  EXPECT_EQ(index.Snap(hexagon, 0, {1e300, -1e300}),
            TPointed::SnapOutline(hexagon, 0, {1e300, -1e300}, {&huge, &lost, &near}));
}
