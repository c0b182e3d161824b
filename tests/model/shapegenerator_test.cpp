#include <gtest/gtest.h>

#include <cmath>

#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "platform/measurecanvas.h"

namespace {

constexpr double kEps = 1e-9;

std::vector<TModelPoint> Vertices(const TOutline& outline)
{
  std::vector<TModelPoint> points;
  for (std::size_t i = 1; i < outline.size(); ++i)
    points.push_back(outline[i].End());
  return points;
}

void ExpectPoint(TModelPoint actual, double x, double y, const char* what)
{
  EXPECT_NEAR(actual.X, x, kEps) << what;
  EXPECT_NEAR(actual.Y, y, kEps) << what;
}

void ExpectAnchor(const TAnchor& anchor, double x, double y, const char* what)
{
  EXPECT_NEAR(anchor.DX, x, 1e-6) << what;
  EXPECT_NEAR(anchor.DY, y, 1e-6) << what;
}

// A Cogi of a variant and size code at (3, 3), fully refreshed.
std::unique_ptr<TCogi> MakeCogi(int variant, int size)
{
  auto cogi = std::make_unique<TCogi>();
  cogi->X = 3;
  cogi->Y = 3;
  cogi->SetShape(variant, size);
  cogi->Recalculate(nullptr, true);
  return cogi;
}

}  // namespace

TEST(ShapeGenerator, EveryVariantAndSizeClosesInsideItsBox)
{
  for (int variant = 0; variant <= 16; ++variant) {
    for (int size = 0; size <= 2; ++size) {
      SCOPED_TRACE(testing::Message() << "variant " << variant << " size " << size);
      const TCogiDimensions d = TCogi::StandardSize(variant, size);
      const TOutline outline = MakeShapeOutline(okCogi, variant, d.Width, d.Height);
      ASSERT_GE(outline.size(), 4u);
      EXPECT_EQ(outline.front().End(), outline.back().End());
      double left = 0, right = 0, top = 0, bottom = 0;
      for (std::size_t i = 0; i < outline.size(); ++i) {
        const TSegment& s = outline[i];
        left = std::min(left, s.Ex);
        right = std::max(right, s.Ex);
        top = std::min(top, s.Ey);
        bottom = std::max(bottom, s.Ey);
        // No zero-length edges.
        if (i > 0) {
          EXPECT_FALSE(s.End() == outline[i - 1].End());
        }
      }
      // Every shape spans its whole box (the tabbed box and the star reach all four sides).
      EXPECT_NEAR(left, -d.Width / 2, kEps);
      EXPECT_NEAR(right, d.Width / 2, kEps);
      EXPECT_NEAR(top, -d.Height / 2, kEps);
      EXPECT_NEAR(bottom, d.Height / 2, kEps);
      // Clusters share the family.
      EXPECT_EQ(MakeShapeOutline(okCluster, variant, d.Width, d.Height), outline);
    }
  }
  EXPECT_TRUE(MakeShapeOutline(okCogi, 17, 2, 2).empty());
  EXPECT_TRUE(MakeShapeOutline(okCluster, 18, 2, 2).empty());
  EXPECT_TRUE(MakeShapeOutline(okArrow, 7, 2, 2).empty());
  EXPECT_TRUE(MakeShapeOutline(okHotspot, 7, 2, 2).empty());
  EXPECT_EQ(MakeShapeOutline(okLabel, 99, 2, 1), MakeShapeOutline(okCogi, 3, 2, 1));
  EXPECT_EQ(MakeShapeOutline(okBalloon, 0, 2, 1), MakeShapeOutline(okCogi, 13, 2, 1));
}

