// Picture files for clipart: each is recognised by its bytes and keeps its own kind.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/pictures/pictureloader.h"
#include "testsupport.h"

namespace {

QByteArray Data(const char* name)
{
  QFile file(testsupport::DataPath(QStringLiteral("pictures/") + QLatin1String(name)));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  return file.readAll();
}

}  // namespace

TEST(PictureLoader, EachFormatKeepsItsKindAndSize)
{
  struct TCase {
    const char* Name;
    TPicture::TKind Kind;
    QSize Size;
    bool Decoded;
  };
  const TCase cases[] = {
      {"picture_96x48.bmp", TPicture::TKind::Bitmap, {96, 48}, true},
      {"picture_32.ico", TPicture::TKind::Icon, {32, 32}, true},
      {"picture_64x32.jpg", TPicture::TKind::Jpeg, {64, 32}, true},
      {"picture_96x48.emf", TPicture::TKind::Metafile, {96, 48}, false},
      {"picture_40x20.png", TPicture::TKind::Bitmap, {40, 20}, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto picture = TPictureLoader::FromFile(
        testsupport::DataPath(QStringLiteral("pictures/") + QLatin1String(c.Name)));
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->Kind(), c.Kind);
    EXPECT_EQ(picture->NaturalSize(), c.Size);
    EXPECT_EQ(!picture->Image().isNull(), c.Decoded);
  }
  // Formats that are saved as they came keep their bytes exactly.
  EXPECT_EQ(TPictureLoader::FromBytes(Data("picture_64x32.jpg"))->Encoded(),
            Data("picture_64x32.jpg"));
  EXPECT_EQ(TPictureLoader::FromBytes(Data("picture_96x48.emf"))->Encoded(),
            Data("picture_96x48.emf"));
}

TEST(PictureLoader, DamagedAndForeignFilesGiveNoPicture)
{
  EXPECT_FALSE(TPictureLoader::FromFile(QStringLiteral("/no/such/picture.bmp")).has_value());
  EXPECT_FALSE(TPictureLoader::FromBytes(QByteArray()).has_value());
  EXPECT_FALSE(TPictureLoader::FromBytes(QByteArray("just some text, not a picture")).has_value());
  // Cut short: a bitmap or JPEG whose pixels are missing is refused, not half shown.
  EXPECT_FALSE(TPictureLoader::FromBytes(Data("picture_96x48.bmp").left(60)).has_value());
  EXPECT_FALSE(TPictureLoader::FromBytes(Data("picture_96x48.bmp").left(13000)).has_value());
  EXPECT_FALSE(TPictureLoader::FromBytes(Data("picture_64x32.jpg").left(20)).has_value());
  EXPECT_FALSE(TPictureLoader::FromBytes(Data("picture_32.ico").left(10)).has_value());
  // A bitmap header claiming an enormous picture is refused rather than allocated.
  QByteArray huge = Data("picture_96x48.bmp");
  huge[18] = '\xFF';
  huge[19] = '\xFF';
  huge[20] = '\xFF';
  huge[21] = '\x0F';
  EXPECT_FALSE(TPictureLoader::FromBytes(huge).has_value());
  // A plain metafile has no size in its header: its bytes are kept, its size unknown.
  const QByteArray wmf("\x01\x00\x09\x00\x00\x03\x20\x00\x00\x00", 10);
  const auto plain = TPictureLoader::FromBytes(wmf);
  ASSERT_TRUE(plain.has_value());
  EXPECT_EQ(plain->Kind(), TPicture::TKind::Metafile);
  EXPECT_TRUE(plain->IsEmpty());
  EXPECT_EQ(plain->Encoded(), wmf);
}
