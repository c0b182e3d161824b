#include "render/gradientpainter.h"

#include <gtest/gtest.h>

#include "rendertest.h"

using namespace rendertest;

namespace {

constexpr TColorRef kFace = MakeColorRef(0, 0, 0);
constexpr TColorRef kBack = MakeColorRef(200, 100, 40);
const QColor kBackColor(200, 100, 40);

QImage Gradient(int kind, const QRegion& region, QSize size = QSize(60, 60))
{
  QImage image = WhiteImage(size.width(), size.height());
  TPaint paint(image);
  TGradientPainter::GradientFill(paint.Canvas(), region, kind, kBack, kFace);
  return image;
}

int Red(const QImage& image, int x, int y)
{
  return At(image, x, y).red();
}

}  // namespace

TEST(GradientPainter, BandsAndShapesRunFromTheFaceToTheBackColour)
{
  // Horizontal bands of 3 rows: top is the face colour, the last band (n = 57 of 60) is
  // 57/60 of the way, the middle band half way (200 x 30 / 60 = 100).
  const QImage bands = Gradient(0, QRegion(0, 0, 20, 60));
  EXPECT_EQ(At(bands, 5, 0), QColor(0, 0, 0));
  EXPECT_EQ(At(bands, 5, 2), QColor(0, 0, 0));
  EXPECT_EQ(At(bands, 5, 59), QColor(190, 95, 38));
  EXPECT_EQ(Red(bands, 5, 30), 100);
  EXPECT_EQ(Red(Gradient(1, QRegion(0, 0, 60, 20)), 59, 5), 190);

  // From the middle outward: the edges get the back colour, the middle the face colour.
  const QImage middle = Gradient(2, QRegion(0, 0, 20, 60));
  EXPECT_EQ(At(middle, 5, 0), kBackColor);
  EXPECT_EQ(At(middle, 5, 30), QColor(0, 0, 0));
  EXPECT_EQ(Red(middle, 5, 29), 13);                                              // 2 of 30
  EXPECT_EQ(At(Gradient(3, QRegion(0, 0, 60, 20)), 59, 5), QColor(187, 93, 37));  // 28 of 30

  // Triangles from a bottom corner, circles and rectangles: the far side is the back
  // colour, the near side almost the face colour.
  const QRegion box(0, 0, 40, 30);
  EXPECT_EQ(At(Gradient(4, box), 39, 0), kBackColor);
  EXPECT_EQ(Red(Gradient(4, box), 0, 29), 11);  // 4 of 70
  EXPECT_EQ(At(Gradient(5, box), 0, 0), kBackColor);
  EXPECT_EQ(Red(Gradient(5, box), 39, 29), 11);
  EXPECT_EQ(At(Gradient(6, box), 0, 0), kBackColor);
  EXPECT_EQ(Red(Gradient(6, box), 19, 14), 15);  // 2 of 26
  EXPECT_EQ(At(Gradient(7, box), 39, 29), kBackColor);
  EXPECT_LT(Red(Gradient(7, box), 0, 0), 15);
  EXPECT_LT(Red(Gradient(9, box), 39, 29), 15);
  EXPECT_EQ(At(Gradient(11, box), 0, 15), kBackColor);
  EXPECT_EQ(Red(Gradient(11, box), 20, 15), 13);  // 1 of 15
  EXPECT_LT(Red(Gradient(13, box), 39, 0), 15);
  EXPECT_EQ(At(Gradient(13, box), 0, 29), kBackColor);

  // Only the region is painted.
  const QImage ellipse = Gradient(0, QRegion(QRect(0, 0, 40, 30), QRegion::Ellipse));
  EXPECT_TRUE(IsWhite(ellipse, 0, 0));
  EXPECT_FALSE(IsWhite(ellipse, 20, 15));
}

TEST(GradientPainter, GradientOnePixelAcrossFillsWithTheFirstColour)
{
  // From the middle outward, a band one pixel across has no steps to divide by.
  const QImage wide = Gradient(2, QRegion(0, 10, 50, 1));
  const QImage high = Gradient(3, QRegion(10, 0, 1, 50));
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(At(wide, i, 10), QColor(0, 0, 0)) << i;
    EXPECT_EQ(At(high, 10, i), QColor(0, 0, 0)) << i;
  }
  EXPECT_EQ(TGradientPainter::StepColor(0, 0, Qt::red, Qt::blue), QColor(Qt::red));
}

TEST(GradientPainter, CirclesWithoutReachDrawNothing)
{
  // One pixel wide: circles round the centre have no horizontal reach; those round a
  // corner reach across the whole width and do draw.
  const QRegion strip(5, 0, 1, 40);
  EXPECT_EQ(InkCount(Gradient(6, strip), QRect(0, 0, 60, 60)), 0);
  EXPECT_EQ(InkCount(Gradient(7, strip), QRect(0, 0, 60, 60)), 40);
  for (int kind = 0; kind < TGradientPainter::Count; ++kind)
    EXPECT_EQ(InkCount(Gradient(kind, QRegion()), QRect(0, 0, 60, 60)), 0) << kind;
}

TEST(GradientPainter, GradientIndexPastTheTableDrawsGradientZero)
{
  const QRegion box(0, 0, 40, 30);
  const QImage zero = Gradient(0, box);
  EXPECT_EQ(Gradient(16, box), zero);
  EXPECT_EQ(Gradient(255, box), zero);
  EXPECT_EQ(Gradient(-1, box), zero);
}

TEST(GradientPainter, LargeAreasAreWorkedOutOnACoarserGrid)
{
  // Over 2048 x 2048 visible pixels the bands are computed per 2 x 2 cell; they stay
  // in place.
  const QImage image = Gradient(1, QRegion(0, 0, 2100, 2100), QSize(2100, 2100));
  EXPECT_EQ(Red(image, 0, 0), 0);
  EXPECT_EQ(Red(image, 1050, 1000), 100);
  EXPECT_EQ(Red(image, 2099, 2099), 200);  // 2097 of 2100: 199.71 rounds up
  EXPECT_EQ(Red(image, 2092, 2099), 199);  // 2091 of 2100: 199.14
}
