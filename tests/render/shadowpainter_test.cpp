#include "render/shadowpainter.h"

#include <gtest/gtest.h>

#include "render/linerenderer.h"
#include "rendertest.h"

using namespace rendertest;

namespace {

const QColor kShadow = Grey(180);

void ExpectOffset(TModelPoint actual, double dx, double dy)
{
  EXPECT_DOUBLE_EQ(actual.X, dx);
  EXPECT_DOUBLE_EQ(actual.Y, dy);
}

QImage BoxShadow(int shadow, int style3D, QColor below = Qt::white)
{
  QImage image = WhiteImage(200, 200);
  image.fill(below);
  TPaint paint(image);
  TShadowPainter::DrawBoxShadow(paint.Canvas(), {1, 1}, 1, 1, shadow, style3D, 0, 0, 100);
  return image;
}

}  // namespace

TEST(ShadowPainter, OffsetsDependOnDirectionAndThreeD)
{
  const double s = 5.0 / 24.0;
  const double f = 1.0 / 12.0;
  ExpectOffset(TShadowPainter::ShadowOffset(1, 1), s, s);
  ExpectOffset(TShadowPainter::ShadowOffset(1, 0), f, f);
  ExpectOffset(TShadowPainter::ShadowOffset(2, 3), -s, s);
  ExpectOffset(TShadowPainter::ShadowOffset(3, 0), -f, -f);
  ExpectOffset(TShadowPainter::ShadowOffset(4, 4), s, -s);
  ExpectOffset(TShadowPainter::ShadowOffset(0, 1), 0, 0);
  // Codes past the tables (from damaged files) mean no shadow and no 3-D.
  ExpectOffset(TShadowPainter::ShadowOffset(5, 1), 0, 0);
  ExpectOffset(TShadowPainter::ShadowOffset(1, 9), f, f);

  // A 1-inch box at (1, 1), 96 pixels per inch: 5/24 inch is 20 pixels, 1/12 inch 8.
  const QImage with3D = BoxShadow(1, 1);
  EXPECT_TRUE(IsWhite(with3D, 67, 67));
  EXPECT_EQ(At(with3D, 68, 68), kShadow);
  EXPECT_EQ(At(with3D, 163, 163), kShadow);
  EXPECT_TRUE(IsWhite(with3D, 164, 164));
  const QImage flat = BoxShadow(1, 0);
  EXPECT_TRUE(IsWhite(flat, 55, 55));
  EXPECT_EQ(At(flat, 56, 56), kShadow);
  EXPECT_EQ(At(flat, 151, 151), kShadow);
  EXPECT_TRUE(IsWhite(flat, 152, 152));
  const QImage upLeft = BoxShadow(3, 1);
  EXPECT_TRUE(IsWhite(upLeft, 27, 27));
  EXPECT_EQ(At(upLeft, 28, 28), kShadow);
  EXPECT_TRUE(IsWhite(upLeft, 124, 124));
  EXPECT_EQ(InkCount(BoxShadow(7, 0), QRect(0, 0, 200, 200)), 0);
}

TEST(ShadowPainter, MaskDarkensWhatLiesBelow)
{
  // 200 & 180 = 128, 100 & 180 = 36, 50 & 180 = 48.
  EXPECT_EQ(At(BoxShadow(1, 0, QColor(200, 100, 50)), 100, 100), QColor(128, 36, 48));
  QImage image = WhiteImage(40, 40);
  image.fill(QColor(200, 100, 50));
  {
    TPaint paint(image);
    TShadowPainter::MaskFillRegion(paint.Canvas(), QRegion(10, 10, 10, 10), colors::ShadowGrey);
    EXPECT_EQ(paint.Painter().compositionMode(), QPainter::CompositionMode_SourceOver);
  }
  EXPECT_EQ(At(image, 15, 15), QColor(128, 36, 48));
  EXPECT_EQ(At(image, 25, 15), QColor(200, 100, 50));
}

TEST(ShadowPainter, FilledOutlinesCastSoftRings)
{
  // A 2-inch box at (2, 2), shadow down-right by 8 pixels: centre 200. The rings of 110 %
  // to 100 % start at x = 94, 96, 98, 100, 102 and 104; their greys (255, 249, 244, 238,
  // 233, 227) AND together towards the middle.
  QImage image = WhiteImage(320, 320);
  {
    TPaint paint(image);
    TShadowPainter::DrawOutlineShadow(paint.Canvas(), BoxOutline(2, 2), {2, 2}, 0, true, 0, 0.75, 1,
                                      0, 0, 0, 100);
  }
  EXPECT_TRUE(IsWhite(image, 93, 200));
  EXPECT_TRUE(IsWhite(image, 95, 200));
  EXPECT_EQ(At(image, 97, 200), Grey(249));
  EXPECT_EQ(At(image, 99, 200), Grey(240));
  EXPECT_EQ(At(image, 101, 200), Grey(224));
  EXPECT_EQ(At(image, 200, 200), Grey(224));
  EXPECT_EQ(At(image, 302, 200), Grey(249));
  // Turned by 45 degrees, the corner points up.
  QImage turned = WhiteImage(320, 320);
  {
    TPaint paint(turned);
    TShadowPainter::DrawOutlineShadow(paint.Canvas(), BoxOutline(2, 2), {2, 2}, 45, true, 0, 0, 1,
                                      0, 0, 0, 100);
  }
  EXPECT_EQ(At(turned, 200, 200 - 130), Grey(224));
  EXPECT_TRUE(IsWhite(turned, 200 - 90, 200 - 90));
}

TEST(ShadowPainter, UnfilledShadowFollowsTheDashedLineStyle)
{
  // The outline starts at its top-left corner (104, 104) and runs right: dashes of 3 on,
  // 4 off at a hairline.
  QImage image = WhiteImage(320, 320);
  {
    TPaint paint(image);
    TShadowPainter::DrawOutlineShadow(paint.Canvas(), BoxOutline(2, 2), {2, 2}, 0, false,
                                      TLineRenderer::Dashes, 0, 1, 0, 0, 0, 100);
    TShadowPainter::DrawOutlineShadow(paint.Canvas(), BoxOutline(2, 2), {2, 2}, 0, true, 0, 0, 200,
                                      0, 0, 0, 100);
  }
  for (int x = 104; x < 200; ++x)
    EXPECT_EQ(At(image, x, 104), (x - 104) % 7 < 3 ? kShadow : QColor(Qt::white)) << x;
  EXPECT_TRUE(IsWhite(image, 200, 200));  // nothing inside, and shadow code 200 is none
}
