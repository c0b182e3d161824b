#include "render/linerenderer.h"

#include <gtest/gtest.h>

#include <QPainterPath>

#include "rendertest.h"

using namespace rendertest;

namespace {

QPainterPath Polyline(std::initializer_list<QPointF> points)
{
  QPainterPath path;
  bool first = true;
  for (const QPointF& p : points) {
    if (first)
      path.moveTo(p);
    else
      path.lineTo(p);
    first = false;
  }
  return path;
}

int InkInColumn(const QImage& image, int x)
{
  return InkCount(image, QRect(x, 0, 1, image.height()));
}

QImage Stroke(const QPainterPath& path, int style, double widthPoints, double zoom = 100,
              int size = 80)
{
  QImage image = WhiteImage(size, size);
  TPaint paint(image);
  TLineRenderer::StrokePath(paint.Canvas(), path, style, colors::Black, zoom, widthPoints);
  return image;
}

}  // namespace

TEST(LineRenderer, SolidLinesHaveThePenWidthAndStyleFiveDrawsNothing)
{
  const QPainterPath line = Polyline({{5, 40}, {75, 40}});
  EXPECT_EQ(InkInColumn(Stroke(line, TLineRenderer::Solid, 10), 40), 13);
  EXPECT_EQ(InkInColumn(Stroke(line, TLineRenderer::Solid, 0, 400), 40), 1);
  EXPECT_EQ(InkInColumn(Stroke(line, TLineRenderer::Solid, 0.75, 100), 40), 1);
  EXPECT_EQ(InkInColumn(Stroke(line, TLineRenderer::Solid, 0.75, 400), 40), 4);
  EXPECT_EQ(InkCount(Stroke(line, TLineRenderer::NoLine, 2), QRect(0, 0, 80, 80)), 0);
  // A style code from a damaged file draws the default solid line.
  EXPECT_EQ(InkInColumn(Stroke(line, 200, 10), 40), 13);
  EXPECT_EQ(InkInColumn(Stroke(line, -3, 10), 40), 13);
}

TEST(LineRenderer, DotsRepeatEveryPeriodPlusOneAndSkipTheEndPoint)
{
  // Hairline: w = 1, P = 2, so one dot every third pixel; the end pixel is never visited.
  for (int style : {TLineRenderer::RoundDots, TLineRenderer::SquareDots}) {
    const QImage image = Stroke(Polyline({{0, 5}, {30, 5}}), style, 0);
    for (int x = 0; x <= 31; ++x)
      EXPECT_EQ(IsWhite(image, x, 5), x % 3 != 0 || x >= 30) << "style " << style << " x " << x;
    EXPECT_EQ(InkCount(image, QRect(0, 0, 80, 4)) + InkCount(image, QRect(0, 6, 80, 74)), 0);
  }
}

TEST(LineRenderer, DashesContinueTheirRhythmAcrossCorners)
{
  // Style 3 at w = 1: P = 6, on while the counter is below 3, seven steps a cycle.
  const QImage image = Stroke(Polyline({{10, 10}, {15, 10}, {15, 40}}), TLineRenderer::Dashes, 0);
  for (int x = 10; x < 15; ++x)
    EXPECT_EQ(IsWhite(image, x, 10), x - 10 >= 3) << x;
  // The vertical segment starts at counter 5, not at 0.
  for (int y = 10; y < 40; ++y)
    EXPECT_EQ(IsWhite(image, 15, y), (y - 10 + 5) % 7 >= 3) << y;
}

TEST(LineRenderer, DashRhythmIsKeptWhenTheLineStartsOffTheDevice)
{
  // Only the visible steps are visited, but the counter still counts the skipped ones.
  const QImage image = Stroke(Polyline({{-1000, 20}, {1000, 20}}), TLineRenderer::Dashes, 0);
  for (int x = 0; x < 80; ++x)
    EXPECT_EQ(IsWhite(image, x, 20), (x + 1000) % 7 >= 3) << x;
  // Absurd coordinates and widths from a damaged file are clipped to the device.
  const QImage huge =
      Stroke(Polyline({{-1e12, 30}, {1e12, 30}, {1e12, 1e12}}), TLineRenderer::LongDashes, 0);
  EXPECT_GT(InkCount(huge, QRect(0, 30, 80, 1)), 20);
  const QImage wide = Stroke(Polyline({{-1e9, 30}, {1e9, 30}}), TLineRenderer::Dashes, 3e38f);
  EXPECT_GT(InkCount(wide, QRect(0, 0, 80, 80)), 0);
}

