#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "model/objectfactory.h"
#include "model/outlines/shapegenerator.h"
#include "model/recordtestsupport.h"
#include "model/shapes/dilemma.h"
#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

using recordtest::Record;

namespace {

constexpr double kEps = 1e-9;

void Shape(TDilemma& dilemma, int variant, double w, double h)
{
  dilemma.ShapeVariant = static_cast<std::uint8_t>(variant);
  dilemma.Width = w;
  dilemma.Height = h;
  dilemma.Outline = MakeShapeOutline(okDilemma, variant, w, h);
}

TModelPoint Midpoint(const TOutline& outline, std::size_t i)
{
  const TSegment& s = outline[i];
  return CubicPoint(0.5, outline[i - 1].End(), {s.C1x, s.C1y}, {s.C2x, s.C2y}, s.End());
}

void ExpectAnchor(const TAnchor& a, TModelPoint p, const char* what)
{
  EXPECT_NEAR(a.DX, p.X, kEps) << what;
  EXPECT_NEAR(a.DY, p.Y, kEps) << what;
}

}  // namespace

TEST(Dilemma, HornsAnchorAtTheirCornersAndCurveMiddles)
{
  for (const int variant : {0, 1}) {
    SCOPED_TRACE(variant);
    TDilemma horn;
    Shape(horn, variant, 2.4, 1.6);
    horn.Recalculate(nullptr, true);
    const TOutline& o = horn.Outline;
    ASSERT_EQ(o.size(), 4u);
    ASSERT_EQ(horn.Anchors.size(), 6u);
    // The outline closes where it starts, and the anchors lie on it: the corners and the
    // points halfway along the curves and the straight edge, last corner first.
    EXPECT_EQ(o.front().End(), o.back().End());
    ExpectAnchor(horn.Anchors[0], Midpoint(o, 3), "lower curve middle");
    ExpectAnchor(horn.Anchors[1], o[2].End(), "foot");
    ExpectAnchor(horn.Anchors[2], Midpoint(o, 2), "edge middle");
    ExpectAnchor(horn.Anchors[3], o[1].End(), "point");
    ExpectAnchor(horn.Anchors[4], Midpoint(o, 1), "upper curve middle");
    ExpectAnchor(horn.Anchors[5], o[0].End(), "root");
  }
  TDilemma right;
  Shape(right, 0, 2.4, 1.6);
  TDilemma left;
  Shape(left, 1, 2.4, 1.6);
  right.Recalculate(nullptr, true);
  left.Recalculate(nullptr, true);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_NEAR(left.Anchors[i].DX, -right.Anchors[i].DX, kEps);
    EXPECT_NEAR(left.Anchors[i].DY, right.Anchors[i].DY, kEps);
  }
  EXPECT_NEAR(right.Anchors[3].DX, 1.0, kEps);  // 5W/12 of 2.4
}

TEST(Dilemma, EachVariantPlacesItsNumberTextAndIcon)
{
  TDilemma d;
  Shape(d, 5, 2, 2);
  d.Recalculate(nullptr, true);
  EXPECT_EQ(d.NumberX, 0.25);
  EXPECT_EQ(d.NumberY, -0.38);
  EXPECT_EQ(d.TextOffsetX, -0.21);
  EXPECT_EQ(d.TextOffsetY, -0.25);
  EXPECT_EQ(d.TextWidth, 0.55);
  EXPECT_EQ(d.TextHeight, 0.4);
  EXPECT_EQ(d.IconX, -0.45);
  EXPECT_EQ(d.IconY, 0.25);
  // Triangles and the hexagon anchor at vertices and edge middles.
  EXPECT_EQ(d.Anchors.size(), 6u);
  Shape(d, 7, 2, 1);
  d.Recalculate(nullptr, true);
  EXPECT_EQ(d.Anchors.size(), 12u);
  EXPECT_EQ(d.TextWidth, 0.6);

  // The rope boxes have no number; the plain box keeps the number where it is.
  Shape(d, 8, 2, 1);
  d.Recalculate(nullptr, true);
  EXPECT_EQ(d.NumberX, -1.0);
  EXPECT_EQ(d.NumberY, -1.0);
  EXPECT_EQ(d.Anchors.size(), 16u);
  Shape(d, 2, 2, 1);
  d.NumberX = 0.1;
  d.NumberY = 0.2;
  d.Recalculate(nullptr, true);
  EXPECT_EQ(d.NumberX, 0.1);
  EXPECT_EQ(d.NumberY, 0.2);
  EXPECT_EQ(d.TextWidth, 0.95);
  TDilemma fresh;
  Shape(fresh, 2, 2, 1);
  fresh.Recalculate(nullptr, true);
  EXPECT_EQ(fresh.NumberY, -0.4);

  // A variant past the table is laid out as the plain box and keeps its stored value.
  Shape(d, 200, 2, 1);
  EXPECT_TRUE(d.Outline.empty());
  d.Outline = MakeShapeOutline(okDilemma, 2, 2, 1);
  d.Recalculate(nullptr, true);
  EXPECT_EQ(d.TextWidth, 0.95);
  EXPECT_EQ(d.Anchors.size(), 16u);
  EXPECT_FALSE(d.DilemmaBitmap);
  EXPECT_EQ(d.ShapeVariant, 200);
}

