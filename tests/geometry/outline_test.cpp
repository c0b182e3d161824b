#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "geometry/geometry.h"
#include "geometry/outline.h"
#include "platform/canvas.h"

TEST(Outline, AppendSkipsRepeatedEndPoints)
{
  TOutline list;
  AppendSegment(list, 0, 0, 0, 0, 1, 1);
  AppendSegment(list, 1, 1, 2, 2, 2, 2);
  AppendSegment(list, 5, 5, 6, 6, 2, 2);  // same end: nothing added
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].C1x, 1);
  AppendLine(list, 3, 2);
  ASSERT_EQ(list.size(), 3u);
  // A straight edge has C1 at the previous end and C2 at its own end.
  EXPECT_EQ(list[2], (TSegment{2, 2, 3, 2, 3, 2}));

  TOutline copy = {TSegment{}, TSegment{}};
  TOutline source = {{0, 0, 0, 0, 1, 1}, {0, 0, 0, 0, 1, 1}, {0, 0, 0, 0, 2, 1}};
  CopyOutline(source, copy);
  ASSERT_EQ(copy.size(), 2u);
  EXPECT_EQ(copy[1].Ex, 2);

  ScaleOutline(copy, 2, 3);
  EXPECT_EQ(copy[1], (TSegment{0, 0, 0, 0, 4, 3}));
  FreeOutline(copy);
  EXPECT_TRUE(copy.empty());
}

TEST(Outline, SmoothingASquareGivesArcHandlesAtOneThirdOfTheChord)
{
  TOutline square;
  AppendLine(square, 0, -1);
  AppendLine(square, 1, 0);
  AppendLine(square, 0, 1);
  AppendLine(square, -1, 0);
  AppendLine(square, 0, -1);
  SmoothOutline(square);
  ASSERT_EQ(square.size(), 5u);
  const double k = std::sqrt(2.0) / 3.0;
  EXPECT_NEAR(square[1].C1x, k, 1e-9);
  EXPECT_NEAR(square[1].C1y, -1, 1e-9);
  EXPECT_NEAR(square[1].C2x, 1, 1e-9);
  EXPECT_NEAR(square[1].C2y, -k, 1e-9);
  EXPECT_EQ(square[1].Ex, 1);
  EXPECT_EQ(square[1].Ey, 0);
  // The closing segment arrives at the start with a tangent parallel to its neighbours' chord.
  EXPECT_NEAR(square[4].C2x, -k, 1e-9);
  EXPECT_NEAR(square[4].C2y, -1, 1e-9);
  EXPECT_NEAR(square[4].C1x, -1, 1e-9);
  EXPECT_NEAR(square[4].C1y, -k, 1e-9);
}

TEST(Outline, SimplifyThinsAScribbleAndKeepsItsEnds)
{
  TOutline scribble;
  // A straight stroke of small steps, then a right-angle turn.
  for (int i = 0; i <= 40; ++i)
    AppendLine(scribble, i * 0.05, 0);
  for (int i = 1; i <= 40; ++i)
    AppendLine(scribble, 2.0, i * 0.05);
  SimplifyOutline(scribble);
  // Start, corner region and end survive; the collinear points in between are dropped.
  ASSERT_GE(scribble.size(), 3u);
  ASSERT_LE(scribble.size(), 5u);
  EXPECT_EQ(scribble.front().Ex, 0);
  EXPECT_EQ(scribble.front().Ey, 0);
  EXPECT_NEAR(scribble.back().Ex, 2.0, 1e-9);
  EXPECT_NEAR(scribble.back().Ey, 2.0, 1e-9);
}

TEST(Outline, PathsAndBoxesUseTheDeviceTransform)
{
  QImage image(200, 200, QImage::Format_RGB32);
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);

  TOutline line;
  AppendLine(line, -0.5, 0);
  AppendLine(line, 0.5, 0);
  const QPainterPath path = OutlinePath(canvas, line, 90, 100, 0, 0, {1, 1});
  ASSERT_EQ(path.elementCount(), 2);
  // Turned by 90 degrees about (1, 1): from (1, 0.5) to (1, 1.5) inches.
  EXPECT_EQ(path.elementAt(0).x, 96);
  EXPECT_EQ(path.elementAt(0).y, 48);
  EXPECT_EQ(path.elementAt(1).x, 96);
  EXPECT_EQ(path.elementAt(1).y, 144);
  EXPECT_TRUE(path.elementAt(1).isLineTo());

  TOutline curve;
  AppendLine(curve, 0, 0);
  AppendSegment(curve, 0.25, -0.5, 0.75, -0.5, 1, 0);
  const QPainterPath cubic = OutlinePath(canvas, curve, 0, 100, 0, 0, {0, 1});
  EXPECT_TRUE(cubic.elementAt(1).type == QPainterPath::CurveToElement);

  const QPolygon box = RectanglePolygon(canvas, 0, 100, 0, 0, 1, 1, {1, 1});
  EXPECT_EQ(box.at(0), QPoint(48, 48));
  EXPECT_EQ(box.at(2), QPoint(144, 144));

  EXPECT_EQ(RotatedBox({0, 0, 10, 10}, 0), (TPixelRect{0, 0, 10, 10}));
  EXPECT_EQ(RotatedBox({0, 0, 20, 10}, 90), (TPixelRect{5, -5, 15, 15}));
  const TPixelRect turned = RotatedBox({0, 0, 10, 10}, 45);
  EXPECT_EQ(turned.Width(), 14);
  EXPECT_EQ(turned.Height(), 14);
}
