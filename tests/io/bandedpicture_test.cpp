// The picture drawn in bands on several threads has the pixels of the picture drawn whole on
// one thread: every kind of object, text, pictures, gradients, patterns, line styles, shadows,
// extrusions, rotation, numbers and link icons, with objects across band edges.
#include <gtest/gtest.h>

#include <QImage>

#include "document/bandedpicture.h"
#include "document/modelpainter.h"
#include "io/iotestsupport.h"
#include "io/modelfile.h"
#include "io/pictures/modelpictures.h"
#include "platform/pictures/jpegcodec.h"
#include "platform/pictures/picturecodec.h"
#include "testsupport.h"

namespace {

QImage Whole(TModelDocument& document, QSize size)
{
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  TModelPainter(document).RenderToBitmap(image);
  return image;
}

QImage Banded(TModelDocument& document, QSize size, int bands, int threads)
{
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  TBandedPicture picture(document, image, bands);
  picture.Draw(threads);
  return image;
}

// The first differing pixel, for the failure message.
std::string FirstDifference(const QImage& a, const QImage& b)
{
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y))
        return "pixel " + std::to_string(x) + "," + std::to_string(y);
  return "sizes differ";
}

// Hexagons in a grid, each with other attributes: every gradient, many patterns, every line
// style, every shadow and 3-D direction, rotations, picture fills, numbers, links and text;
// bent arrows with heads and text between neighbours.
void BuildFeatureModel(TModelDocument& document)
{
  iotest::BuildRichModel(document);
  QImage photo(40, 24, QImage::Format_RGB32);
  for (int y = 0; y < photo.height(); ++y)
    for (int x = 0; x < photo.width(); ++x)
      photo.setPixel(x, y, qRgb(x * 6, y * 10, 120));
  const TPicture jpeg = DecodePicture(TPicture::TKind::Jpeg, TJpegCodec::Encode(photo));
  std::vector<TCogi*> cogis;
  for (int i = 0; i < 48; ++i) {
    TCogi* cogi = iotest::AddCogi(document, 1.5 + (i % 8) * 1.6, 9 + (i / 8) * 1.3, i % 12,
                                  QStringLiteral("Idea %1 with words that wrap").arg(i));
    cogi->FillStyle = static_cast<std::uint8_t>(i % 5);
    cogi->GradientIndex = static_cast<std::uint8_t>(i % 16);
    cogi->PatternIndex = static_cast<std::uint8_t>((i * 7) % 49);
    cogi->BackColor = 0x2040C0 + static_cast<TColorRef>(i);
    cogi->LineStyle = static_cast<std::uint8_t>(i % 12);
    cogi->LineWidth = static_cast<float>(0.5 + (i % 4));
    cogi->Shadow = static_cast<std::uint8_t>(i % 5);
    cogi->Style3D = static_cast<std::uint8_t>((i / 5) % 5);
    cogi->Angle = (i * 37) % 360;
    cogi->ShowNumber = i % 3 == 0;
    cogi->Number = i + 1;
    if (i % 5 == 3) {
      cogi->FillPicture = jpeg;
      cogi->PictureCentred = i % 2 == 0;
    }
    if (i % 4 == 1) cogi->SetLink(QStringLiteral("http://example.org/%1").arg(i), nullptr);
    cogis.push_back(cogi);
  }
  for (std::size_t i = 0; i + 1 < cogis.size(); i += 3) {
    auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
    TArrow::AttachArrowEnd(cogis[i], arrow, -1, TArrowEnd::Start);
    TArrow::AttachArrowEnd(cogis[i + 1], arrow, -1, TArrowEnd::Finish);
    arrow->ChordHeight = i % 2 == 0 ? 0.6 : 0.0;
    arrow->ToHead = static_cast<std::uint8_t>(1 + i % 10);
    arrow->Text = TRtfWriter::CentredText(QStringLiteral("leads to"));
    arrow->LineStyle = static_cast<std::uint8_t>(i % 4);
  }
  for (CGPObject* object : document.Objects)
    object->Recalculate(&document.Objects, true);
}

