#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "platform/pictures/jpegcodec.h"

namespace {

// A four-ink JPEG as print workflows write it: Adobe's marker and inverted inks (255 is no
// ink). The left half is red ink-wise (magenta and yellow), the right half blue (cyan and
// magenta), the bottom row half black.
QByteArray FourInkJpeg(J_COLOR_SPACE stored)
{
  constexpr int kWidth = 32;
  constexpr int kHeight = 16;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, stored);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(kWidth * 4);
  while (info.next_scanline < kHeight) {
    for (int x = 0; x < kWidth; ++x) {
      const std::array<unsigned char, 4> inks =
          info.next_scanline >= kHeight - 8 && x < 8 ? std::array<unsigned char, 4>{0, 0, 0, 128}
          : x < kWidth / 2                           ? std::array<unsigned char, 4>{0, 255, 255, 0}
                                                     : std::array<unsigned char, 4>{255, 255, 0, 0};
      for (int i = 0; i < 4; ++i)
        row[x * 4 + i] = static_cast<unsigned char>(255 - inks[i]);
    }
    JSAMPROW line = row.data();
    jpeg_write_scanlines(&info, &line, 1);
  }
  jpeg_finish_compress(&info);
  QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
  jpeg_destroy_compress(&info);
  std::free(out);
  return bytes;
}

}  // namespace

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
  EXPECT_TRUE(TJpegCodec::ImageSize(huge).isEmpty());
  EXPECT_TRUE(TJpegCodec::Encode(QImage()).isEmpty());
  // An error after the pixels were decoded (a bogus marker where the end should be) gives
  // no picture; what was allocated for the pixels is freed (checked by the sanitizer build).
  QByteArray bogusEnd = bytes;
  ASSERT_TRUE(bogusEnd.endsWith("\xFF\xD9"));
  bogusEnd.replace(bogusEnd.size() - 2, 2, QByteArray::fromHex("FFDB0001"));
  EXPECT_EQ(TJpegCodec::ImageSize(bogusEnd), QSize(40, 40));
  EXPECT_TRUE(TJpegCodec::Decode(bogusEnd).isNull());
}

TEST(JpegCodec, CmykAndYcckPicturesDecodeToRgb)
{
  for (const J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
    SCOPED_TRACE(stored == JCS_CMYK ? "CMYK" : "YCCK");
    const QByteArray bytes = FourInkJpeg(stored);
    EXPECT_EQ(TJpegCodec::ImageSize(bytes), QSize(32, 16));
    const QImage decoded = TJpegCodec::Decode(bytes);
    ASSERT_EQ(decoded.size(), QSize(32, 16));
    const QColor red(decoded.pixel(12, 2));
    const QColor blue(decoded.pixel(28, 2));
    const QColor grey(decoded.pixel(2, 13));
    EXPECT_NEAR(red.red(), 255, 10);
    EXPECT_NEAR(red.green(), 0, 10);
    EXPECT_NEAR(red.blue(), 0, 10);
    EXPECT_NEAR(blue.red(), 0, 10);
    EXPECT_NEAR(blue.green(), 0, 10);
    EXPECT_NEAR(blue.blue(), 255, 10);
    EXPECT_NEAR(grey.red(), 127, 10);
    EXPECT_NEAR(grey.green(), 127, 10);
    EXPECT_NEAR(grey.blue(), 127, 10);
  }
}
