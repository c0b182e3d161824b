#include <gtest/gtest.h>

#include <QImage>

#include "platform/jpegcodec.h"

TEST(JpegCodec, RoundTripKeepsSizeAndColoursClose)
{
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(QColor(200, 40, 90));
  for (int x = 32; x < 64; ++x)
    for (int y = 0; y < 48; ++y)
      image.setPixel(x, y, qRgb(20, 180, 240));
  const QByteArray bytes = TJpegCodec::Encode(image);
  ASSERT_GT(bytes.size(), 100);
  EXPECT_EQ(bytes.left(2), QByteArray("\xFF\xD8"));  // JFIF start of image
  const QImage decoded = TJpegCodec::Decode(bytes);
  ASSERT_EQ(decoded.size(), image.size());
  const QColor left(decoded.pixel(8, 24));
  const QColor right(decoded.pixel(56, 24));
  EXPECT_NEAR(left.red(), 200, 8);
  EXPECT_NEAR(left.blue(), 90, 8);
  EXPECT_NEAR(right.green(), 180, 8);
  EXPECT_NEAR(right.blue(), 240, 8);
  // Qt's own reader agrees on what we wrote.
  EXPECT_EQ(QImage::fromData(bytes, "JPG").size(), image.size());
}

TEST(JpegCodec, DamagedInputGivesNoPictureWithoutCrashing)
{
  EXPECT_TRUE(TJpegCodec::Decode(QByteArray()).isNull());
  EXPECT_TRUE(TJpegCodec::Decode(QByteArray("not a jpeg at all")).isNull());
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::green);
  const QByteArray bytes = TJpegCodec::Encode(image);
  // Truncated data decodes to what is there or to nothing, never past the end.
  for (int cut : {3, 20, 200, static_cast<int>(bytes.size()) - 10}) {
    const QImage partial = TJpegCodec::Decode(bytes.left(cut));
    EXPECT_TRUE(partial.isNull() || partial.size() == image.size()) << cut;
  }
  // A header claiming an absurd size is refused before anything is allocated.
  QByteArray huge = bytes;
  const int sof = huge.indexOf("\xFF\xC0");
  ASSERT_GT(sof, 0);
  huge[sof + 5] = '\xFF';
  huge[sof + 6] = '\xFF';
  huge[sof + 7] = '\xFF';
  huge[sof + 8] = '\xFF';
  EXPECT_TRUE(TJpegCodec::Decode(huge).isNull());
  EXPECT_TRUE(TJpegCodec::Encode(QImage()).isEmpty());
}