void ExpectSamePictures(TModelDocument& document, QSize size)
{
  Whole(document, size);  // clusters number their members on the first paint
  const QImage whole = Whole(document, size);
  for (const int bands : {1, 2, 3, 7, 40}) {
    const QImage banded = Banded(document, size, bands, 2);
    if (banded != whole) {
      whole.save(testsupport::OutputPath(QStringLiteral("banded_whole.png")));
      banded.save(testsupport::OutputPath(QStringLiteral("banded_bands.png")));
    }
    ASSERT_EQ(banded, whole) << bands << " bands, " << size.width() << " x " << size.height()
                             << ": " << FirstDifference(banded, whole);
  }
}

}  // namespace

TEST(BandedPicture, EveryObjectKindOfTheGoldenModelDrawsTheSameInBands)
{
  TModelDocument document;
  TModelFile::OpenModelFile(document, testsupport::DataPath(QStringLiteral("golden/golden.mdl")),
                            true);
  ASSERT_GE(document.Objects.size(), 12u);
  ExpectSamePictures(document, QSize(1600, 1200));
  ExpectSamePictures(document, QSize(317, 451));  // small: text left out, numbers large
}

TEST(BandedPicture, FillsLinesEffectsTextAndRotationDrawTheSameInBands)
{
  TModelDocument document;
  BuildFeatureModel(document);
  ExpectSamePictures(document, QSize(2000, 1700));
  ExpectSamePictures(document, QSize(700, 500));
}

// Races show as pixels that differ now and then: the same picture many times over.
TEST(BandedPicture, RepeatedParallelDrawingsAllEqualTheWholePicture)
{
  TModelDocument document;
  BuildFeatureModel(document);
  const QSize size(1200, 900);
  Whole(document, size);
  const QImage whole = Whole(document, size);
  for (int run = 0; run < 25; ++run)
    ASSERT_EQ(Banded(document, size, 2 + run % 9, 2), whole) << "run " << run;
}

// A member drawn before its numbering cluster shows the number it had; numbering beforehand
// would show the new one, so such a model is drawn whole, with nothing numbered early.
TEST(BandedPicture, MemberDrawnBeforeItsNumberingClusterKeepsTheWholeDrawing)
{
  auto build = [](TModelDocument& document) {
    TCogi* member = iotest::AddCogi(document, 4, 3, 7, QStringLiteral("Member"));
    member->ShowNumber = true;
    member->FaceColor = 0x80FFFF;
    auto* cluster = static_cast<TCluster*>(document.CreateObject(okCluster));
    cluster->X = 4;
    cluster->Y = 3;
    cluster->Width = 5;
    cluster->Height = 3;
    cluster->Outline = MakeShapeOutline(okCluster, 11, 5, 3);
    cluster->NumberMembers = true;
    cluster->FillStyle = kFillClear;  // the member's number shows through
    // Objects join clusters below them; a member below its cluster (sent to the back, say)
    // keeps its place in the list until the next refresh.
    cluster->Members = {member};
    member->Number = 42;
    return member;
  };
  TModelDocument single;
  build(single);
  const QImage whole = Whole(single, QSize(800, 600));
  TModelDocument banded;
  TCogi* member = build(banded);
  QImage image(800, 600, QImage::Format_RGB32);
  image.fill(Qt::white);
  TBandedPicture picture(banded, image, 4);
  EXPECT_FALSE(picture.Shareable());
  EXPECT_EQ(member->Number, 42);
  picture.Draw(2);
  if (image != whole) {
    whole.save(testsupport::OutputPath(QStringLiteral("banded_whole.png")));
    image.save(testsupport::OutputPath(QStringLiteral("banded_bands.png")));
  }
  EXPECT_EQ(image, whole);
  EXPECT_EQ(member->Number, 1);
  // The membership was set by hand; the documents are taken apart without it.
  for (TModelDocument* document : {&single, &banded})
    static_cast<TCluster*>(document->Objects.back())->Members.clear();
}

// The PNG file whose pieces are packed while other bands are still drawn holds the picture
// drawn whole, and so does the picture every export takes.
TEST(BandedPicture, PngPackedWhileDrawingHoldsTheWholePicture)
{
  TModelDocument document;
  BuildFeatureModel(document);
  const QSize size(1500, 1100);  // large enough to be drawn on several threads
  Whole(document, size);
  const QImage whole = Whole(document, size);
  const QImage png = QImage::fromData(TModelPictures::Png(document, size), "PNG");
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), whole);
  EXPECT_EQ(TModelPictures::Picture(document, size), whole);
}
