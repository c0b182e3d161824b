#include <gtest/gtest.h>

#include <QtEndian>

#include "platform/pictures/picturecodec.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

#include <QtEndian>

#include "platform/pictures/jpegcodec.h"
#include "platform/streams/streamerror.h"

namespace {

QByteArray Written(const std::optional<TPicture>& picture)
{
  QByteArray bytes;
  TBinaryWriter writer(bytes);
  WritePicture(writer, picture);
  return bytes;
}

QByteArray Int32(std::int32_t value)
{
  QByteArray bytes(4, 0);
  qToLittleEndian(value, bytes.data());
  return bytes;
}

}  // namespace

TEST(PictureCodec, AbsentAndEmptyPicturesAreABareZero)
{
  EXPECT_EQ(Written(std::nullopt), Int32(0));
  EXPECT_EQ(Written(TPicture()), Int32(0));
  EXPECT_EQ(Written(TPicture::FromImage(QImage())), Int32(0));
  const QByteArray zero = Int32(0) + QByteArray("rest");
  TBinaryReader reader(zero);
  EXPECT_FALSE(ReadPicture(reader).has_value());
  EXPECT_EQ(reader.Position(), 4);
  // Negative lengths are no picture either, and nothing more is read.
  const QByteArray negative = Int32(-5) + QByteArray("rest");
  TBinaryReader again(negative);
  EXPECT_FALSE(ReadPicture(again).has_value());
  EXPECT_EQ(again.Position(), 4);
}

TEST(PictureCodec, BitmapsTravelAsBmpFileImages)
{
  QImage image(5, 3, QImage::Format_RGB32);
  image.fill(QColor(200, 30, 40));
  image.setPixel(4, 2, qRgb(1, 2, 3));
  const QByteArray bytes = Written(TPicture::FromImage(image));
  const std::int32_t n = qFromLittleEndian<qint32>(bytes.constData());
  ASSERT_EQ(bytes.size(), 4 + 1 + n);
  EXPECT_EQ(bytes.at(4), 1);
  EXPECT_EQ(bytes.mid(5, 2), QByteArray("BM"));
  TBinaryReader reader(bytes);
  const auto picture = ReadPicture(reader);
  ASSERT_TRUE(picture.has_value());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(picture->Kind(), TPicture::TKind::Bitmap);
  EXPECT_EQ(picture->Image().convertToFormat(QImage::Format_RGB32), image);
}

TEST(PictureCodec, OtherKindsKeepTheirBytesAndUnknownKindsAreEmpty)
{
  const QByteArray jpegBytes("\xFF\xD8not really a jpeg");
  const QByteArray bytes =
      Written(TPicture::FromEncoded(TPicture::TKind::Jpeg, jpegBytes, QImage(), QSize(2, 2)));
  EXPECT_EQ(bytes,
            Int32(static_cast<std::int32_t>(jpegBytes.size())) + QByteArray(1, 4) + jpegBytes);
  TBinaryReader reader(bytes);
  const auto picture = ReadPicture(reader);
  ASSERT_TRUE(picture.has_value());
  // Bytes that do not decode are kept as they were, so a re-save loses nothing.
  EXPECT_EQ(picture->Kind(), TPicture::TKind::Jpeg);
  EXPECT_EQ(picture->Encoded(), jpegBytes);

  // A real JPEG comes back as the same JPEG, decoded when its pixels are wanted.
  QImage photo(20, 10, QImage::Format_RGB32);
  photo.fill(QColor(30, 140, 200));
  const QByteArray encoded = TJpegCodec::Encode(photo);
  const QByteArray jpegRecord = Written(DecodePicture(TPicture::TKind::Jpeg, encoded));
  TBinaryReader jpegReader(jpegRecord);
  const auto decoded = ReadPicture(jpegReader);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->Kind(), TPicture::TKind::Jpeg);
  EXPECT_EQ(decoded->NaturalSize(), QSize(20, 10));
  EXPECT_EQ(decoded->Image().size(), QSize(20, 10));
  EXPECT_EQ(Written(decoded), jpegRecord);

  // Metafiles keep their bytes and take their size from the header.
  QByteArray wmf(22, '\0');
  qToLittleEndian<quint32>(0x9AC6CDD7u, wmf.data());
  qToLittleEndian<qint16>(200, wmf.data() + 10);   // right
  qToLittleEndian<qint16>(100, wmf.data() + 12);   // bottom
  qToLittleEndian<quint16>(100, wmf.data() + 14);  // units an inch
  const TPicture metafile = DecodePicture(TPicture::TKind::Metafile, wmf);
  EXPECT_EQ(metafile.NaturalSize(), QSize(192, 96));
  EXPECT_EQ(metafile.Encoded(), wmf);

  // A kind outside 1..4: present, with nothing to show, and its bytes are skipped.
  const QByteArray unknown = Int32(3) + QByteArray(1, 9) + QByteArray("abc") + QByteArray("Z");
  TBinaryReader skip(unknown);
  const auto empty = ReadPicture(skip);
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_EQ(skip.ReadByte(), 'Z');
  EXPECT_EQ(Written(empty), Int32(0));
}

TEST(PictureCodec, LengthsAreBoundedByTheBytesPresent)
{
  for (std::int32_t n : {10, 2147483647}) {
    const QByteArray damaged = Int32(n) + QByteArray(1, 1) + QByteArray("BM12");
    TBinaryReader reader(damaged);
    EXPECT_THROW(ReadPicture(reader), EStreamError) << n;
  }
  const QByteArray noKind = Int32(1);
  TBinaryReader reader(noKind);
  EXPECT_THROW(ReadPicture(reader), EStreamError);
  // Garbage inside a correct length gives an empty bitmap, not an error.
  const QByteArray garbage = Int32(4) + QByteArray(1, 1) + QByteArray("BMxx");
  TBinaryReader tolerant(garbage);
  const auto picture = ReadPicture(tolerant);
  ASSERT_TRUE(picture.has_value());
  EXPECT_TRUE(picture->IsEmpty());
}