TEST(ShapeGenerator, PolygonVerticesAreWhereTheTablesPutThem)
{
  // The Small standard hexagon is 1.25 inches with its points up and down.
  auto v = Vertices(MakeShapeOutline(okCogi, 7, 1.25, 1.25));
  ASSERT_EQ(v.size(), 6u);
  ExpectPoint(v[0], 0.625, -0.3125, "hexagon 1");
  ExpectPoint(v[1], 0.625, 0.3125, "hexagon 2");
  ExpectPoint(v[2], 0, 0.625, "hexagon 3");
  ExpectPoint(v[3], -0.625, 0.3125, "hexagon 4");
  ExpectPoint(v[4], -0.625, -0.3125, "hexagon 5");
  ExpectPoint(v[5], 0, -0.625, "hexagon closes at the top");
  // The lying hexagon starts at its right point.
  v = Vertices(MakeShapeOutline(okCogi, 8, 2, 1));
  ASSERT_EQ(v.size(), 6u);
  ExpectPoint(v[0], 0.5, 0.5, "lying hexagon");
  ExpectPoint(v[2], -1, 0, "lying hexagon left point");

  v = Vertices(MakeShapeOutline(okCogi, 1, 2, 1));
  ASSERT_EQ(v.size(), 3u);
  ExpectPoint(v[0], 1, 0.5, "triangle up");
  ExpectPoint(v[2], 0, -0.5, "triangle up apex");
  v = Vertices(MakeShapeOutline(okCogi, 2, 2, 1));
  ExpectPoint(v[2], 0, 0.5, "triangle down apex");

  // Medium pentagon: 2.25 inches.
  v = Vertices(MakeShapeOutline(okCogi, 4, 2.25, 2.25));
  ASSERT_EQ(v.size(), 5u);
  ExpectPoint(v[0], 1.125, -0.375, "pentagon up shoulder");
  ExpectPoint(v[1], 0.75, 1.125, "pentagon up foot");
  v = Vertices(MakeShapeOutline(okCogi, 5, 3, 3));
  ExpectPoint(v[1], 1, -1.5, "pentagon down");

  for (int variant : {6, 15}) {
    v = Vertices(MakeShapeOutline(okCogi, variant, 1.75, 1.25));
    ASSERT_EQ(v.size(), 4u);
    ExpectPoint(v[0], 0.875, 0, "diamond");
  }
  for (int variant : {3, 10, 13}) {
    v = Vertices(MakeShapeOutline(okCogi, variant, 2, 0.5));
    ASSERT_EQ(v.size(), 4u);
    ExpectPoint(v[0], 1, -0.25, "rectangle");
    ExpectPoint(v[3], -1, -0.25, "rectangle closes at top left");
  }

  v = Vertices(MakeShapeOutline(okCogi, 14, 1, 1));
  ASSERT_EQ(v.size(), 10u);
  ExpectPoint(v[3], 0.31, 0.5, "star foot");
  ExpectPoint(v[4], 0, 0.26, "star inner bottom");
  ExpectPoint(v[7], -0.5, -0.12, "star left point");

  v = Vertices(MakeShapeOutline(okCogi, 16, 2, 2));
  ASSERT_EQ(v.size(), 8u);
  ExpectPoint(v[0], 1, -0.5, "octagon");
  ExpectPoint(v[7], 0.5, -1, "octagon closes at its first corner");
}

TEST(ShapeGenerator, CurvedVariantsHaveTheirControlPoints)
{
  // The ellipse: eight points smoothed into curves through them.
  const TOutline ellipse = MakeShapeOutline(okCluster, 0, 2, 1);
  ASSERT_EQ(ellipse.size(), 9u);
  ExpectPoint(ellipse[0].End(), 0, -0.5, "ellipse start");
  ExpectPoint(ellipse[1].End(), 0.725, -0.3625, "ellipse 1");
  ExpectPoint(ellipse[2].End(), 1, 0, "ellipse 2");
  // The tangent at the top is horizontal and at the side vertical.
  EXPECT_NEAR(ellipse[1].C1y, -0.5, kEps);
  EXPECT_GT(ellipse[1].C1x, 0.0);
  EXPECT_NEAR(ellipse[2].C2x, 1, kEps);
  EXPECT_NEAR(ellipse[8].C2y, -0.5, kEps);
  EXPECT_EQ(MakeShapeOutline(okCogi, 11, 2, 1), ellipse);

  // The rounded box, W = 32 and H = 16 so that the fractions are whole.
  const TOutline box = MakeShapeOutline(okCogi, 9, 32, 16);
  ASSERT_EQ(box.size(), 13u);
  ExpectPoint(box[0].End(), 0, -8, "rounded start");
  EXPECT_EQ(box[1], (TSegment{0, -8, 8, -8, 8, -8}));  // straight to (W/4, -H/2)
  EXPECT_EQ(box[2], (TSegment{14, -8, 14, -8, 15, -7}));
  EXPECT_EQ(box[3], (TSegment{16, -6, 16, -6, 16, 0}));
  EXPECT_EQ(box[6], (TSegment{8, 8, 8, 8, 0, 8}));
  EXPECT_EQ(box[7], (TSegment{0, 8, -8, 8, -8, 8}));  // the left half starts straight
  EXPECT_EQ(box[8], (TSegment{-14, 8, -14, 8, -15, 7}));
  EXPECT_EQ(box[10], (TSegment{-16, -6, -16, -6, -15, -7}));
  EXPECT_EQ(box[11], (TSegment{-14, -8, -14, -8, -8, -8}));
  EXPECT_EQ(box[12], (TSegment{-8, -8, 0, -8, 0, -8}));  // straight back to the top middle

  // The tabbed box, W = 240 and H = 80.
  const TOutline tab = MakeShapeOutline(okCogi, 12, 240, 80);
  ExpectPoint(tab[3].End(), 120, 0, "tab right middle");
  EXPECT_EQ(tab[4], (TSegment{120, 22, 120, 22, 112.5, 27}));
  EXPECT_EQ(tab[5], (TSegment{105, 32, 105, 32, 60, 32}));
  EXPECT_EQ(tab[6], (TSegment{60, 32, 40, 32, 40, 32}));
  EXPECT_EQ(tab[7], (TSegment{40, 32, 40, 40, 0, 40}));
  EXPECT_EQ(tab[8].End(), (TModelPoint{-60, 40}));
  EXPECT_EQ(tab.back().End(), (TModelPoint{0, -40}));
}

