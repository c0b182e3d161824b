#include <gtest/gtest.h>

#include "geometry/geometry.h"

namespace {

void ExpectPoint(TModelPoint actual, double x, double y, double tolerance = 1e-9)
{
  EXPECT_NEAR(actual.X, x, tolerance);
  EXPECT_NEAR(actual.Y, y, tolerance);
}

}  // namespace

TEST(Geometry, RotationTurnsClockwiseOnScreen)
{
  // A positive angle turns the x axis towards the bottom of the screen.
  ExpectPoint(RotateOffset({0, 0}, 1, 0, 90), 0, 1);
  ExpectPoint(RotateOffset({2, 3}, 1, 0, 90), 2, 4);
  ExpectPoint(RotateOffset({0, 0}, 0, -1, 90), 1, 0);
  ExpectPoint(RotateOffset({0, 0}, 1, 2, 0), 1, 2);
  ExpectPoint(RotateOffset({1, 1}, 1, 0, 180), 0, 1);
  // dx and dy are not interchangeable: (0, 1) turned by 90 points left.
  ExpectPoint(RotateOffset({0, 0}, 0, 1, 90), -1, 0);
}

TEST(Geometry, AddAnglesWrapsButKeeps360)
{
  EXPECT_DOUBLE_EQ(AddAngles(350, 20), 10);
  EXPECT_DOUBLE_EQ(AddAngles(10, -20), 350);
  EXPECT_DOUBLE_EQ(AddAngles(180, 180), 360);
  EXPECT_DOUBLE_EQ(AddAngles(0, 0), 0);
  EXPECT_DOUBLE_EQ(AddAngles(90, 45), 135);
}

TEST(Geometry, BearingsAreCompassDirections)
{
  EXPECT_DOUBLE_EQ(Bearing({0, 0}, {1, -1}), 45);
  EXPECT_NEAR(Bearing({0, 0}, {2, -1}), 63.4349488, 1e-6);
  EXPECT_DOUBLE_EQ(Bearing({0, 0}, {1, 1}), 135);
  EXPECT_DOUBLE_EQ(Bearing({0, 0}, {-1, 1}), 225);
  EXPECT_DOUBLE_EQ(Bearing({0, 0}, {-1, -1}), 315);
  EXPECT_DOUBLE_EQ(Bearing({0, 0}, {0, -5}), 0);
  EXPECT_DOUBLE_EQ(Bearing({0, 0}, {5, 0}), 90);
  EXPECT_DOUBLE_EQ(Bearing({0, 0}, {0, 5}), 180);
  EXPECT_DOUBLE_EQ(Bearing({0, 0}, {-5, 0}), 270);
  EXPECT_DOUBLE_EQ(Bearing({3, 4}, {3, 4}), -1);
  // The direction is from the first point to the second.
  EXPECT_DOUBLE_EQ(Bearing({1, -1}, {0, 0}), 225);
  EXPECT_NEAR(Bearing({0, 0}, {1, -2}), 26.5650512, 1e-6);
}

TEST(Geometry, PolarOffsetIsExactOnTheAxesAndInvertsBearing)
{
  EXPECT_EQ(PolarOffset(2, 0), (TModelPoint{0, -2}));
  EXPECT_EQ(PolarOffset(2, 90), (TModelPoint{2, 0}));
  EXPECT_EQ(PolarOffset(2, 180), (TModelPoint{0, 2}));
  EXPECT_EQ(PolarOffset(2, 270), (TModelPoint{-2, 0}));
  EXPECT_EQ(PolarOffset(2, 360), (TModelPoint{0, -2}));
  for (double b : {10.0, 45.0, 100.0, 200.0, 300.0, 359.0}) {
    const TModelPoint p = PointAt({1, 1}, 3, b);
    EXPECT_NEAR(Bearing({1, 1}, p), b, 1e-9) << b;
    EXPECT_NEAR(Distance({1, 1}, p), 3, 1e-9) << b;
  }
}

TEST(Geometry, DistanceAndCubicPoint)
{
  EXPECT_DOUBLE_EQ(Distance({0, 0}, {3, 4}), 5);
  EXPECT_DOUBLE_EQ(Distance({0, 0}, {-3, 0}), 3);
  EXPECT_DOUBLE_EQ(Distance({0, 2}, {0, -1}), 3);
  ExpectPoint(CubicPoint(0, {0, 0}, {1, 0}, {2, 1}, {3, 3}), 0, 0);
  ExpectPoint(CubicPoint(1, {0, 0}, {1, 0}, {2, 1}, {3, 3}), 3, 3);
  // At t = 1/2 the weights are 1/8, 3/8, 3/8, 1/8; swapping C1 and C2 changes the y result.
  ExpectPoint(CubicPoint(0.5, {0, 0}, {1, 0}, {2, 1}, {3, 3}), 1.5, 0.75);
  ExpectPoint(CubicPoint(0.25, {0, 0}, {0, 1}, {0, 0}, {0, 0}), 0, 27.0 / 64.0);
  EXPECT_DOUBLE_EQ(Min(2, -1), -1);
  EXPECT_DOUBLE_EQ(Max(2, -1), 2);
}

