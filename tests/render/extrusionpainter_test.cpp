#include "render/extrusionpainter.h"

#include <gtest/gtest.h>

#include "rendertest.h"

using namespace rendertest;

namespace {

using TFaceFill = TExtrusionPainter::TFaceFill;

constexpr TColorRef kFace = MakeColorRef(200, 100, 50);

QImage Extruded(const TOutline& outline, int style3D, TFaceFill fill, double angle = 0)
{
  QImage image = WhiteImage(200, 200);
  TPaint paint(image);
  TExtrusionPainter::DrawExtrusion(paint.Canvas(), outline, {1, 1}, angle, style3D, kFace, fill, 0,
                                   0, 100);
  return image;
}

TOutline Hexagon()
{
  TOutline outline;
  for (const auto& [x, y] : {std::pair{-0.5, 0.0},
                             {-0.25, -0.5},
                             {0.25, -0.5},
                             {0.5, 0.0},
                             {0.25, 0.5},
                             {-0.25, 0.5},
                             {-0.5, 0.0}})
    AppendLine(outline, x, y);
  return outline;
}

}  // namespace

TEST(ExtrusionPainter, FacesAreShadedByTheDirectionTheyFace)
{
  // A 1-inch box at (1, 1) spans pixels 48..144; the depth is 12 pixels. Faces facing
  // bearing 120 get half the colour, those facing 300 all of it: right (90) 1/6 of the
  // rest, bottom (180) 1/3, left (270) 5/6, top (0) 2/3.
  const QImage downRight = Extruded(BoxOutline(1, 1), 1, TFaceFill::Filled);
  EXPECT_EQ(At(downRight, 150, 100), QColor(117, 58, 29));
  EXPECT_EQ(At(downRight, 100, 150), QColor(133, 67, 33));
  EXPECT_TRUE(IsWhite(downRight, 100, 40));
  EXPECT_TRUE(IsWhite(downRight, 40, 100));
  EXPECT_TRUE(IsWhite(downRight, 158, 158));

  const QImage upLeft = Extruded(BoxOutline(1, 1), 3, TFaceFill::Filled);
  EXPECT_EQ(At(upLeft, 42, 100), QColor(183, 92, 46));
  EXPECT_EQ(At(upLeft, 100, 42), QColor(167, 83, 42));
  EXPECT_TRUE(IsWhite(upLeft, 150, 100));

  // Objects without a fill of their own shade silver; a clear fill shows no faces; codes
  // past the table extrude nothing.
  EXPECT_EQ(At(Extruded(BoxOutline(1, 1), 1, TFaceFill::Plain), 150, 100), Grey(112));
  EXPECT_EQ(InkCount(Extruded(BoxOutline(1, 1), 1, TFaceFill::Clear), QRect(0, 0, 200, 200)), 0);
  EXPECT_EQ(InkCount(Extruded(BoxOutline(1, 1), 5, TFaceFill::Filled), QRect(0, 0, 200, 200)), 0);
  EXPECT_EQ(TExtrusionPainter::FaceShade(QColor(192, 192, 192), 120), Grey(96));
  EXPECT_EQ(TExtrusionPainter::FaceShade(QColor(192, 192, 192), 300), Grey(192));
}

TEST(ExtrusionPainter, WalkStartsAtTheVertexNearestTheReferenceBearing)
{
  // Down-right looks for bearing 225: the hexagon's lower-left vertex, or, turned by 90
  // degrees, its lower-right one, which has come round to 243.
  const TOutline hexagon = Hexagon();
  EXPECT_EQ(TExtrusionPainter::StartVertex(hexagon, {1, 1}, 0, 1), 5u);
  EXPECT_EQ(TExtrusionPainter::StartVertex(hexagon, {1, 1}, 90, 1), 4u);
  EXPECT_EQ(TExtrusionPainter::StartVertex(hexagon, {1, 1}, 0, 3), 2u);  // 45: top right
  EXPECT_EQ(TExtrusionPainter::StartVertex(hexagon, {1, 1}, 0, 4), 4u);  // 135: lower right
  // Every edge of the turned hexagon gets a face: down-right of the body there is colour.
  const QImage turned = Extruded(hexagon, 1, TFaceFill::Filled, 90);
  EXPECT_FALSE(IsWhite(turned, 96 + 20, 96 + 52));
  EXPECT_FALSE(IsWhite(turned, 96 + 34, 96 + 38));
  EXPECT_TRUE(IsWhite(turned, 96 - 30, 96 - 52));
}

TEST(ExtrusionPainter, CurvedEdgesGiveCurvedFaces)
{
  // A circle of four arcs: the face follows the curve, shifted down-right.
  const double k = 0.5523 * 0.5;
  TOutline circle;
  AppendLine(circle, 0.5, 0);
  AppendSegment(circle, 0.5, k, k, 0.5, 0, 0.5);
  AppendSegment(circle, -k, 0.5, -0.5, k, -0.5, 0);
  AppendSegment(circle, -0.5, -k, -k, -0.5, 0, -0.5);
  AppendSegment(circle, k, -0.5, 0.5, -k, 0.5, 0);
  const QImage image = Extruded(circle, 1, TFaceFill::Filled);
  EXPECT_FALSE(IsWhite(image, 136, 136));  // beyond the arc at 135 degrees
  EXPECT_TRUE(IsWhite(image, 56, 56));     // the opposite side stays clear
  EXPECT_TRUE(IsWhite(image, 144, 56));    // outside the circle's square corner
}