TEST(ShapeGenerator, CogiSizesFollowTheTable)
{
  struct TCase {
    int Variant;
    double W, H;
  };
  for (const TCase& c :
       {TCase{7, 1.25, 1.25}, TCase{0, 1.25, 1.25}, TCase{4, 1.5, 1.5}, TCase{6, 1.5, 1.5},
        TCase{11, 1.5, 1.0}, TCase{12, 1.5, 1.0}, TCase{13, 2.0, 0.5}, TCase{15, 1.75, 1.25},
        TCase{16, 1.25, 1.25}, TCase{40, 1.25, 1.25}}) {
    SCOPED_TRACE(c.Variant);
    for (int size = 0; size <= 2; ++size) {
      const double factor = size == 0 ? 1 : size == 1 ? 1.5 : 2;
      auto cogi = MakeCogi(c.Variant, size);
      EXPECT_DOUBLE_EQ(cogi->Width, c.W * factor);
      EXPECT_DOUBLE_EQ(cogi->Height, c.H * factor);
    }
  }
  // A free size and the free-form variant keep whatever size they have.
  TCogi free;
  free.ShapeVariant = 7;
  free.CogiSize = kCogiFreeSize;
  free.Width = 3.3;
  free.Recalculate(nullptr, true);
  EXPECT_DOUBLE_EQ(free.Width, 3.3);
  TCogi drawn;
  drawn.ShapeVariant = 17;
  drawn.CogiSize = kCogiLarge;
  drawn.Width = 0.7;
  drawn.Recalculate(nullptr, false);
  EXPECT_DOUBLE_EQ(drawn.Width, 0.7);
}

TEST(ShapeGenerator, SnapCogiSizePicksTheNearestStandardSize)
{
  double w = 2.0, h = 1.25;
  EXPECT_EQ(TCogi::SnapCogiSize(7, 4, w, h), kCogiMedium);
  EXPECT_DOUBLE_EQ(w, 1.875);
  EXPECT_DOUBLE_EQ(h, 1.875);
  // Halfway between Medium and Large keeps Medium.
  w = 2.1875;
  EXPECT_EQ(TCogi::SnapCogiSize(7, 8, w, h), kCogiMedium);
  // A middle handle looks only at its own direction; a corner at both. Signs stay.
  w = -9.0;
  h = -2.4;
  EXPECT_EQ(TCogi::SnapCogiSize(7, 2, w, h), kCogiLarge);
  EXPECT_DOUBLE_EQ(w, -2.5);
  EXPECT_DOUBLE_EQ(h, -2.5);
  w = 2.4;
  h = 0.2;
  EXPECT_EQ(TCogi::SnapCogiSize(13, 5, w, h), kCogiSmall);  // |2.4-2|+|0.2-0.5| beats Medium
  EXPECT_DOUBLE_EQ(w, 2.0);
}

