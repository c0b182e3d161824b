// Block arrows: the seven outlines, their anchors, text boxes, icons and record.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "model/objectfactory.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/blockarrow.h"
#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

namespace {

std::vector<TModelPoint> Vertices(const TOutline& outline)
{
  std::vector<TModelPoint> points;
  for (const TSegment& s : outline)
    points.push_back({s.Ex, s.Ey});
  return points;
}

void ExpectClosedPolygon(const TOutline& outline, std::vector<TModelPoint> corners, int variant)
{
  corners.push_back(corners.front());
  const std::vector<TModelPoint> points = Vertices(outline);
  ASSERT_EQ(points.size(), corners.size()) << variant;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    EXPECT_NEAR(points[i].X, corners[i].X, 1e-12) << variant << " vertex " << i;
    EXPECT_NEAR(points[i].Y, corners[i].Y, 1e-12) << variant << " vertex " << i;
  }
  // Every edge is straight: its controls lie on its ends.
  for (std::size_t i = 1; i < outline.size(); ++i) {
    EXPECT_EQ(outline[i].C1x, outline[i - 1].Ex);
    EXPECT_EQ(outline[i].C2y, outline[i].Ey);
  }
}

}  // namespace

TEST(BlockArrow, OutlinesOfTheSevenVariants)
{
  // W = 4, H = 2 so that every fraction is visible.
  ExpectClosedPolygon(MakeShapeOutline(okBlockArrow, 0, 4, 2),
                      {{-2, -0.5}, {0, -0.5}, {0, -1}, {2, 0}, {0, 1}, {0, 0.5}, {-2, 0.5}}, 0);
  ExpectClosedPolygon(
      MakeShapeOutline(okBlockArrow, 1, 4, 2),
      {{-1.4, 0}, {-2, -0.6}, {0.6, -0.3}, {0.2, -1}, {2, 0}, {0.2, 1}, {0.6, 0.3}, {-2, 0.6}}, 1);
  ExpectClosedPolygon(MakeShapeOutline(okBlockArrow, 2, 4, 2),
                      {{-2, 0},
                       {-1, -1},
                       {-1, -0.5},
                       {1, -0.5},
                       {1, -1},
                       {2, 0},
                       {1, 1},
                       {1, 0.5},
                       {-1, 0.5},
                       {-1, 1}},
                      2);
  ExpectClosedPolygon(MakeShapeOutline(okBlockArrow, 4, 4, 2),
                      {{-2, -1}, {2, -1}, {2, 0.5}, {0, 1}, {-2, 0.5}}, 4);
  ExpectClosedPolygon(MakeShapeOutline(okBlockArrow, 5, 4, 2),
                      {{-2, -1},
                       {2, -1},
                       {2, 0},
                       {1, 0},
                       {1, 0.5},
                       {2, 0.5},
                       {0, 1},
                       {-2, 0.5},
                       {-1, 0.5},
                       {-1, 0},
                       {-2, 0}},
                      5);
  ExpectClosedPolygon(MakeShapeOutline(okBlockArrow, 6, 4, 2),
                      {{-2, -1}, {0, -0.5}, {2, -1}, {2, 0.5}, {0, 1}, {-2, 0.5}}, 6);

  // The curved arrow: two corners, a sampled curve of ten points, four corners and a second
  // sampled curve whose last sample closes the outline on the first point.
  const std::vector<TModelPoint> curved = Vertices(MakeShapeOutline(okBlockArrow, 3, 4, 2));
  ASSERT_EQ(curved.size(), 26u);
  EXPECT_EQ(curved[0], (TModelPoint{-2, 0}));
  EXPECT_EQ(curved[1], (TModelPoint{-2, -1}));
  const TModelPoint first = CubicPoint(0.1, {-2, -1}, {-0.5, -1}, {1, -0.25}, {1, 0.5});
  EXPECT_NEAR(curved[2].X, first.X, 1e-12);
  EXPECT_NEAR(curved[2].Y, first.Y, 1e-12);
  EXPECT_NEAR(curved[11].X, 1, 1e-12);
  EXPECT_NEAR(curved[11].Y, 0.5, 1e-12);
  EXPECT_EQ(curved[12], (TModelPoint{2, 0.5}));
  EXPECT_EQ(curved[13], (TModelPoint{0, 1}));
  EXPECT_EQ(curved[15], (TModelPoint{-1, 0.5}));
  EXPECT_NEAR(curved[25].X, -2, 1e-12);
  EXPECT_NEAR(curved[25].Y, 0, 1e-12);

  EXPECT_TRUE(MakeShapeOutline(okBlockArrow, 7, 4, 2).empty());
  EXPECT_TRUE(MakeShapeOutline(okBlockArrow, 255, 4, 2).empty());
}

