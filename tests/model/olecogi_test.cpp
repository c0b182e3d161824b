// Embedded documents without a document host: their bytes survive untouched, damaged
// records are refused, and a double click says why nothing opens.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <memory>

#include "model/embedded/olecogi.h"
#include "model/objectfactory.h"
#include "model/recordtestsupport.h"
#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "platform/streams/streamerror.h"

using recordtest::ReadBack;
using recordtest::Record;

namespace {

// A container image as the document host writes it: header, then the document bytes.
QByteArray ContainerImage(const QByteArray& document, std::int32_t statedLength)
{
  QByteArray bytes;
  TBinaryWriter writer(bytes);
  writer.WriteUInt32(TEmbeddedHeader::kSignature);
  writer.WriteInt32(1);  // content aspect
  writer.WriteInt32(statedLength);
  writer.WriteBytes(document);
  return bytes;
}

QByteArray AllByteValues()
{
  QByteArray bytes;
  for (int i = 0; i < 1024; ++i)
    bytes.append(static_cast<char>((i * 37) & 0xFF));
  return bytes;
}

}  // namespace

TEST(OLECogi, KindLayoutAndNoNumber)
{
  std::unique_ptr<CGPObject> made(TObjectFactory::Create(2));
  auto* ole = dynamic_cast<TOLECogi*>(made.get());
  ASSERT_NE(ole, nullptr);
  EXPECT_EQ(ole->KindCode(), 2);
  EXPECT_EQ(ole->ClassDisplayName(), QStringLiteral("OLE"));
  EXPECT_FALSE(ole->OleSized);
  EXPECT_TRUE(ole->ContainerData.isEmpty());
  ole->Recalculate(nullptr, true);
  EXPECT_EQ(ole->TextOffsetY, 0.05);
  EXPECT_EQ(ole->TextWidth, 0.8);
  EXPECT_EQ(ole->TextHeight, 0.8);
  EXPECT_EQ(ole->NumberX, -1.0);
  EXPECT_EQ(ole->Anchors.size(), 16u);
}

TEST(OLECogi, EmbeddedBytesSurviveRecordsUnchanged)
{
  TOLECogi ole;
  ole.X = 2;
  ole.Width = 1.5;
  ole.OleSized = true;
  ole.ContainerData = ContainerImage(AllByteValues(), 1024);
  const QByteArray first = Record(ole);
  const auto back = ReadBack(first);
  auto& read = static_cast<TOLECogi&>(*back);
  EXPECT_EQ(read.ContainerData, ole.ContainerData);
  EXPECT_TRUE(read.OleSized);
  EXPECT_EQ(read.Width, 1.5);
  // Writing it again gives the same record, byte for byte.
  EXPECT_EQ(Record(read), first);
  // Layers: CGPObject 103 bytes with empty text, 9 of TLined, the block and the flag.
  EXPECT_EQ(first.size(), 103 + 9 + 4 + ole.ContainerData.size() + 1);

  // A header whose stated length runs past its bytes is not ours to mend: kept as it is.
  ole.ContainerData = ContainerImage("abc", 0x7FFFFFF0);
  EXPECT_FALSE(TEmbeddedHeader::Parse(ole.ContainerData).Valid);
  EXPECT_EQ(static_cast<TOLECogi&>(*ReadBack(Record(ole))).ContainerData, ole.ContainerData);
  EXPECT_TRUE(TEmbeddedHeader::Parse(ContainerImage("abc", 3)).Valid);
  EXPECT_FALSE(TEmbeddedHeader::Parse(ContainerImage("abc", -1)).Valid);
  EXPECT_FALSE(TEmbeddedHeader::Parse(QByteArray("BDOC")).Valid);
}

TEST(OLECogi, HostileBlockLengthsEndTheReadWithAnError)
{
  TOLECogi ole;
  ole.ContainerData = ContainerImage("xyz", 3);
  const QByteArray good = Record(ole);
  const qsizetype blockAt = good.size() - 1 - ole.ContainerData.size() - 4;
  for (const std::int32_t length :
       {0x7FFFFFFF, -5, static_cast<std::int32_t>(ole.ContainerData.size()) + 2}) {
    SCOPED_TRACE(length);
    QByteArray bad = good;
    qToLittleEndian<qint32>(length, bad.data() + blockAt);
    TBinaryReader reader(bad);
    std::unique_ptr<CGPObject> object(TObjectFactory::Create(reader.ReadInt32()));
    EXPECT_THROW(object->LoadFromStream(reader), EStreamError);
  }
  // A record cut inside the block fails the same way.
  TBinaryReader cut(good.left(blockAt + 6));
  cut.ReadInt32();
  TOLECogi reader;
  EXPECT_THROW(reader.LoadFromStream(cut), EStreamError);
}

TEST(OLECogi, PlaceholderAndActivation)
{
  TOLECogi ole;
  ole.X = 1;
  ole.Y = 1;
  ole.ContainerData = ContainerImage("doc", 3);
  QImage image(200, 200, QImage::Format_RGB32);
  image.fill(QColor(0, 0, 255));
  {
    QPainter painter(&image);
    TCanvas canvas(painter, 96, 96);
    ole.Draw(canvas, false, 0, 0, 100);
  }
  // Box (48, 48)-(144, 144): white inside, black border and diagonals.
  EXPECT_EQ(image.pixel(60, 80), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(48, 80), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(143, 80), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(96, 96), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(47, 80), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(144, 80), qRgb(0, 0, 255));

  EXPECT_FALSE(ole.HasObject());
  EXPECT_EQ(ole.Activate(),
            QStringLiteral("OLE Error. Embedded documents cannot be opened on this system."));
  ole.ContainerData.clear();
  EXPECT_EQ(ole.Activate(), QStringLiteral("OLE Error."));
}