TEST(ShapeGenerator, AnchorsFollowTheVariantRule)
{
  // The standard hexagon's twelve anchors, from 1.
  auto hexagon = MakeCogi(7, kCogiSmall);
  const double W = 1.25, H = 1.25;
  ASSERT_EQ(hexagon->Anchors.size(), 12u);
  ExpectAnchor(hexagon->Anchors[0], 0, -H / 2, "1");
  ExpectAnchor(hexagon->Anchors[1], -W / 4, -3 * H / 8, "2");
  ExpectAnchor(hexagon->Anchors[2], -W / 2, -H / 4, "3");
  ExpectAnchor(hexagon->Anchors[3], -W / 2, 0, "4");
  ExpectAnchor(hexagon->Anchors[6], 0, H / 2, "7");
  ExpectAnchor(hexagon->Anchors[9], W / 2, 0, "10");
  ExpectAnchor(hexagon->Anchors[11], W / 4, -3 * H / 8, "12");

  auto ellipse = MakeCogi(0, kCogiLarge);  // 2.5 x 2.5
  ASSERT_EQ(ellipse->Anchors.size(), 16u);
  ExpectAnchor(ellipse->Anchors[0], -0.1913 * 2.5, -0.4619 * 2.5, "ellipse 1");
  ExpectAnchor(ellipse->Anchors[3], -1.25, 0, "ellipse 4");
  ExpectAnchor(ellipse->Anchors[15], 0, -1.25, "ellipse 16");

  auto rect = MakeCogi(10, kCogiSmall);  // 1.5 x 1.0
  ASSERT_EQ(rect->Anchors.size(), 28u);
  ExpectAnchor(rect->Anchors[0], -0.1388 * 1.5, -0.5, "rect28 1");
  ExpectAnchor(rect->Anchors[5], -0.75, -0.2083, "rect28 6");
  ExpectAnchor(rect->Anchors[13], 0, 0.5, "rect28 14");
  ExpectAnchor(rect->Anchors[27], 0, -0.5, "rect28 28");

  auto bar = MakeCogi(13, kCogiMedium);  // 3.0 x 0.75, box16
  ASSERT_EQ(bar->Anchors.size(), 16u);
  ExpectAnchor(bar->Anchors[0], -1.5, -0.1875, "box16 1");
  ExpectAnchor(bar->Anchors[15], -1.5, -0.375, "box16 16");

  // Vertices and quarters: the triangle's first anchor is its last edge's 3/4 point.
  auto triangle = MakeCogi(1, kCogiSmall);
  ASSERT_EQ(triangle->Anchors.size(), 12u);
  ExpectAnchor(triangle->Anchors[0], 0, -0.625, "triangle apex");
  ExpectAnchor(triangle->Anchors[1], -0.15625, -0.3125, "triangle 3/4");

  auto rounded = MakeCogi(9, kCogiSmall);  // vertices only
  EXPECT_EQ(rounded->Anchors.size(), rounded->Outline.size() - 1);
  ExpectAnchor(rounded->Anchors[0], 0, -0.5, "rounded last vertex first");

  auto star = MakeCogi(14, kCogiSmall);  // vertices and midpoints
  EXPECT_EQ(star->Anchors.size(), 20u);
}

TEST(ShapeGenerator, NumberTextAndIconPositionsFollowTheVariantTable)
{
  struct TCase {
    int Variant;
    double NumberY;
    TTextBoxFractions Box;
    double IconY;
  };
  for (const TCase& c :
       {TCase{0, -0.424, {0, 0, 0.7, 0.7}, 0.42}, TCase{2, -0.39, {0, -0.14, 0.7, 0.6}, 0.42},
        TCase{5, 0.37, {0, -0.08, 0.55, 0.75}, -0.425}, TCase{6, -0.35, {0, 0, 0.5, 0.5}, 0.35},
        TCase{7, -0.39, {0, 0, 0.8, 0.58}, 0.37}, TCase{12, -0.44, {0, -0.04, 0.9, 0.7}, 0.4},
        TCase{13, -0.38, {0, 0.07, 0.95, 0.65}, 0.42}, TCase{14, -0.42, {0, 0.05, 0.8, 0.8}, 0.2},
        TCase{25, -0.42, {0, 0.05, 0.8, 0.8}, 0.42}}) {
    SCOPED_TRACE(c.Variant);
    auto cogi = MakeCogi(c.Variant, kCogiMedium);
    EXPECT_EQ(cogi->NumberX, 0.0);
    EXPECT_DOUBLE_EQ(cogi->NumberY, c.NumberY);
    EXPECT_DOUBLE_EQ(cogi->TextOffsetY, c.Box.OffsetY);
    EXPECT_DOUBLE_EQ(cogi->TextWidth, c.Box.Width);
    EXPECT_DOUBLE_EQ(cogi->TextHeight, c.Box.Height);
    EXPECT_EQ(cogi->IconX, 0.0);
    EXPECT_DOUBLE_EQ(cogi->IconY, c.IconY);
  }
  // A move does not re-run the layout rules.
  auto cogi = MakeCogi(7, kCogiSmall);
  cogi->NumberY = 0.1;
  cogi->Recalculate(nullptr, false);
  EXPECT_EQ(cogi->NumberY, 0.1);
}

