#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "io/iotestsupport.h"
#include "io/modelstream.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "platform/streams/streamerror.h"

namespace {

QByteArray Save(TModelDocument& document)
{
  return TModelStream::WriteModel(document, false);
}

// The bytes of a stream from its object count on, for comparing models.
QByteArray Body(const QByteArray& stream)
{
  return stream.mid(16);  // version and two empty preview blocks
}

}  // namespace

TEST(ModelStream, VersionBytesAndEmptyModel)
{
  TModelDocument document;
  const QByteArray bytes = TModelStream::WriteModel(document, true);
  EXPECT_EQ(bytes.left(8), QByteArray::fromHex("14AE47E17A140040"));
  EXPECT_DOUBLE_EQ(TModelStream::ReadVersion(bytes), 2.01);
  // The previews are BMP file images.
  TBinaryReader in(bytes, 8);
  const QByteArray preview = in.ReadBlock();
  EXPECT_EQ(preview.left(2), QByteArray("BM"));
  EXPECT_EQ(QImage::fromData(preview, "BMP").size(), QSize(153, 212));
  EXPECT_EQ(QImage::fromData(in.ReadBlock(), "BMP").size(), QSize(32, 32));
  // An empty model ends with an object count of 0.
  EXPECT_EQ(bytes.right(4), QByteArray(4, '\0'));

  TModelDocument copy;
  TModelStream::ReadModel(copy, bytes, false);
  EXPECT_EQ(Body(Save(copy)), Body(Save(document)));
  EXPECT_EQ(copy.CreatedBy, document.CreatedBy);
}

TEST(ModelStream, PlainCogiRecordSize)
{
  TModelDocument document;
  auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
  cogi->SetShape(7, 0);
  ASSERT_FALSE(cogi->Outline.empty());
  QByteArray bytes;
  TBinaryWriter out(bytes);
  cogi->SaveToStream(out);
  EXPECT_EQ(bytes.size(), 146 + 52 * static_cast<qsizetype>(cogi->Outline.size()));
}

TEST(ModelStream, RoundTripKeepsEveryStoredField)
{
  TModelDocument document;
  iotest::BuildRichModel(document);
  const QByteArray first = Save(document);
  TModelDocument copy;
  TModelStream::ReadModel(copy, first, false);
  ASSERT_EQ(copy.Objects.size(), document.Objects.size());
  EXPECT_EQ(Body(Save(copy)), Body(first));
  EXPECT_EQ(copy.Keywords, QStringLiteral("ideas, caf\u00e9"));
  EXPECT_EQ(copy.ReservedText, QStringLiteral("kept"));
  EXPECT_EQ(copy.NextSerial, static_cast<int>(copy.Objects.size()) + 1);
  auto* a = dynamic_cast<TCogi*>(copy.Objects[1]);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Link, QStringLiteral("http://example.org/"));
  a->EnsureTextLayout();
  EXPECT_FALSE(a->TextLayout.Empty());  // refreshed after reading
  // Cluster membership is rebuilt from the geometry, not stored.
  auto* cluster = dynamic_cast<TCluster*>(copy.Objects[0]);
  ASSERT_NE(cluster, nullptr);
  EXPECT_EQ(cluster->Members.size(), 2u);
}

TEST(ModelStream, ArrowsReconnectToTheirRecordsAlsoWhenAppended)
{
  TModelDocument document;
  TCogi* first = iotest::AddCogi(document, 2, 2);
  iotest::AddCogi(document, 5, 2);
  TCogi* last = iotest::AddCogi(document, 8, 2);
  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(first, arrow, 3, TArrowEnd::Start);
  TArrow::AttachArrowEnd(last, arrow, -1, TArrowEnd::Finish);
  arrow->ComputeArrowEnds();
  document.Objects.erase(document.Objects.end() - 1);
  document.Objects.insert(document.Objects.begin() + 1, arrow);  // arrow between the Cogis
  const QByteArray bytes = Save(document);

  TModelDocument copy;
  iotest::AddCogi(copy, 20, 20);  // already there: indexes are offset
  TModelStream::ReadModel(copy, bytes, false);
  ASSERT_EQ(copy.Objects.size(), 5u);
  auto* read = dynamic_cast<TArrow*>(copy.Objects[2]);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->FromObject, copy.Objects[1]);
  EXPECT_EQ(read->ToObject, copy.Objects[4]);
  EXPECT_EQ(read->FromAnchor, 3);
  EXPECT_EQ(read->ToAnchor, -1);
  EXPECT_TRUE(copy.Objects[4]->HasAttachedArrow(read));
}

