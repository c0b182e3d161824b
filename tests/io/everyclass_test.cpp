// A model holding one object of every class, arrows tied to the first and the last record and
// to each other, saved, read back and dumped: nothing stored may change on the way.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "io/iotestsupport.h"
#include "io/modeldump.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "model/embedded/clipart.h"
#include "model/embedded/olecogi.h"
#include "model/embedded/shortcut.h"
#include "model/shapes/balloon.h"
#include "model/shapes/blockarrow.h"
#include "model/shapes/dilemma.h"
#include "model/shapes/freeshape.h"
#include "model/shapes/hotspot.h"
#include "model/shapes/label.h"
#include "platform/pictures/jpegcodec.h"
#include "platform/pictures/picturecodec.h"
#include "testsupport.h"

namespace {

template <typename T>
T* Add(TModelDocument& document, int kind, double x, double y)
{
  auto* object = static_cast<T*>(document.CreateObject(kind));
  object->X = x;
  object->Y = y;
  return object;
}

TArrow* AddArrow(TModelDocument& document, CGPObject* from, int fromAnchor, CGPObject* to,
                 int toAnchor)
{
  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(from, arrow, fromAnchor, TArrowEnd::Start);
  TArrow::AttachArrowEnd(to, arrow, toAnchor, TArrowEnd::Finish);
  return arrow;
}

// The rich hexagon model, then one of every other class with its own fields set, then arrows
// from the first record (the cluster) to the last one and from arrow to arrow.
void BuildEveryClassModel(TModelDocument& document)
{
  iotest::BuildRichModel(document);
  CGPObject* first = document.Objects.front();

  auto* block = Add<TBlockArrow>(document, 5, 12, 2);
  block->Width = 2;
  block->Height = 1;
  block->SetShape(3);
  block->FaceColor = 0x00C0FF;
  auto* label = Add<TLabel>(document, 6, 12, 5);
  label->Text = TRtfWriter::CentredText(QStringLiteral("A label"));
  label->LabelReserved = 4;
  label->Angle = 20;
  auto* dilemma = Add<TDilemma>(document, 7, 15, 2);
  dilemma->ShapeVariant = 5;
  dilemma->Outline = MakeShapeOutline(okDilemma, 5, dilemma->Width, dilemma->Height);
  auto* rope = Add<TDilemma>(document, 7, 15, 5);
  rope->ShapeVariant = TDilemma::kRopeVariant;
  rope->Outline = MakeShapeOutline(okDilemma, rope->ShapeVariant, rope->Width, rope->Height);
  auto* balloon = Add<TBalloon>(document, 10, 18, 2);
  balloon->BalloonStyle = 3;
  balloon->MoveTip({17, 4});
  auto* shape = Add<TFreeShape>(document, 11, 0, 0);
  AppendLine(shape->Outline, 17, 6);
  AppendLine(shape->Outline, 18, 7);
  AppendLine(shape->Outline, 19, 6);
  shape->FitToVertices();
  shape->FillStyle = kFillClear;
  shape->FreeHead = 4;
  shape->FreeHeadSize = 2;
  auto* hotspot = Add<THotspot>(document, 12, 21, 2);
  hotspot->SetLink(QStringLiteral("CGPTOMAINVIEW"), nullptr);
  QImage image(24, 16, QImage::Format_RGB32);
  image.fill(QColor(200, 40, 90));
  auto* clipart = Add<TClipart>(document, 3, 21, 5);
  clipart->SetPicture(DecodePicture(TPicture::TKind::Jpeg, TJpegCodec::Encode(image)), {96, 96});
  auto* ole = Add<TOLECogi>(document, 2, 24, 2);
  ole->ContainerData = QByteArray("opaque\0bytes\xFF", 13);
  ole->OleSized = true;
  auto* shortcut = Add<TShortCut>(document, 4, 24, 5);
  shortcut->SetTarget(QStringLiteral("/home/someone/plan.txt"));
  auto* last = iotest::AddCogi(document, 26, 8, 11, QStringLiteral("Last"));

  TArrow* long_ = AddArrow(document, first, -1, last, 3);
  long_->ChordHeight = 1.5;
  long_->ToHead = 7;
  long_->FromHead = 10;
  long_->MidMarker = 9;
  long_->ToHeadSize = 2;
  long_->Text = TRtfWriter::CentredText(QStringLiteral("along"));
  TArrow* onArrow = AddArrow(document, label, -1, long_, -1);
  onArrow->LineStyle = 3;
  AddArrow(document, onArrow, -1, block, 2);
  for (CGPObject* object : document.Objects)
    object->Recalculate(&document.Objects, true);
}

QJsonArray Objects(const TModelDocument& document)
{
  return QJsonDocument::fromJson(TModelDump::ToJson(document, TModelStream::kVersion))
      .object()[QStringLiteral("objects")]
      .toArray();
}

}  // namespace

TEST(EveryClass, AModelOfEveryClassReadsBackWithEveryStoredField)
{
  TModelDocument document;
  BuildEveryClassModel(document);
  const QByteArray first = TModelStream::WriteModel(document, true);
  TModelDocument copy;
  TModelStream::ReadModel(copy, first, false);
  ASSERT_EQ(copy.Objects.size(), document.Objects.size());

  // Field by field, the JPEG picture included: it stays a JPEG.
  const QJsonArray before = Objects(document);
  const QJsonArray after = Objects(copy);
  ASSERT_EQ(after.size(), before.size());
  for (qsizetype i = 0; i < before.size(); ++i) {
    const QJsonObject a = before[i].toObject();
    const QJsonObject b = after[i].toObject();
    EXPECT_EQ(a, b) << "object " << i << ": "
                    << a[QStringLiteral("class")].toString().toStdString();
  }
  // The bytes after the previews are stable from the first save on.
  const QByteArray second = TModelStream::WriteModel(copy, false);
  EXPECT_EQ(second.mid(16), TModelStream::WriteModel(document, false).mid(16));
  TModelDocument third;
  TModelStream::ReadModel(third, second, false);
  EXPECT_EQ(TModelStream::WriteModel(third, false), second);

  // Arrows are tied to the same records again, the first and the last included.
  auto* long_ = dynamic_cast<TArrow*>(copy.Objects[copy.Objects.size() - 3]);
  ASSERT_NE(long_, nullptr);
  EXPECT_EQ(long_->FromObject, copy.Objects.front());
  EXPECT_EQ(long_->ToObject, copy.Objects[copy.Objects.size() - 4]);
  auto* onArrow = dynamic_cast<TArrow*>(copy.Objects[copy.Objects.size() - 2]);
  ASSERT_NE(onArrow, nullptr);
  EXPECT_EQ(onArrow->ToObject, long_);
  auto* third_ = dynamic_cast<TArrow*>(copy.Objects.back());
  ASSERT_NE(third_, nullptr);
  EXPECT_EQ(third_->FromObject, onArrow);

  // Kept for looking at the exports of a model with a bit of everything.
  QFile file(testsupport::OutputPath(QStringLiteral("every_class.mdl")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(first);
}
