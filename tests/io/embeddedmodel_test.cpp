// Models holding clipart, embedded documents and shortcuts survive saving, reading and the
// JSON dump with every stored field.
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "document/modeldocument.h"
#include "io/modeldump.h"
#include "io/modelstream.h"
#include "model/embedded/clipart.h"
#include "model/embedded/olecogi.h"
#include "model/embedded/shortcut.h"
#include "platform/pictures/jpegcodec.h"
#include "platform/pictures/picturecodec.h"

TEST(EmbeddedModel, EveryEmbeddedKindSurvivesAModelRoundTrip)
{
  TModelDocument document;
  QImage image(30, 20, QImage::Format_RGB32);
  image.fill(QColor(10, 200, 90));
  auto* jpeg = static_cast<TClipart*>(document.CreateObject(okClipart));
  jpeg->SetPicture(DecodePicture(TPicture::TKind::Jpeg, TJpegCodec::Encode(image)), {96, 96});
  jpeg->Link = QStringLiteral("other.mdl");
  auto* ole = static_cast<TOLECogi*>(document.CreateObject(okOLECogi));
  ole->ContainerData = QByteArray("BDOC\x01\x00\x00\x00\x03\x00\x00\x00\xFF\x00\x7F", 15);
  ole->OleSized = true;
  ole->Width = 2.5;
  auto* shortcut = static_cast<TShortCut*>(document.CreateObject(okShortCut));
  shortcut->SetTarget(QStringLiteral("/usr/share/doc/readme.txt"));
  for (CGPObject* object : document.Objects)
    object->Recalculate(&document.Objects, true);

  const QByteArray first = TModelStream::WriteModel(document, false);
  TModelDocument copy;
  TModelStream::ReadModel(copy, first, false);
  ASSERT_EQ(copy.Objects.size(), 3u);
  // The JPEG stays a JPEG, so the stream is the same from the first save on.
  const QByteArray second = TModelStream::WriteModel(copy, false);
  EXPECT_EQ(second, first);
  TModelDocument again;
  TModelStream::ReadModel(again, second, false);
  EXPECT_EQ(TModelStream::WriteModel(again, false), second);

  const QJsonArray objects =
      QJsonDocument::fromJson(TModelDump::ToJson(copy, 2.01)).object().value("objects").toArray();
  ASSERT_EQ(objects.size(), 3);
  const QJsonObject clipart = objects[0].toObject();
  EXPECT_EQ(clipart.value("class").toString(), QStringLiteral("TClipart"));
  EXPECT_EQ(clipart.value("Picture").toObject().value("kind").toInt(), 4);
  EXPECT_EQ(clipart.value("Picture").toObject().value("width").toInt(), 30);
  EXPECT_EQ(clipart.value("Link").toString(), QStringLiteral("other.mdl"));
  EXPECT_EQ(clipart.value("LineStyle").toInt(), 5);
  const QJsonObject embedded = objects[1].toObject();
  EXPECT_EQ(embedded.value("class").toString(), QStringLiteral("TOLECogi"));
  EXPECT_EQ(embedded.value("ContainerBytes").toInt(), 15);
  EXPECT_TRUE(embedded.value("OleSized").toBool());
  EXPECT_FALSE(embedded.contains("FillStyle"));  // not a filled object
  const QJsonObject link = objects[2].toObject();
  EXPECT_EQ(link.value("class").toString(), QStringLiteral("TShortCut"));
  EXPECT_EQ(link.value("Target").toString(), QStringLiteral("/usr/share/doc/readme.txt"));
  EXPECT_FALSE(link.contains("Link"));  // not a gateway

  EXPECT_EQ(static_cast<TOLECogi*>(copy.Objects[1])->ContainerData, ole->ContainerData);
  EXPECT_EQ(copy.Objects[1]->Width, 2.5);
}