TEST(LineRenderer, DoubleLinesCopyThePathToTheLeftOfTravel)
{
  // Travelling right, left is up; travelling left, left is down. Copies lie 2w away.
  const QImage image = Stroke(Polyline({{5, 20}, {60, 20}}), TLineRenderer::DoubleLine, 0).copy();
  EXPECT_FALSE(IsWhite(image, 30, 20));
  EXPECT_TRUE(IsWhite(image, 30, 19));
  EXPECT_FALSE(IsWhite(image, 30, 18));
  EXPECT_TRUE(IsWhite(image, 30, 21));
  const QImage back = Stroke(Polyline({{60, 40}, {5, 40}}), TLineRenderer::DoubleLine, 0);
  EXPECT_FALSE(IsWhite(back, 30, 42));
  EXPECT_TRUE(IsWhite(back, 30, 38));

  // Dashed double: both lines on for counter 0..5 of 13. Broken double: the copy for
  // counter 0..8, the path itself for 0..2 and 7..12.
  const QImage dashed = Stroke(Polyline({{0, 20}, {70, 20}}), TLineRenderer::DashedDouble, 0);
  const QImage broken = Stroke(Polyline({{0, 20}, {70, 20}}), TLineRenderer::BrokenDouble, 0);
  for (int x = 0; x < 70; ++x) {
    const int q = x % 13;
    EXPECT_EQ(IsWhite(dashed, x, 20), q > 5) << x;
    EXPECT_EQ(IsWhite(dashed, x, 18), q > 5) << x;
    EXPECT_EQ(IsWhite(broken, x, 18), q > 8) << x;
    EXPECT_EQ(IsWhite(broken, x, 20), q > 2 && q < 7) << x;
  }
}

TEST(LineRenderer, WavesAndZigzagsRunOnTheLeftSide)
{
  // w = 3 (2.25 points at 96 DPI): both swing between the path and 2w to its left.
  for (int style : {TLineRenderer::Wave, TLineRenderer::Zigzag}) {
    const QImage image = Stroke(Polyline({{0, 50}, {80, 50}}), style, 2.25);
    EXPECT_EQ(InkCount(image, QRect(0, 52, 80, 28)), 0) << style;
    EXPECT_GT(InkCount(image, QRect(0, 42, 80, 3)), 0) << style;
    EXPECT_GT(InkCount(image, QRect(0, 49, 80, 2)), 0) << style;
  }
}

TEST(LineRenderer, StarsStayUprightOnAVerticalLine)
{
  // w = 5 (3.75 points): stars of size 15, one every 16 steps, point up whichever way the
  // line runs.
  for (const QPainterPath& path :
       {Polyline({{40, 20}, {40, 79}}), Polyline({{40, 20}, {40, -40}})}) {
    const QImage image = Stroke(path, TLineRenderer::Stars, 3.75);
    EXPECT_FALSE(IsWhite(image, 40, 20 - 6));  // the top point
    EXPECT_TRUE(IsWhite(image, 40, 20 + 6));   // between the two lower points
    EXPECT_FALSE(IsWhite(image, 36, 20 + 6));  // the lower left point
    EXPECT_FALSE(IsWhite(image, 44, 20 + 6));  // the lower right point
  }
  const QImage down = Stroke(Polyline({{40, 20}, {40, 79}}), TLineRenderer::Stars, 3.75);
  EXPECT_FALSE(IsWhite(down, 40, 36 - 6));  // the next star, 16 pixels on
  EXPECT_TRUE(IsWhite(down, 40, 26));       // nothing between them on the line itself
}

TEST(LineRenderer, SelectLinePenUsesThePixelWidthOrNoPen)
{
  QImage image = WhiteImage(10, 10);
  TPaint paint(image);
  paint.Canvas().SetMasking(true);
  TLineRenderer::SelectLinePen(paint.Canvas(), 0, MakeColorRef(255, 0, 0), 100, 10);
  EXPECT_EQ(paint.Painter().pen().width(), 13);
  EXPECT_EQ(paint.Painter().pen().style(), Qt::SolidLine);
  EXPECT_EQ(paint.Painter().pen().color(), QColor(255, 0, 0));
  EXPECT_EQ(paint.Painter().compositionMode(), QPainter::CompositionMode_SourceOver);
  TLineRenderer::SelectLinePen(paint.Canvas(), 0, colors::Black, 400, 0);
  EXPECT_EQ(paint.Painter().pen().width(), 1);
  TLineRenderer::SelectLinePen(paint.Canvas(), TLineRenderer::NoLine, colors::Black, 100, 1);
  EXPECT_EQ(paint.Painter().pen().style(), Qt::NoPen);
}
