// Arrows and block arrows through a whole model stream and the JSON dump.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "io/iotestsupport.h"
#include "io/modeldump.h"
#include "io/modelstream.h"
#include "model/shapes/blockarrow.h"

namespace {

// Two hexagons, a bent arrow between them, an arrow on that arrow, a block arrow.
void BuildArrowModel(TModelDocument& document)
{
  TCogi* a = iotest::AddCogi(document, 2, 2);
  TCogi* b = iotest::AddCogi(document, 6, 3);
  auto* block = static_cast<TBlockArrow*>(document.CreateObject(okBlockArrow));
  block->X = 4;
  block->Y = 6;
  block->Width = 2;
  block->Height = 1;
  block->SetShape(5);
  block->Recalculate(&document.Objects, true);
  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  arrow->ChordHeight = 0.4;
  arrow->ToHead = 2;
  arrow->MidMarker = 11;
  arrow->FromHead = 7;
  arrow->MidMarkerSize = 2;
  TArrow::AttachArrowEnd(a, arrow, -1, TArrowEnd::Start);
  TArrow::AttachArrowEnd(b, arrow, 5, TArrowEnd::Finish);
  arrow->ComputeArrowEnds();
  arrow->Recalculate(&document.Objects, true);
  auto* rider = static_cast<TArrow*>(document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(arrow, rider, 6, TArrowEnd::Start);
  TArrow::AttachArrowEnd(block, rider, -1, TArrowEnd::Finish);
  rider->ComputeArrowEnds();
  rider->Recalculate(&document.Objects, true);
}

}  // namespace

TEST(ArrowStream, ArrowsOnArrowsAndBlockArrowsSurviveAModelStream)
{
  TModelDocument document;
  BuildArrowModel(document);
  const QByteArray bytes = TModelStream::WriteModel(document, false);
  TModelDocument copy;
  TModelStream::ReadModel(copy, bytes, false);
  ASSERT_EQ(copy.Objects.size(), 5u);
  auto* block = dynamic_cast<TBlockArrow*>(copy.Objects[2]);
  auto* arrow = dynamic_cast<TArrow*>(copy.Objects[3]);
  auto* rider = dynamic_cast<TArrow*>(copy.Objects[4]);
  ASSERT_TRUE(block && arrow && rider);
  EXPECT_EQ(block->ShapeVariant, 5);
  EXPECT_EQ(block->Anchors.size(), 22u);  // 11 edges, vertex and midpoint each
  EXPECT_EQ(arrow->FromObject, copy.Objects[0]);
  EXPECT_EQ(arrow->ToObject, copy.Objects[1]);
  EXPECT_EQ(arrow->ToAnchor, 5);
  EXPECT_EQ(rider->FromObject, arrow);
  EXPECT_EQ(rider->FromAnchor, 6);
  EXPECT_EQ(rider->ToObject, block);
  EXPECT_TRUE(arrow->HasAttachedArrow(rider));
  const auto* original = static_cast<TArrow*>(document.Objects[3]);
  EXPECT_EQ(arrow->Start(), original->Start());
  EXPECT_EQ(arrow->End(), original->End());
  EXPECT_EQ(rider->Start(), static_cast<TArrow*>(document.Objects[4])->Start());
  EXPECT_EQ(arrow->MidMarker, 11);
  EXPECT_EQ(arrow->FromHead, 7);
  // Saving the copy again gives the same bytes.
  EXPECT_EQ(TModelStream::WriteModel(copy, false), bytes);

  // An end index past the stream's records leaves that end free.
  TModelDocument lone;
  auto* stray = static_cast<TArrow*>(lone.CreateObject(okArrow));
  TCogi outsider;  // not in the model: the writer never gives it a record position
  outsider.SetShape(7, 0);
  outsider.Recalculate(nullptr, true);
  outsider.SaveIndex = 7;
  TArrow::AttachArrowEnd(&outsider, stray, 2, TArrowEnd::Finish);
  stray->ComputeArrowEnds();
  const TModelPoint end = stray->End();
  TModelDocument reread;
  TModelStream::ReadModel(reread, TModelStream::WriteModel(lone, false), false);
  ASSERT_EQ(reread.Objects.size(), 1u);
  auto* free = static_cast<TArrow*>(reread.Objects[0]);
  EXPECT_EQ(free->ToIndex, 7);
  EXPECT_EQ(free->ToObject, nullptr);
  EXPECT_EQ(free->ToAnchor, -1);
  EXPECT_EQ(free->End(), end);
  TArrow::AttachArrowEnd(nullptr, stray, -1, TArrowEnd::Finish);
}

TEST(ArrowStream, DumpCarriesArrowAndBlockArrowFields)
{
  TModelDocument document;
  BuildArrowModel(document);
  const QJsonArray objects =
      QJsonDocument::fromJson(TModelDump::ToJson(document, 2.01)).object()["objects"].toArray();
  ASSERT_EQ(objects.size(), 5);
  const QJsonObject block = objects[2].toObject();
  EXPECT_EQ(block["class"].toString(), QStringLiteral("TBlockArrow"));
  EXPECT_EQ(block["ShapeVariant"].toInt(), 5);
  EXPECT_EQ(block["Outline"].toArray().size(), 12);
  const QJsonObject arrow = objects[3].toObject();
  EXPECT_EQ(arrow["class"].toString(), QStringLiteral("TArrow"));
  EXPECT_EQ(arrow["ChordHeight"].toDouble(), 0.4);
  EXPECT_EQ(arrow["MidMarkerSize"].toInt(), 2);
  EXPECT_EQ(arrow["FromIndex"].toInt(), 0);
  EXPECT_EQ(arrow["ToIndex"].toInt(), 1);
  EXPECT_EQ(arrow["ToAnchor"].toInt(), 5);
  const QJsonObject rider = objects[4].toObject();
  EXPECT_EQ(rider["FromIndex"].toInt(), 3);
  EXPECT_EQ(rider["ToIndex"].toInt(), 2);
  EXPECT_EQ(rider["FromAnchor"].toInt(), 6);
}

TEST(ArrowStream, ACycleOfArrowsInAFileIsBrokenOnReading)
{
  // Three arrows each ending on the next, as a file may hold them: tied by hand, since
  // attaching refuses the last link.
  TModelDocument document;
  std::vector<TArrow*> arrows;
  for (int i = 0; i < 3; ++i) {
    arrows.push_back(static_cast<TArrow*>(document.CreateObject(okArrow)));
    arrows.back()->FromX = i;
  }
  for (int i = 0; i < 3; ++i) {
    arrows[i]->ToObject = arrows[(i + 1) % 3];
    arrows[i]->ToAnchor = 6;
  }
  const QByteArray bytes = TModelStream::WriteModel(document, false);
  for (TArrow* arrow : arrows)
    arrow->ToObject = nullptr;
  TModelDocument copy;
  TModelStream::ReadModel(copy, bytes, false);
  ASSERT_EQ(copy.Objects.size(), 3u);
  int attached = 0;
  for (CGPObject* object : copy.Objects) {
    const auto* arrow = static_cast<const TArrow*>(object);
    if (arrow->ToObject) {
      ++attached;
      EXPECT_FALSE(TArrow::Reaches(arrow->ToObject, arrow));
    } else {
      EXPECT_EQ(arrow->ToAnchor, -1);
    }
  }
  EXPECT_EQ(attached, 2);  // the link that closed the cycle is left free
}