TEST(BlockArrow, AnchorsTextBoxesIconsAndNumber)
{
  std::unique_ptr<CGPObject> object(TObjectFactory::Create(5));
  auto* arrow = dynamic_cast<TBlockArrow*>(object.get());
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->KindCode(), 5);
  EXPECT_EQ(arrow->ClassDisplayName(), QStringLiteral("Arrow"));
  arrow->Width = 4;
  arrow->Height = 2;
  arrow->X = 10;
  arrow->Y = 5;
  arrow->ShowNumber = true;
  arrow->SetShape(0);
  arrow->Recalculate(nullptr, true);
  // Vertices and midpoints of the seven edges, inserted at the front: the last edge first.
  ASSERT_EQ(arrow->Anchors.size(), 14u);
  EXPECT_EQ(arrow->Anchors[0].DX, -2);  // the closing vertex (-W/2, -H/4)
  EXPECT_EQ(arrow->Anchors[0].DY, -0.5);
  EXPECT_EQ(arrow->Anchors[1].DX, -2);  // the midpoint of the closing edge
  EXPECT_EQ(arrow->Anchors[1].DY, 0);
  EXPECT_EQ(arrow->Anchors[13].DX, -1);  // the middle of the first edge
  EXPECT_EQ(arrow->NumberX, -1);
  EXPECT_EQ(arrow->NumberY, -1);
  EXPECT_EQ(arrow->TextOffsetX, -0.1);
  EXPECT_EQ(arrow->TextWidth, 0.75);
  EXPECT_EQ(arrow->TextHeight, 0.45);
  EXPECT_EQ(arrow->IconX, 0.35);
  EXPECT_EQ(arrow->IconY, 0);

  const struct {
    int variant;
    TTextBoxFractions box;
    TModelPoint icon;
  } table[] = {{1, {-0.05, 0, 0.6, 0.25}, {0.35, 0}},    {2, {0, 0, 0.75, 0.5}, {0.425, 0}},
               {3, {0, 0.15, 0.4, 0.45}, {-0.4, -0.25}}, {4, {0, -0.1, 0.95, 0.7}, {0, 0.35}},
               {5, {0, -0.25, 0.95, 0.5}, {0, 0.35}},    {6, {0, 0, 0.95, 0.5}, {0, 0.35}},
               {7, {0, 0.05, 0.8, 0.8}, {0, 0.42}}};
  for (const auto& row : table) {
    arrow->SetShape(row.variant);
    arrow->Recalculate(nullptr, true);
    EXPECT_EQ(arrow->TextOffsetX, row.box.OffsetX) << row.variant;
    EXPECT_EQ(arrow->TextOffsetY, row.box.OffsetY) << row.variant;
    EXPECT_EQ(arrow->TextWidth, row.box.Width) << row.variant;
    EXPECT_EQ(arrow->TextHeight, row.box.Height) << row.variant;
    EXPECT_EQ(arrow->IconX, row.icon.X) << row.variant;
    EXPECT_EQ(arrow->IconY, row.icon.Y) << row.variant;
  }
  EXPECT_TRUE(arrow->Anchors.empty());  // variant 7 has no outline

  // Rotated block arrows hold anchors turned with them.
  arrow->SetShape(2);
  arrow->Angle = 90;
  arrow->Recalculate(nullptr, true);
  int index = 0;
  TModelPoint at;
  EXPECT_TRUE(arrow->FindAnchor({10, 5 + 2}, index, at));  // the right tip turned down
  EXPECT_FALSE(arrow->FindAnchor({10 + 2, 5}, index, at));
}

TEST(BlockArrow, RecordRoundTripAndDrawing)
{
  TBlockArrow arrow;
  arrow.Width = 3;
  arrow.Height = 1.5;
  arrow.SetShape(3);
  arrow.Angle = 30;
  arrow.FaceColor = 0x00AAFF;
  QByteArray bytes;
  {
    TBinaryWriter writer(bytes);
    arrow.SaveToStream(writer);
  }
  // The Cogi record less the Cogi's size byte: 145 + 52 per segment.
  EXPECT_EQ(bytes.size(), 145 + 52 * static_cast<qsizetype>(arrow.Outline.size()));
  TBinaryReader reader(bytes);
  ASSERT_EQ(reader.ReadInt32(), 5);
  std::unique_ptr<CGPObject> object(TObjectFactory::Create(5));
  object->LoadFromStream(reader);
  auto* copy = static_cast<TBlockArrow*>(object.get());
  EXPECT_EQ(copy->ShapeVariant, 3);
  EXPECT_EQ(copy->Angle, 30);
  EXPECT_EQ(copy->FaceColor, 0x00AAFFu);
  EXPECT_EQ(Vertices(copy->Outline), Vertices(arrow.Outline));
  EXPECT_EQ(reader.Remaining(), 0);

  // Every variant fills its body: the middle of variant 0 is painted, the corner is not.
  for (int variant = 0; variant < kBlockArrowVariants; ++variant) {
    QImage image(300, 200, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter);
    TBlockArrow shape;
    shape.X = 1.5;
    shape.Y = 1;
    shape.Width = 2;
    shape.Height = 1.5;
    shape.FaceColor = 0x0000FF;
    shape.SetShape(variant);
    shape.Recalculate(nullptr, true);
    shape.Draw(canvas, false, 0, 0, 100);
    painter.end();
    // Each variant covers a point just left of its centre (the curved one its head).
    const QPoint inside =
        variant == 3 ? canvas.ToPixel(1.5, 1.5, 0, 0, 100) : canvas.ToPixel(1.4, 1, 0, 0, 100);
    EXPECT_EQ(QColor(image.pixel(inside)), QColor(255, 0, 0)) << variant;
    EXPECT_EQ(QColor(image.pixel(canvas.ToPixel(0.55, 1.7, 0, 0, 100))), QColor(Qt::white))
        << variant;
  }
}
