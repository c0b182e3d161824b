#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <tuple>
#include <utility>

#include "document/modelview.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "io/version1reader.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/label.h"
#include "platform/streams/streamerror.h"
#include "platform/text/rtfreader.h"

namespace {

// A file of the earlier version from its lines, separated by "|".
QByteArray V1(const char* lines, const char* lineEnd = "\r\n")
{
  return QByteArray(lines).replace('|', lineEnd) + lineEnd;
}

QByteArray ModelWith(const char* objects)
{
  return V1("[MODEL]|Number of Objects=99|") + V1(objects);
}

template <typename T = CGPObject>
T* Read(TModelDocument& document, const QByteArray& bytes, std::size_t count, std::size_t i = 0)
{
  TVersion1Reader::ReadVersion1Model(document, bytes);
  EXPECT_EQ(document.Objects.size(), count);
  return i < document.Objects.size() ? dynamic_cast<T*>(document.Objects[i]) : nullptr;
}

QTextCharFormat FirstFormat(const QByteArray& rtf)
{
  QTextDocument document;
  TRtfReader::Read(rtf, document);
  const QTextBlock block = document.begin();
  return block.begin().atEnd() ? block.charFormat() : block.begin().fragment().charFormat();
}

// Opens through a file, as the program does: the message of a failure, else empty.
QString Open(TModelDocument& document, const QByteArray& bytes)
{
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("old.mdl")));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  file.close();
  try {
    TModelFile::OpenModelFile(document, file.fileName(), false);
  } catch (const EStreamError& error) {
    return error.Message();
  }
  return QString();
}

constexpr double kStep = 20.0 / 96.0;  // inches of one position step

// Small fields compared together.
using TPair = std::pair<int, int>;
using TTriple = std::tuple<int, int, int>;

}  // namespace

TEST(Version1Reader, ModelHeaderSizeZoomAndNames)
{
  TModelDocument empty;
  ASSERT_EQ(Open(empty, V1("[MODEL]|Number of Objects=0")), QString());
  EXPECT_TRUE(empty.Objects.empty());
  EXPECT_EQ(std::pair(empty.PagesAcross, empty.PagesDown), std::pair(7, 4));
  EXPECT_DOUBLE_EQ(empty.Zoom, 70.0);
  EXPECT_FALSE(empty.Modified || empty.ChangePending);
  // Never smaller than the whole model's zoom, never above 400 %.
  TModelDocument wide;
  wide.ClientSize = QSize(40000, 30000);
  Read(wide, V1("[MODEL]|Primary Zoom=5"), 0);
  EXPECT_DOUBLE_EQ(wide.Zoom, TModelView(wide).WholeModelZoom());
  EXPECT_GT(wide.Zoom, 70.0);
  TModelDocument close;
  Read(close, V1("[MODEL]|Primary Zoom=900|Primary X=48|Primary Y=-96|Print Comments='team'"), 0);
  EXPECT_DOUBLE_EQ(close.Zoom, 400.0);
  EXPECT_EQ(close.ViewOrigin, (TModelPoint{10.0, -20.0}));
  EXPECT_EQ(close.FooterComments, QStringLiteral("team"));
  // Names in any case, LF line ends, and the first of repeated keys wins.
  TModelDocument lower;
  auto* cogi =
      Read(lower, V1("[model]|number of objects=1|[cogi1]|shape = 20|WIDTH=96|Width=1", "\n"), 1);
  EXPECT_DOUBLE_EQ(cogi->Width, 1.0);
}

TEST(Version1Reader, ColoursKeepOnlyTheirLow24Bits)
{
  for (const char* file : {"[MODEL]|Canvas Color=13", "[MODEL]|Canvas Color=16777229",
                           "[MODEL]|Canvas Color=4278190093"}) {
    TModelDocument document;
    Read(document, V1(file), 0);
    EXPECT_EQ(document.ModelColor, 0x0000FFu) << file;
  }
  EXPECT_EQ(TVersion1Reader::Version1Colour(0x8000FF00), 0x00FF00u);
  EXPECT_EQ(TVersion1Reader::Version1Colour(-1), 0xFFFFFFu);
}

TEST(Version1Reader, UnitsAreOf96PixelsPerInchOnEveryScreen)
{
  TModelDocument document;
  document.ScreenDpiX = document.ScreenDpiY = 144.0;
  auto* doubled =
      Read<TCogi>(document,
                  ModelWith("[COGI1]|Shape=2|Size=1|X=48|Text Font Size=13|[COGI2]|Shape=20|"
                            "Width=96|Height=48|[COGI3]|Shape=3|Text Font Size=13"),
                  3);
  ASSERT_TRUE(doubled);
  EXPECT_EQ(doubled->ShapeVariant, 1);
  EXPECT_EQ(doubled->CogiSize, kCogiFreeSize);
  EXPECT_DOUBLE_EQ(doubled->Width, 16 * kStep);
  EXPECT_DOUBLE_EQ(doubled->Height, 14 * kStep);
  EXPECT_EQ(doubled->Centre(), (TModelPoint{10.0 + doubled->Width / 2, doubled->Height / 2}));
  EXPECT_EQ(doubled->Outline, MakeShapeOutline(okCogi, 1, doubled->Width, doubled->Height));
  EXPECT_DOUBLE_EQ(FirstFormat(doubled->Text).fontPointSize(), 13.0);
  // Shapes past the built-in ones keep their own size.
  EXPECT_EQ(std::pair(document.Objects[1]->Width, document.Objects[1]->Height),
            std::pair(1.0, 0.5));
  // Shape 3 is shape 2 upside down; the text of a Cogi of normal size is half as big.
  auto* turned = static_cast<TCogi*>(document.Objects[2]);
  EXPECT_EQ(turned->Angle, 180);
  EXPECT_DOUBLE_EQ(turned->Width, 8 * kStep);
  EXPECT_DOUBLE_EQ(FirstFormat(turned->Text).fontPointSize(), 6.0);
}

