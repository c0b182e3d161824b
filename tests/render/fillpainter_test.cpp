#include "render/fillpainter.h"

#include <gtest/gtest.h>

#include <QPainterPath>

#include "render/patterns.h"
#include "render/picturepainter.h"
#include "rendertest.h"

using namespace rendertest;

namespace {

constexpr TColorRef kRed = MakeColorRef(255, 0, 0);
constexpr TColorRef kBlue = MakeColorRef(0, 0, 255);

QImage Filled(const QRegion& region, int style, int pattern = 0, const TPicture* picture = nullptr)
{
  QImage image = WhiteImage(60, 60);
  TPaint paint(image);
  TFillPainter::FillRegion(paint.Canvas(), region, style, 100, pattern, 0, picture, false, kBlue,
                           kRed);
  return image;
}

}  // namespace

TEST(FillPainter, Pattern20GivesOnePixelStripesAlignedToTheDevice)
{
  // Rows 0xAA: the leftmost pixel of every 8 is a 1-bit (back colour), then alternately.
  // The region starts at x = 3, but the stripes follow the device's columns.
  const QRect area(3, 5, 40, 20);
  const QImage image = Filled(QRegion(area), TFillPainter::Pattern, 20);
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      ASSERT_EQ(At(image, x, y), QColor(x % 2 == 0 ? Qt::red : Qt::blue)) << x << "," << y;
  EXPECT_TRUE(IsWhite(image, 2, 10));
  EXPECT_TRUE(IsWhite(image, 43, 10));
  EXPECT_TRUE(IsWhite(image, 10, 25));
}

TEST(FillPainter, PatternIndexPastTheTableDrawsPatternZero)
{
  const QRegion area(0, 0, 40, 40);
  const QImage zero = Filled(area, TFillPainter::Pattern, 0);
  EXPECT_EQ(Filled(area, TFillPainter::Pattern, 49), zero);
  EXPECT_EQ(Filled(area, TFillPainter::Pattern, 255), zero);
  // Pattern 0 is all 1-bits (back) but for two 0-bits (face) per tile: (4, 2) and (0, 6).
  EXPECT_EQ(At(zero, 4, 2), QColor(Qt::blue));
  EXPECT_EQ(At(zero, 8, 6), QColor(Qt::blue));
  EXPECT_EQ(At(zero, 5, 2), QColor(Qt::red));
  EXPECT_FALSE(TPatterns::Bit(0, 12, 10));
  EXPECT_TRUE(TPatterns::Bit(0, 13, 10));
  EXPECT_FALSE(TPatterns::Bit(0, -4, -6));  // the grid repeats to the left and above too
}

TEST(FillPainter, SolidClearAndUnknownStyles)
{
  const QRegion ellipse(QRect(10, 10, 30, 20), QRegion::Ellipse);
  const QImage solid = Filled(ellipse, TFillPainter::Solid);
  EXPECT_EQ(At(solid, 25, 20), QColor(Qt::blue));
  EXPECT_TRUE(IsWhite(solid, 10, 10));  // the ellipse's corner stays outside
  EXPECT_EQ(InkCount(Filled(ellipse, TFillPainter::Clear), QRect(0, 0, 60, 60)), 0);
  // A fill style from a damaged file fills solid, the default.
  EXPECT_EQ(Filled(ellipse, 9), solid);

  // A path fills solid straight from the path and through its pixels otherwise.
  QPainterPath triangle;
  triangle.moveTo(10, 50);
  triangle.lineTo(50, 50);
  triangle.lineTo(10, 10);
  triangle.closeSubpath();
  for (int style : {TFillPainter::Solid, TFillPainter::Pattern}) {
    QImage image = WhiteImage(60, 60);
    TPaint paint(image);
    TFillPainter::FillPath(paint.Canvas(), triangle, style, 100, 22, 0, nullptr, true, kBlue, kRed);
    EXPECT_FALSE(IsWhite(image, 15, 45)) << style;
    EXPECT_TRUE(IsWhite(image, 45, 15)) << style;
  }
}

TEST(FillPainter, PictureFillWithoutAPictureShowsTheLogo)
{
  const TPicture& logo = TPicturePainter::LogoPicture();
  ASSERT_GT(logo.Width(), 0);
  ASSERT_GT(logo.Height(), 0);
  const QRegion area(0, 0, 60, 60);
  const QImage withLogo = Filled(area, TFillPainter::Picture, 0, &logo);
  EXPECT_EQ(Filled(area, TFillPainter::Picture), withLogo);
  // A zero-sized picture counts as none rather than tiling forever.
  const TPicture empty =
      TPicture::FromEncoded(TPicture::TKind::Bitmap, QByteArray("x"), QImage(), QSize(0, 40));
  EXPECT_EQ(Filled(area, TFillPainter::Picture, 0, &empty), withLogo);
  EXPECT_EQ(At(withLogo, 5, 5), QColor(logo.Image().pixel(5, 5)));
}

TEST(FillPainter, HugePathsFillOnlyWhatTheDeviceShows)
{
  // A square a thousand million pixels across, as a huge zoom produces: the pattern and
  // gradient fills work on the visible part only, and the gradient keeps the whole
  // square's geometry (the middle of a left-to-right gradient is half way).
  QPainterPath square;
  square.addRect(QRectF(-1e9, -1e9, 2e9 + 30, 2e9));
  QImage image = WhiteImage(60, 60);
  TPaint paint(image);
  TFillPainter::FillPath(paint.Canvas(), square, TFillPainter::Gradient, 100, 0, 1, nullptr, true,
                         colors::Black, colors::White);
  const QColor middle = At(image, 30, 30);
  EXPECT_NEAR(middle.red(), 128, 1);
  EXPECT_EQ(middle.red(), middle.blue());
  TFillPainter::FillPath(paint.Canvas(), square, TFillPainter::Pattern, 100, 20, 0, nullptr, true,
                         kBlue, kRed);
  EXPECT_EQ(At(image, 30, 30), QColor(Qt::red));
  EXPECT_EQ(At(image, 31, 30), QColor(Qt::blue));
}