TEST(Dilemma, RopesAreTurnedPicturesRebuiltOnlyWhenRefreshed)
{
  TDilemma rope;
  Shape(rope, TDilemma::kRopeVariant, 3, 1);
  EXPECT_FALSE(rope.DilemmaBitmap);
  rope.Recalculate(nullptr, true);
  ASSERT_TRUE(rope.DilemmaBitmap);
  const QImage picture = TDilemma::RopePicture(TDilemma::kRopeVariant);
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(rope.DilemmaBitmap->size(), picture.size());
  EXPECT_NE(TDilemma::RopePicture(TDilemma::kFrayedRopeVariant), picture);
  EXPECT_TRUE(TDilemma::RopePicture(3).isNull());

  // Turning the object leaves the picture as it was until the next refresh.
  rope.Angle = 90;
  EXPECT_EQ(rope.DilemmaBitmap->size(), picture.size());
  rope.Recalculate(nullptr, false);
  EXPECT_EQ(rope.DilemmaBitmap->width(), picture.height());
  EXPECT_EQ(rope.DilemmaBitmap->height(), picture.width());

  // Drawn into the box, the rope shows and its white background lets the ground through.
  rope.Angle = 0;
  rope.X = 2;
  rope.Y = 1;
  rope.Recalculate(nullptr, true);
  QImage image(400, 200, QImage::Format_RGB32);
  image.fill(qRgb(0, 200, 0));
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  rope.DrawBody(canvas, 0, 0, 100);
  painter.end();
  EXPECT_EQ(image.pixel(60, 60), qRgb(0, 200, 0));  // above the rope, inside the box
  int rope_pixels = 0;
  for (int x = 48; x < 336; ++x)
    rope_pixels += QColor(image.pixel(x, 96)).red() > 60;
  EXPECT_GT(rope_pixels, 200);
  EXPECT_EQ(image.pixel(10, 96), qRgb(0, 200, 0));  // outside the box

  // Another variant drops the picture.
  Shape(rope, 3, 3, 1);
  rope.Recalculate(nullptr, true);
  EXPECT_FALSE(rope.DilemmaBitmap);
}

TEST(Dilemma, TheRecordRoundTrips)
{
  std::unique_ptr<CGPObject> made(TObjectFactory::Create(7));
  auto* dilemma = dynamic_cast<TDilemma*>(made.get());
  ASSERT_NE(dilemma, nullptr);
  EXPECT_EQ(dilemma->ClassDisplayName(), QStringLiteral("Dilemma"));
  Shape(*dilemma, 6, 1.5, 1.25);
  dilemma->Angle = 45;
  dilemma->Style3D = 2;
  const QByteArray bytes = Record(*dilemma);
  EXPECT_EQ(bytes.size(), 144 + 52 * static_cast<int>(dilemma->Outline.size()) + 1);
  TBinaryReader reader(bytes);
  ASSERT_EQ(reader.ReadInt32(), 7);
  TDilemma loaded;
  loaded.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(loaded.ShapeVariant, 6);
  EXPECT_EQ(loaded.Outline, dilemma->Outline);
  EXPECT_EQ(loaded.Angle, 45);
  EXPECT_EQ(Record(loaded), bytes);
}
