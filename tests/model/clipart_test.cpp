// Clipart pictures of every kind drawn at their box, their records, and the layout rules.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>

#include "model/embedded/clipart.h"
#include "model/objectfactory.h"
#include "model/recordtestsupport.h"
#include "platform/canvas.h"
#include "platform/pictures/picturecodec.h"
#include "platform/pictures/pictureloader.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "testsupport.h"

using recordtest::ReadBack;
using recordtest::Record;

namespace {

constexpr TScreenResolution kScreen{96, 96};

TPicture LoadPicture(const char* name)
{
  const auto picture = TPictureLoader::FromFile(
      testsupport::DataPath(QStringLiteral("pictures/") + QLatin1String(name)));
  EXPECT_TRUE(picture.has_value()) << name;
  return picture.value_or(TPicture());
}

QImage Blank(int width = 240, int height = 200)
{
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(200, 255, 200));  // pale green, so white placeholders show
  return image;
}

// Whether two colours differ by no more than a JPEG's loss.
bool Near(QRgb a, QRgb b, int tolerance = 24)
{
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

}  // namespace

TEST(Clipart, DefaultsKindAndLayout)
{
  std::unique_ptr<CGPObject> made(TObjectFactory::Create(3));
  auto* clipart = dynamic_cast<TClipart*>(made.get());
  ASSERT_NE(clipart, nullptr);
  EXPECT_EQ(clipart->KindCode(), 3);
  EXPECT_EQ(clipart->ClassDisplayName(), QStringLiteral("Clipart"));
  EXPECT_EQ(clipart->LineStyle, kLineNone);
  EXPECT_FALSE(clipart->Picture.has_value());
  clipart->Width = 2;
  clipart->Height = 1;
  clipart->ShowNumber = true;
  clipart->Recalculate(nullptr, true);
  EXPECT_EQ(clipart->TextOffsetX, 0.0);
  EXPECT_EQ(clipart->TextOffsetY, 0.0);
  EXPECT_EQ(clipart->TextWidth, 1.0);
  EXPECT_EQ(clipart->TextHeight, 1.0);
  EXPECT_EQ(clipart->IconX, 0.0);
  EXPECT_EQ(clipart->IconY, 0.35);
  EXPECT_EQ(clipart->NumberX, -1.0);
  EXPECT_EQ(clipart->NumberY, -1.0);
  ASSERT_EQ(clipart->Anchors.size(), 16u);
  EXPECT_EQ(clipart->Anchors.front().DX, -1.0);
  EXPECT_EQ(clipart->Anchors.front().DY, -0.25);
}

TEST(Clipart, SetPictureTakesTheNaturalSizeOnTheScreen)
{
  TClipart clipart;
  clipart.SetPicture(LoadPicture("picture_96x48.bmp"), kScreen);
  EXPECT_DOUBLE_EQ(clipart.Width, 1.0);
  EXPECT_DOUBLE_EQ(clipart.Height, 0.5);
  clipart.SetPicture(LoadPicture("picture_32.ico"), {64, 128});
  EXPECT_DOUBLE_EQ(clipart.Width, 0.5);
  EXPECT_DOUBLE_EQ(clipart.Height, 0.25);
  // An empty picture is taken but leaves the size alone.
  clipart.SetPicture(TPicture(), kScreen);
  ASSERT_TRUE(clipart.Picture.has_value());
  EXPECT_TRUE(clipart.Picture->IsEmpty());
  EXPECT_DOUBLE_EQ(clipart.Width, 0.5);
}

TEST(Clipart, EachKindOfPictureIsDrawnInItsBox)
{
  // Every picture is stretched into a 1 x 0.5 inch box at (1.25, 1): pixels 72..168, 72..120.
  QImage image = Blank();
  const auto drawAt = [&](TClipart& clipart) {
    clipart.X = 1.25;
    clipart.Y = 1.0;
    clipart.Width = 1.0;
    clipart.Height = 0.5;
    image = Blank();
    QPainter painter(&image);
    TCanvas canvas(painter, 96, 96);
    clipart.Draw(canvas, false, 0, 0, 100);
  };
  const QRgb outside = qRgb(200, 255, 200);
  {
    SCOPED_TRACE("bitmap");
    TClipart clipart;
    clipart.Picture = LoadPicture("picture_96x48.bmp");
    drawAt(clipart);
    EXPECT_EQ(image.pixel(80, 96), qRgb(220, 30, 30));
    EXPECT_EQ(image.pixel(160, 96), qRgb(30, 60, 220));
    EXPECT_EQ(image.pixel(72, 72), qRgb(220, 30, 30));
    EXPECT_EQ(image.pixel(167, 119), qRgb(30, 60, 220));
    EXPECT_EQ(image.pixel(71, 96), outside);
    EXPECT_EQ(image.pixel(168, 96), outside);
    EXPECT_EQ(image.pixel(120, 71), outside);
    EXPECT_EQ(image.pixel(120, 120), outside);
  }
  {
    SCOPED_TRACE("icon");
    TClipart clipart;
    clipart.Picture = LoadPicture("picture_32.ico");
    ASSERT_EQ(clipart.Picture->Kind(), TPicture::TKind::Icon);
    drawAt(clipart);
    EXPECT_EQ(image.pixel(120, 96), qRgb(250, 220, 0));  // the yellow middle
    EXPECT_EQ(image.pixel(76, 76), qRgb(20, 160, 40));
    EXPECT_EQ(image.pixel(164, 116), qRgb(20, 160, 40));
    EXPECT_EQ(image.pixel(70, 96), outside);
  }
  {
    SCOPED_TRACE("jpeg");
    TClipart clipart;
    clipart.Picture = LoadPicture("picture_64x32.jpg");
    ASSERT_EQ(clipart.Picture->Kind(), TPicture::TKind::Jpeg);
    drawAt(clipart);
    EXPECT_TRUE(Near(image.pixel(90, 96), qRgb(240, 140, 20)));
    EXPECT_TRUE(Near(image.pixel(150, 96), qRgb(20, 20, 120)));
    EXPECT_EQ(image.pixel(70, 96), outside);
  }
  {
    SCOPED_TRACE("metafile");
    TClipart clipart;
    clipart.Picture = LoadPicture("picture_96x48.emf");
    ASSERT_EQ(clipart.Picture->Kind(), TPicture::TKind::Metafile);
    EXPECT_EQ(clipart.Picture->NaturalSize(), QSize(96, 48));
    drawAt(clipart);
    // Not the missing-picture cross: a pale box that is neither white nor left undrawn.
    const QRgb inside = image.pixel(76, 112);
    EXPECT_NE(inside, outside);
    EXPECT_NE(inside, qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(72 + 12, 72 + 6), inside);  // no diagonal
    EXPECT_EQ(image.pixel(70, 96), outside);
  }
  {
    SCOPED_TRACE("no picture");
    TClipart clipart;
    drawAt(clipart);
    EXPECT_EQ(image.pixel(76, 112), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(72, 90), qRgb(0, 0, 0));  // border
    EXPECT_EQ(image.pixel(167, 90), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(72, 72), qRgb(0, 0, 0));  // diagonals
    EXPECT_EQ(image.pixel(167, 72), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(71, 90), outside);
  }
}