TEST(Geometry, PenWidthsRoundHalfToEvenAndNeverVanish)
{
  EXPECT_EQ(PenWidthPixels(0.75, 100, 96, 96), 1);
  EXPECT_EQ(PenWidthPixels(0.75, 400, 96, 96), 4);
  EXPECT_EQ(PenWidthPixels(10, 100, 96, 96), 13);
  EXPECT_EQ(PenWidthPixels(2, 50, 96, 96), 1);
  EXPECT_EQ(PenWidthPixels(0, 400, 96, 96), 1);
  EXPECT_EQ(PenWidthPixels(0.1, 10, 96, 96), 1);
  EXPECT_EQ(PenWidthPixels(-3, 100, 96, 96), 4);
  // 1.5 points at 96 DPI is exactly 2 pixels; 2.25 points is exactly 3.
  EXPECT_EQ(PenWidthPixels(1.5, 100, 96, 96), 2);
  // 0.375 points at 192 DPI is 1 pixel; at 288 it is exactly 1.5, which rounds to 2 (even).
  EXPECT_EQ(PenWidthPixels(0.375, 100, 288, 288), 2);
  // 0.375 at 96 DPI is 0.5 pixel, which rounds to 0 (even) and is then raised to 1.
  EXPECT_EQ(PenWidthPixels(0.375, 100, 96, 96), 1);
  // The two resolutions are averaged.
  EXPECT_EQ(PenWidthPixels(72, 100, 96, 192), 144);
}

TEST(Geometry, Box16AnchorsRunFromLeftSideClockwiseInReverse)
{
  const TAnchorList anchors = Box16Anchors(4, 2);
  ASSERT_EQ(anchors.size(), 16u);
  EXPECT_EQ(anchors[0], (TAnchor{-2, -0.5}));
  EXPECT_EQ(anchors[1], (TAnchor{-2, 0}));
  EXPECT_EQ(anchors[2], (TAnchor{-2, 0.5}));
  EXPECT_EQ(anchors[3], (TAnchor{-2, 1}));
  EXPECT_EQ(anchors[4], (TAnchor{-1, 1}));
  EXPECT_EQ(anchors[5], (TAnchor{0, 1}));
  EXPECT_EQ(anchors[7], (TAnchor{2, 1}));
  EXPECT_EQ(anchors[9], (TAnchor{2, 0}));
  EXPECT_EQ(anchors[11], (TAnchor{2, -1}));
  EXPECT_EQ(anchors[13], (TAnchor{0, -1}));
  EXPECT_EQ(anchors[15], (TAnchor{-2, -1}));
}

TEST(Geometry, OutlineAnchorRules)
{
  TOutline triangle;
  AppendLine(triangle, 0, -1);
  AppendLine(triangle, 1, 1);
  AppendLine(triangle, -1, 1);
  AppendLine(triangle, 0, -1);

  const TAnchorList vertices = VertexAnchors(triangle);
  ASSERT_EQ(vertices.size(), 3u);
  EXPECT_EQ(vertices[0], (TAnchor{0, -1}));
  EXPECT_EQ(vertices[1], (TAnchor{-1, 1}));
  EXPECT_EQ(vertices[2], (TAnchor{1, 1}));

  const TAnchorList mids = VertexAndMidpointAnchors(triangle);
  ASSERT_EQ(mids.size(), 6u);
  EXPECT_EQ(mids[0], (TAnchor{0, -1}));
  EXPECT_EQ(mids[1], (TAnchor{-0.5, 0}));
  EXPECT_EQ(mids[5], (TAnchor{0.5, 0}));

  const TAnchorList quarters = VertexAndQuarterAnchors(triangle);
  ASSERT_EQ(quarters.size(), 12u);
  EXPECT_EQ(quarters[11], (TAnchor{0.25, -0.5}));
  EXPECT_EQ(quarters[10], (TAnchor{0.5, 0}));
  EXPECT_EQ(quarters[9], (TAnchor{0.75, 0.5}));
  EXPECT_EQ(quarters[8], (TAnchor{1, 1}));
}

TEST(Geometry, GridSnapRoundsToQuarterInchesHalfToEven)
{
  EXPECT_EQ(SnapToQuarterGrid({1.1, 2.2}), (TModelPoint{1.0, 2.25}));
  EXPECT_EQ(SnapToQuarterGrid({0.125, 0.375}), (TModelPoint{0.0, 0.5}));  // ties to even
  EXPECT_EQ(SnapToQuarterGrid({-0.13, 7.0}), (TModelPoint{-0.25, 7.0}));
}