TEST(ModelStream, DamagedStreamsFailCleanlyAndQuickly)
{
  TModelDocument source;
  iotest::BuildRichModel(source);
  const QByteArray good = Save(source);
  const auto expectFailure = [](const QByteArray& bytes, const char* what) {
    TModelDocument document;
    QElapsedTimer timer;
    timer.start();
    EXPECT_THROW(TModelStream::ReadModel(document, bytes, false), EStreamError) << what;
    EXPECT_LT(timer.elapsed(), 1000) << what;
    return document.Objects.size();
  };
  // Every cut inside the stream fails; the objects read before the cut stay.
  std::size_t lastKept = 0;
  for (qsizetype cut = 8; cut < good.size(); cut += 37) {
    const std::size_t kept = expectFailure(good.left(cut), "truncated");
    EXPECT_GE(kept, lastKept);
    lastKept = kept;
  }
  EXPECT_GE(lastKept, 2u);

  // An object count far beyond the bytes present: the same header without objects ends with
  // the count.
  TModelDocument headerOnly;
  TModelStream::ReadModel(headerOnly, good, false);
  headerOnly.ClearModel();
  const qsizetype countAt = Save(headerOnly).size() - 4;
  QByteArray huge = good;
  TBinaryWriter patch(huge);
  ASSERT_EQ(huge.mid(countAt, 4), QByteArray::fromHex("04000000"));
  patch.PatchInt32(countAt, 2000000000);
  expectFailure(huge, "huge object count");

  // A segment count of two thousand million in a Cogi record.
  TModelDocument one;
  iotest::AddCogi(one, 1, 1);
  QByteArray cogi = Save(one);
  TModelDocument oneEmpty;
  const qsizetype recordAt = Save(oneEmpty).size();
  TBinaryWriter segments(cogi);
  segments.PatchInt32(recordAt + 140, 2000000000);
  expectFailure(cogi, "segment count");

  // A negative text block length and a picture length past the end.
  QByteArray negative = Save(one);
  TBinaryWriter text(negative);
  text.PatchInt32(recordAt + 4 + 4 + 4 + 32, -5);
  expectFailure(negative, "negative block");
  QByteArray picture = Save(one);
  TBinaryWriter fill(picture);
  fill.PatchInt32(recordAt + 103 + 9 + 1 + 1 + 4, 0x7FFFFFF0);
  expectFailure(picture, "picture length");
}

TEST(ModelStream, UnknownKindCodesBecomeCogis)
{
  TModelDocument one;
  iotest::AddCogi(one, 1, 1);
  TModelDocument oneEmpty;
  const qsizetype recordAt = Save(oneEmpty).size();
  for (int kind : {0, 8, 99, -1}) {
    QByteArray bytes = Save(one);
    TBinaryWriter patch(bytes);
    patch.PatchInt32(recordAt, kind);
    TModelDocument document;
    TModelStream::ReadModel(document, bytes, false);
    ASSERT_EQ(document.Objects.size(), 1u) << kind;
    EXPECT_EQ(document.Objects[0]->KindCode(), 8) << kind;
  }
}

TEST(ModelStream, HeaderValuesThatCannotBeUsedAreClamped)
{
  TModelDocument source;
  source.PagesAcross = 0;
  source.PagesDown = -3;
  source.PageWidth = std::numeric_limits<double>::quiet_NaN();
  source.MainViewTopLeft = {std::numeric_limits<double>::infinity(), 0};
  const QByteArray bytes = Save(source);
  TModelDocument document;
  TModelStream::ReadModel(document, bytes, false);
  EXPECT_EQ(document.PagesAcross, 1);
  EXPECT_EQ(document.PagesDown, 1);
  EXPECT_TRUE(std::isfinite(document.ModelWidth));
  EXPECT_GT(document.ModelWidth, 0);
  EXPECT_TRUE(std::isfinite(document.MainViewTopLeft.X));
}

TEST(ModelStream, SerialsAreNotRepeatedAfterReading)
{
  TModelDocument document;
  for (int i = 0; i < 4; ++i)
    iotest::AddCogi(document, 2 + 2 * i, 2);
  // The first two are deleted: the two left keep serials 3 and 4.
  document.StingObject(document.Objects[0]);
  document.StingObject(document.Objects[0]);
  ASSERT_EQ(document.Objects.size(), 2u);
  const QByteArray bytes = Save(document);

  TModelDocument copy;
  TModelStream::ReadModel(copy, bytes, false);
  EXPECT_EQ(copy.NextSerial, 5);
  const CGPObject* added = copy.CreateObject(okCogi);
  for (const CGPObject* object : copy.Objects) {
    if (object != added) {
      EXPECT_NE(object->Serial, added->Serial);
    }
  }

  // Appended to a model whose objects have larger serials, the largest of all counts.
  TModelDocument larger;
  iotest::AddCogi(larger, 1, 1)->Serial = 40;
  TModelStream::ReadModel(larger, bytes, false);
  EXPECT_EQ(larger.NextSerial, 41);
}
