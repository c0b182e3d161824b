#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "platform/canvas.h"
#include "platform/rounding.h"

TEST(Canvas, RoundingIsHalfToEven)
{
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
  EXPECT_EQ(RoundHalfEven(1e300), 1000000000);
  EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(Canvas, TransformUsesTheDeviceResolutionAndOffset)
{
  QImage image(10, 10, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 DPI
  image.setDotsPerMeterY(7559);  // 192 DPI
  QPainter painter(&image);
  TCanvas canvas(painter);
  EXPECT_EQ(canvas.DpiX(), 96);
  EXPECT_EQ(canvas.DpiY(), 192);
  EXPECT_EQ(canvas.ToPixel(1, 1, 0, 0, 100), QPoint(96, 192));
  EXPECT_EQ(canvas.ToPixel(1, 1, -0.5, 0.5, 50), QPoint(24, 144));
  // (0.25 + 0) x 96 x 25 / 100 = 6; 1/192 inch x 192 x 50% = 0.5 -> 0 (even).
  EXPECT_EQ(canvas.ToPixelX(0.25, 0, 25), 6);
  EXPECT_EQ(canvas.ToPixelY(1.0 / 192.0, 0, 50), 0);
  EXPECT_EQ(canvas.ToPixelY(3.0 / 192.0, 0, 50), 2);

  TCanvas explicitCanvas(painter, 300, 300);
  EXPECT_EQ(explicitCanvas.ToPixel(1, 2, 0, 0, 100), QPoint(300, 600));
}

TEST(Canvas, InvertingTwiceRestoresThePixels)
{
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(QColor(10, 200, 30));
  {
    QPainter painter(&image);
    TCanvas canvas(painter);
    ASSERT_TRUE(canvas.SupportsRasterOps());
    canvas.SetInverting(true);
    painter.setPen(Qt::black);
    painter.drawLine(0, 5, 19, 5);
  }
  EXPECT_EQ(QColor(image.pixel(3, 5)), QColor(245, 55, 225));
  {
    QPainter painter(&image);
    TCanvas canvas(painter);
    canvas.SetInverting(true);
    painter.setPen(Qt::black);
    painter.drawLine(0, 5, 19, 5);
  }
  EXPECT_EQ(QColor(image.pixel(3, 5)), QColor(10, 200, 30));
}