TEST(Clipart, LineIsStrokedOnlyWithALineAndNoExtrusion)
{
  const auto borderPixel = [](std::uint8_t lineStyle, std::uint8_t style3D) {
    TClipart clipart;
    clipart.SetPicture(TPicture::FromImage([] {
                         QImage white(10, 10, QImage::Format_RGB32);
                         white.fill(Qt::white);
                         return white;
                       }()),
                       kScreen);
    clipart.X = 1;
    clipart.Y = 1;
    clipart.Width = 1;
    clipart.Height = 1;
    clipart.LineStyle = lineStyle;
    clipart.LineWidth = 1.5f;
    clipart.Style3D = style3D;
    QImage image = Blank();
    QPainter painter(&image);
    TCanvas canvas(painter, 96, 96);
    clipart.DrawBody(canvas, 0, 0, 100);
    return image.pixel(96, 48);  // on the top edge
  };
  EXPECT_EQ(borderPixel(kLineSolid, 0), qRgb(0, 0, 0));
  EXPECT_EQ(borderPixel(kLineNone, 0), qRgb(255, 255, 255));
  EXPECT_EQ(borderPixel(kLineSolid, 1), qRgb(255, 255, 255));
}

TEST(Clipart, RecordsKeepEveryKindOfPicture)
{
  TClipart clipart;
  clipart.X = 3;
  clipart.Link = QStringLiteral("http://example.org/");
  clipart.Picture = LoadPicture("picture_96x48.bmp");
  {
    const QByteArray bytes = Record(clipart);
    TBinaryReader reader(bytes);
    EXPECT_EQ(reader.ReadInt32(), 3);
    const auto back = ReadBack(bytes);
    auto* read = dynamic_cast<TClipart*>(back.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->X, 3);
    EXPECT_EQ(read->Link, clipart.Link);
    ASSERT_TRUE(read->Picture.has_value());
    EXPECT_EQ(read->Picture->Kind(), TPicture::TKind::Bitmap);
    EXPECT_EQ(read->Picture->Image().convertToFormat(QImage::Format_RGB32),
              clipart.Picture->Image().convertToFormat(QImage::Format_RGB32));
  }
  for (const char* name : {"picture_32.ico", "picture_96x48.emf"}) {
    SCOPED_TRACE(name);
    clipart.Picture = LoadPicture(name);
    const auto back = ReadBack(Record(clipart));
    const auto& picture = static_cast<TClipart&>(*back).Picture;
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->Kind(), clipart.Picture->Kind());
    EXPECT_EQ(picture->Encoded(), clipart.Picture->Encoded());  // byte for byte
    EXPECT_EQ(picture->NaturalSize(), clipart.Picture->NaturalSize());
  }
  {
    // A JPEG comes back as the same JPEG, byte for byte, and is written as one again.
    clipart.Picture = LoadPicture("picture_64x32.jpg");
    const auto back = ReadBack(Record(clipart));
    const auto& picture = static_cast<TClipart&>(*back).Picture;
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->Kind(), TPicture::TKind::Jpeg);
    EXPECT_EQ(picture->NaturalSize(), QSize(64, 32));
    EXPECT_EQ(picture->Encoded(), clipart.Picture->Encoded());
    QByteArray again;
    TBinaryWriter writer(again);
    WritePicture(writer, picture);
    ASSERT_GT(again.size(), 5);
    EXPECT_EQ(again.at(4), char(4));
  }
  {
    clipart.Picture.reset();
    const auto back = ReadBack(Record(clipart));
    EXPECT_FALSE(static_cast<TClipart&>(*back).Picture.has_value());
  }
}
