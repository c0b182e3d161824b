#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "document/modeldocument.h"
#include "io/modeldump.h"
#include "io/modelstream.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/balloon.h"
#include "model/shapes/dilemma.h"
#include "model/shapes/freeshape.h"
#include "model/shapes/hotspot.h"
#include "model/shapes/label.h"
#include "platform/text/rtfwriter.h"

namespace {

// One object of each of the other shapes, with their own fields away from the defaults.
void BuildShapes(TModelDocument& document)
{
  auto* label = static_cast<TLabel*>(document.CreateObject(okLabel));
  label->X = 2;
  label->Y = 1;
  label->FillStyle = kFillClear;
  label->LabelReserved = 3;
  label->Text = TRtfWriter::CentredText(QStringLiteral("Label text"));
  auto* dilemma = static_cast<TDilemma*>(document.CreateObject(okDilemma));
  dilemma->X = 5;
  dilemma->Y = 2;
  dilemma->Width = 2;
  dilemma->Height = 0.8;
  dilemma->ShapeVariant = TDilemma::kFrayedRopeVariant;
  dilemma->Angle = 15;
  dilemma->Outline = MakeShapeOutline(okDilemma, dilemma->ShapeVariant, 2, 0.8);
  auto* balloon = static_cast<TBalloon*>(document.CreateObject(okBalloon));
  balloon->X = 2;
  balloon->Y = 4;
  balloon->Width = 2;
  balloon->Height = 1;
  balloon->BalloonStyle = 7;  // past the table: kept as stored
  balloon->MoveTip({0.5, 5.5});
  auto* shape = static_cast<TFreeShape*>(document.CreateObject(okFreeShape));
  AppendLine(shape->Outline, 4, 4);
  AppendLine(shape->Outline, 5, 5);
  AppendLine(shape->Outline, 6, 4);
  shape->FitToVertices();
  shape->FillStyle = kFillClear;
  shape->FreeHead = 2;
  shape->FreeHeadSize = 1;
  auto* hotspot = static_cast<THotspot*>(document.CreateObject(okHotspot));
  hotspot->X = 8;
  hotspot->Y = 4;
  hotspot->LineStyle = kLineNone;
  hotspot->SetLink(QStringLiteral("CGPTOLASTMODEL"), nullptr);
  for (CGPObject* object : document.Objects)
    object->Recalculate(&document.Objects, true);
}

}  // namespace

TEST(OtherShapesStream, AModelOfTheOtherShapesReadsBackAsWritten)
{
  TModelDocument document;
  BuildShapes(document);
  const QByteArray first = TModelStream::WriteModel(document, false);
  TModelDocument copy;
  TModelStream::ReadModel(copy, first, false);
  ASSERT_EQ(copy.Objects.size(), 5u);
  EXPECT_EQ(TModelStream::WriteModel(copy, false).mid(16), first.mid(16));
  const QString classes[] = {QStringLiteral("TLabel"), QStringLiteral("TDilemma"),
                             QStringLiteral("TBalloon"), QStringLiteral("TFreeShape"),
                             QStringLiteral("THotspot")};
  const QJsonArray dumped =
      QJsonDocument::fromJson(TModelDump::ToJson(copy, TModelStream::kVersion))
          .object()
          .value(QStringLiteral("objects"))
          .toArray();
  ASSERT_EQ(dumped.size(), 5);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(dumped[i].toObject().value(QStringLiteral("class")).toString(), classes[i]);
  EXPECT_EQ(dumped[0].toObject().value(QStringLiteral("LabelReserved")).toInt(), 3);
  EXPECT_EQ(dumped[1].toObject().value(QStringLiteral("ShapeVariant")).toInt(), 9);
  const QJsonObject balloon = dumped[2].toObject();
  EXPECT_EQ(balloon.value(QStringLiteral("BalloonStyle")).toInt(), 7);
  EXPECT_EQ(balloon.value(QStringLiteral("TipX")).toDouble(), 0.5);
  EXPECT_EQ(balloon.value(QStringLiteral("TipY")).toDouble(), 5.5);
  EXPECT_EQ(dumped[3].toObject().value(QStringLiteral("FreeHead")).toInt(), 2);
  EXPECT_EQ(dumped[3].toObject().value(QStringLiteral("FreeHeadSize")).toInt(), 1);
  EXPECT_EQ(dumped[4].toObject().value(QStringLiteral("Link")).toString(),
            QStringLiteral("CGPTOLASTMODEL"));

  // Reading refreshes what is derived: the rope's picture and the label's size.
  auto* rope = dynamic_cast<TDilemma*>(copy.Objects[1]);
  ASSERT_NE(rope, nullptr);
  EXPECT_TRUE(rope->DilemmaBitmap);
  auto* label = dynamic_cast<TLabel*>(copy.Objects[0]);
  ASSERT_NE(label, nullptr);
  EXPECT_LT(label->Width, 2.0);
  EXPECT_DOUBLE_EQ(label->Width, label->TextExtent.Width);
}