TEST(Version1Reader, ClustersCogisAndLabels)
{
  TModelDocument document;
  auto* cluster = Read<TCluster>(
      document,
      ModelWith("[COGI1]|Shape=13|Cluster Shape=3|Cluster Width=40|Cluster Height=30|"
                "Fill Style=4|[COGI2]|X=10|Y=10|Text Lines=2|Text0='Quoted idea'|Text1=two|"
                "Notes Lines=1|Notes0=a note|Line Colour=13|Gateway To='CGPTOLASTMODEL'|"
                "Shadowed=1|Position=7|Fill Style=1|[COGI3]|Shape=12|X=480|Width=200|"
                "Text Lines=1|Text0=hidden|Notes Lines=1|Notes0=shown|Notes Bold=1|"
                "Line Colour=13|Angle=400"),
      3);
  ASSERT_TRUE(cluster);
  EXPECT_EQ(TPair(cluster->ShapeVariant, cluster->Angle), TPair(1, 180));
  EXPECT_DOUBLE_EQ(cluster->Width, 40 * kStep);
  EXPECT_EQ(TPair(cluster->FillStyle, cluster->PatternIndex), TPair(2, 13));

  auto* cogi = dynamic_cast<TCogi*>(document.Objects[1]);
  ASSERT_TRUE(cogi);
  EXPECT_EQ(TRtfReader::PlainText(cogi->Text), QStringLiteral("Quoted idea\ntwo"));
  EXPECT_EQ(TRtfReader::PlainText(cogi->Notes), QStringLiteral("a note"));
  EXPECT_EQ(FirstFormat(cogi->Text).foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(FirstFormat(cogi->Notes).foreground().color(), QColor(0, 0, 0));
  EXPECT_EQ(cogi->Link, QStringLiteral("CGPTOLASTMODEL"));
  EXPECT_EQ(cogi->LineColor, 0x0000FFu);
  EXPECT_EQ(TTriple(cogi->Shadow, cogi->Number, cogi->FillStyle), TTriple(1, 7, 1));
  EXPECT_EQ(cluster->Members, std::vector<TClusteredObject*>{cogi});

  // A label's notes become its text, in the line colour; it has no line unless told.
  auto* label = dynamic_cast<TLabel*>(document.Objects[2]);
  ASSERT_TRUE(label);
  EXPECT_EQ(TRtfReader::PlainText(label->Text), QStringLiteral("shown"));
  EXPECT_TRUE(label->Notes.isEmpty());
  EXPECT_GT(FirstFormat(label->Text).fontWeight(), QFont::Medium);
  EXPECT_EQ(FirstFormat(label->Text).foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(TPair(label->LineStyle, label->Angle), TPair(5, 40));
  EXPECT_DOUBLE_EQ(label->Width, 200 / 96.0 * 1.05);
}

TEST(Version1Reader, ArrowsAttachByPositionAlongAndHead)
{
  TModelDocument document;
  // Section 2 is missing: positions, not the order of creation, name the ends.
  Read(document,
       ModelWith("[COGI1]|[COGI3]|X=48|[COGI4]|Shape=14|From Shape=1|To Shape=3|Arrow Style=3|"
                 "Chord Height=-48|[COGI5]|Shape=14|From Shape=3|To Shape=3|To X=144|"
                 "[COGI6]|Shape=14|From Shape=4|From Along=100|To Shape=2|Arrow Style=7"),
       5);
  auto* joined = static_cast<TArrow*>(document.Objects[2]);
  auto* onOne = static_cast<TArrow*>(document.Objects[3]);
  auto* onArrow = static_cast<TArrow*>(document.Objects[4]);
  EXPECT_EQ(joined->FromObject, document.Objects[0]);
  EXPECT_EQ(joined->ToObject, document.Objects[1]);
  EXPECT_EQ(joined->ToHead, 10);
  EXPECT_DOUBLE_EQ(joined->ChordHeight, -0.5);
  // Both ends on one object: the start only.
  EXPECT_EQ(onOne->FromObject, document.Objects[1]);
  EXPECT_EQ(onOne->ToObject, nullptr);
  EXPECT_EQ(onOne->End(), (TModelPoint{30.0, 1 * kStep}));
  EXPECT_EQ(onOne->ToHead, 2);
  // A hundred percent along an arrow is its end; a missing object leaves the end free.
  EXPECT_EQ(onArrow->FromObject, joined);
  EXPECT_EQ(onArrow->FromAnchor, 11);
  EXPECT_NEAR(onArrow->FromX, joined->ToX, 1e-9);
  EXPECT_NEAR(onArrow->FromY, joined->ToY, 1e-9);
  EXPECT_EQ(onArrow->ToObject, nullptr);
  EXPECT_EQ(onArrow->ToHead, TArrow().ToHead);
}

TEST(Version1Reader, ClaimedCountsCostOnlyWhatExists)
{
  TModelDocument document;
  CGPObject* first = Read(document,
                          V1("[MODEL]|Number of Objects=2000000000|[COGI1]|Text Lines=2000000000|"
                             "Text0=first|Text1999999999=last|Notes Lines=-5|Notes0=never|"
                             "[COGI2000000000]|[COGI2147483648]|[COGI01]|[COGI-1]"),
                          2);
  EXPECT_EQ(TRtfReader::PlainText(first->Text), QStringLiteral("first\nlast"));
  EXPECT_TRUE(first->Notes.isEmpty());
  // Missing sections make nothing; a repeated one adds nothing to the first.
  TModelDocument fewer;
  EXPECT_EQ(Read(fewer, V1("[MODEL]|Number of Objects=3|[COGI3]|[COGI4]|[cogi3]|Shape=14"), 1)
                ->KindCode(),
            okCogi);
}

TEST(Version1Reader, SizesNeverVanishOrTurnInsideOut)
{
  TModelDocument document;
  Read(document,
       ModelWith("[COGI1]|Shape=20|Width=0|Height=-50|Line Width=-4|Text Lines=1|Text0=x|"
                 "Text Font Size=-7|X=99999999999999|[COGI2]|Shape=13|Cluster Width=0|"
                 "Cluster Height=-3|[COGI3]|Shape=12|Width=-10|Height=0|[COGI4]|Size=0|"
                 "Text Font Size=1|Line Width=99999"),
       4);
  for (CGPObject* object : document.Objects) {
    EXPECT_GT(object->Width, 0.0) << object->Serial;
    EXPECT_GT(object->Height, 0.0) << object->Serial;
    EXPECT_GE(FirstFormat(object->Text).fontPointSize(), 1.0) << object->Serial;
  }
  EXPECT_EQ(static_cast<TCogi*>(document.Objects[0])->LineWidth, 0.0f);
  EXPECT_LE(document.Objects[0]->X, TVersion1Reader::kMaxInches + 1);
  EXPECT_EQ(static_cast<TCogi*>(document.Objects[3])->LineWidth, TVersion1Reader::kMaxLineWidth);
}

TEST(Version1Reader, UnquoteOfALoneQuoteStaysALoneQuote)
{
  EXPECT_EQ(TVersion1Reader::Unquote(QStringLiteral("'")), QStringLiteral("'"));
  EXPECT_EQ(TVersion1Reader::Unquote(QStringLiteral("''")), QString());
  EXPECT_EQ(TVersion1Reader::Unquote(QStringLiteral("'it's'")), QStringLiteral("it's"));
}

TEST(Version1Reader, TextIsWindows1252UnlessValidUtf8)
{
  for (const char* text : {"caf\xE9 \x80", "caf\xC3\xA9 \xE2\x82\xAC"}) {
    TModelDocument document;
    CGPObject* cogi =
        Read(document, ModelWith("[COGI1]|Text Lines=1") + "Text0=" + QByteArray(text), 1);
    EXPECT_EQ(TRtfReader::PlainText(cogi->Text), QStringLiteral(u"caf\u00e9 \u20ac"));
  }
}

TEST(Version1Reader, FilesThatAreNotVersion1ModelsCreateNothing)
{
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  QImage(8, 8, QImage::Format_RGB32).save(&buffer, "PNG");
  ASSERT_GT(TModelStream::ReadVersion(png), 0.0);
  ASSERT_LT(TModelStream::ReadVersion(png), 2.0);
  for (const QByteArray& bytes :
       {png, V1("[OTHER]|Number of Objects=3|[COGI1]"),
        QByteArray("[MODEL]\r\n\0\0[COGI1]\r\n", 20), QByteArray("[MODEL]\r\nx\x01y\r\n")}) {
    TModelDocument document;
    EXPECT_EQ(Open(document, bytes), QStringLiteral("Unable to load model. Unknown format"));
    EXPECT_TRUE(document.Objects.empty());
    EXPECT_EQ(document.PagesAcross, 2);
  }
}

TEST(Version1Reader, InsertingRefusesTheEarlierVersion)
{
  TModelDocument document;
  document.CreateObject(okCogi);
  try {
    TVersion1Reader::ReadVersion1Model(document, ModelWith("[COGI1]"), TVersion1Purpose::Insert);
    ADD_FAILURE() << "inserted";
  } catch (const EStreamError& error) {
    EXPECT_EQ(error.Message(), QStringLiteral("Inserting of earlier versions not supported."));
  }
  EXPECT_EQ(document.Objects.size(), 1u);
}
