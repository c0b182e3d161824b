#include "render/paintbounds.h"

#include <gtest/gtest.h>

#include "render/displaycolor.h"
#include "rendertest.h"

using namespace rendertest;

TEST(PaintBounds, FollowTheDeviceTransformAndClip)
{
  QImage image = WhiteImage(100, 50);
  QPainter painter(&image);
  EXPECT_EQ(PaintBounds(painter), QRect(0, 0, 100, 50));
  painter.translate(10, 5);
  EXPECT_EQ(PaintBounds(painter), QRect(-10, -5, 100, 50));
  painter.setClipRect(QRect(0, 0, 20, 20));
  EXPECT_EQ(PaintBounds(painter), QRect(0, 0, 20, 20));
  painter.setClipping(false);
  painter.resetTransform();
  painter.scale(2, 2);
  EXPECT_EQ(PaintBounds(painter), QRect(0, 0, 50, 25));
  painter.end();

  // A back buffer with two device pixels per logical one: at least the logical area.
  QImage sharp(200, 100, QImage::Format_RGB32);
  sharp.setDevicePixelRatio(2);
  QPainter sharpPainter(&sharp);
  EXPECT_TRUE(PaintBounds(sharpPainter).contains(QRect(0, 0, 100, 50)));
}

TEST(DisplayColor, ResolvesSystemColoursAndKeepsOthers)
{
  EXPECT_EQ(DisplayColor(MakeColorRef(1, 2, 3)), QColor(1, 2, 3));
  EXPECT_EQ(DisplayColor(0x80000005), QColor(255, 255, 255));  // the window colour
}