TEST(ShapeGenerator, RotationTurnsVerticesAnchorsRegionsAndBoxes)
{
  TMeasureCanvas measure;
  TCanvas& canvas = measure.Canvas();
  auto cogi = MakeCogi(7, kCogiSmall);  // at (3, 3)
  cogi->Angle = 90;
  // Clockwise: the top point now lies to the right of the centre.
  int index = 0;
  TModelPoint found;
  ASSERT_TRUE(cogi->FindAnchor({3.625, 3.0}, index, found));
  EXPECT_EQ(index, 1);
  EXPECT_NEAR(found.X, 3.625, 1e-9);
  EXPECT_NEAR(found.Y, 3.0, 1e-9);
  // ... and the left-middle anchor at the top.
  ASSERT_TRUE(cogi->FindAnchor({3.0, 2.375}, index, found));
  EXPECT_EQ(index, 4);

  // Beside the top point the unrotated hexagon slopes away; turned, its top edge is flat.
  const QPoint besideTop = canvas.ToPixel(3.25, 2.45, 0, 0, 100);
  EXPECT_TRUE(cogi->CreateRegion(canvas, 0, 0, 100).contains(besideTop));
  cogi->Angle = 0;
  EXPECT_FALSE(cogi->CreateRegion(canvas, 0, 0, 100).contains(besideTop));

  // A long bar turned by 90 degrees exchanges the sides of its screen box about its centre.
  auto bar = MakeCogi(13, kCogiSmall);  // 2.0 x 0.5
  const TPixelRect flat = bar->GetScreenBox(canvas, 0, 0, 100);
  bar->Angle = 90;
  const TPixelRect turned = bar->GetScreenBox(canvas, 0, 0, 100);
  EXPECT_EQ(turned.Width(), flat.Height());
  EXPECT_EQ(turned.Height(), flat.Width());
  EXPECT_EQ(turned.Left + turned.Right, flat.Left + flat.Right);
  EXPECT_EQ(turned.Top + turned.Bottom, flat.Top + flat.Bottom);
}

TEST(ShapeGenerator, RegionsHoldTheCentreAndNothingJustOutside)
{
  TMeasureCanvas measure;
  TCanvas& canvas = measure.Canvas();
  for (int variant = 0; variant <= 16; ++variant) {
    for (int size = 0; size <= 2; ++size) {
      SCOPED_TRACE(testing::Message() << "variant " << variant << " size " << size);
      auto cogi = MakeCogi(variant, size);
      const QRegion region = cogi->CreateRegion(canvas, 0, 0, 100);
      EXPECT_TRUE(region.contains(canvas.ToPixel(3, 3, 0, 0, 100)));
      // Seen from the centre, a point 0.05 inch beyond a vertex is outside and one 0.1 inch
      // short of it inside.
      for (std::size_t i = 1; i < cogi->Outline.size(); ++i) {
        const TModelPoint v = cogi->Outline[i].End();
        const double length = std::hypot(v.X, v.Y);
        const double ux = v.X / length, uy = v.Y / length;
        const QPoint out = canvas.ToPixel(3 + v.X + 0.05 * ux, 3 + v.Y + 0.05 * uy, 0, 0, 100);
        EXPECT_FALSE(region.contains(out)) << "vertex " << i;
        const QPoint in = canvas.ToPixel(3 + v.X - 0.1 * ux, 3 + v.Y - 0.1 * uy, 0, 0, 100);
        EXPECT_TRUE(region.contains(in)) << "vertex " << i;
      }
    }
  }
}

TEST(ShapeGenerator, AClearShapeIsHitOnlyAlongItsLine)
{
  TMeasureCanvas measure;
  TCanvas& canvas = measure.Canvas();
  auto cogi = MakeCogi(3, kCogiSmall);  // a 1.25-inch square at (3, 3), 120 pixels
  cogi->FillStyle = kFillClear;
  const QRegion region = cogi->CreateRegion(canvas, 0, 0, 100);
  EXPECT_FALSE(region.contains(canvas.ToPixel(3, 3, 0, 0, 100)));
  // The left edge sits at x = 228; the band is about (1 + 10) / 2 pixels wide either side.
  EXPECT_TRUE(region.contains(QPoint(228, 288)));
  EXPECT_TRUE(region.contains(QPoint(224, 288)));
  EXPECT_TRUE(region.contains(QPoint(232, 288)));
  EXPECT_FALSE(region.contains(QPoint(220, 288)));
  EXPECT_FALSE(region.contains(QPoint(236, 288)));
}
