#include <gtest/gtest.h>

#include <QImage>
#include <QRandomGenerator>

#include "platform/pictures/pngencoder.h"

namespace {

QImage DecodePng(const QByteArray& bytes)
{
  QImage image;
  image.loadFromData(bytes, "PNG");
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(PngEncoder, PicturesReadBackPixelForPixel)
{
  // Flat areas, gradients, single-pixel rows and columns.
  QImage flat(300, 200, QImage::Format_RGB32);
  flat.fill(QColor(215, 214, 255));
  for (int x = 0; x < 300; ++x)
    flat.setPixel(x, x % 200, qRgb(x % 256, 255 - x % 256, (x * 7) % 256));
  QImage column(1, 37, QImage::Format_RGB32);
  for (int y = 0; y < 37; ++y)
    column.setPixel(0, y, qRgb(y * 6, 0, 255 - y * 6));
  QImage row(53, 1, QImage::Format_RGB32);
  for (int x = 0; x < 53; ++x)
    row.setPixel(x, 0, qRgb(0, x * 4, 9));
  for (const QImage& image : {flat, column, row}) {
    const QImage back = DecodePng(TPngEncoder::Encode(image));
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(back, image);
  }
}

TEST(PngEncoder, NoiseThatSpansSeveralDataChunksReadsBack)
{
  // Incompressible pixels make the stream larger than one data chunk.
  QImage noise(700, 700, QImage::Format_RGB32);
  QRandomGenerator random(7);
  for (int y = 0; y < noise.height(); ++y)
    for (int x = 0; x < noise.width(); ++x)
      noise.setPixel(x, y, 0xFF000000u | (random.generate() & 0xFFFFFFu));
  const QByteArray bytes = TPngEncoder::Encode(noise);
  EXPECT_GT(bytes.size(), 1 << 20);
  EXPECT_EQ(DecodePng(bytes), noise);
}

TEST(PngEncoder, FlatPicturesAreCompressedAndNullImagesGiveNothing)
{
  QImage white(2000, 1500, QImage::Format_RGB32);
  white.fill(Qt::white);
  // Three bytes a pixel raw; the encoded file must be a small fraction of that.
  EXPECT_LT(TPngEncoder::Encode(white).size(), 2000 * 1500 * 3 / 50);
  EXPECT_TRUE(TPngEncoder::Encode(QImage()).isEmpty());
  // Other formats are converted rather than misread.
  QImage indexed = white.convertToFormat(QImage::Format_Indexed8);
  EXPECT_EQ(DecodePng(TPngEncoder::Encode(indexed)), white);
}

TEST(PngEncoder, LargePicturesPackedInPiecesReadBackPixelForPixel)
{
  // Large enough to be packed in several pieces on a machine with more than one core; the
  // pieces must join into one valid stream whose checksum covers every row.
  QImage picture(1700, 1400, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QRandomGenerator random(11);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = (y * 13) % 97; x < picture.width(); x += 97)
      picture.setPixel(x, y, 0xFF000000u | (random.generate() & 0xFFFFFFu));
  for (int y = 690; y < 710; ++y)
    for (int x = 0; x < picture.width(); ++x)
      picture.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
  EXPECT_EQ(DecodePng(TPngEncoder::Encode(picture)), picture);
}
