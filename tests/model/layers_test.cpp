#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <memory>
#include <set>

#include "model/arrow.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/filekind.h"
#include "model/objectfactory.h"
#include "model/outlines/shapegenerator.h"
#include "model/recordtestsupport.h"
#include "platform/canvas.h"
#include "platform/measurecanvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "platform/streams/streamerror.h"
#include "render/rendertest.h"

using recordtest::Record;
using rendertest::CountPixels;
using rendertest::WhiteImage;

namespace {

std::unique_ptr<TCogi> LoadCogi(const QByteArray& bytes)
{
  TBinaryReader reader(bytes);
  EXPECT_EQ(reader.ReadInt32(), 8);
  auto cogi = std::make_unique<TCogi>();
  cogi->LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  return cogi;
}

}  // namespace

TEST(Layers, APlainCogiRecordHasTheFileLayout)
{
  TCogi cogi;
  cogi.SetShape(kCogiVariantHexagon, kCogiSmall);
  cogi.FillPicture.reset();
  const QByteArray bytes = Record(cogi);
  const int c = static_cast<int>(cogi.Outline.size());
  ASSERT_EQ(c, 7);
  ASSERT_EQ(bytes.size(), 146 + 52 * c);
  TBinaryReader reader(bytes);
  reader.Seek(103);  // past the object layer
  EXPECT_EQ(reader.ReadByte(), kLineSolid);
  EXPECT_EQ(reader.ReadFloat(), 0.75f);
  EXPECT_EQ(reader.ReadUInt32(), colors::Black);
  EXPECT_EQ(reader.ReadByte(), kFillSolid);
  EXPECT_EQ(reader.ReadByte(), 0);  // pattern
  EXPECT_EQ(reader.ReadUInt32(), cogi.FaceColor);
  EXPECT_EQ(reader.ReadInt32(), 0);           // no picture
  EXPECT_EQ(reader.ReadByte(), 1);            // centred
  EXPECT_EQ(reader.ReadByte(), 0);            // gradient
  EXPECT_EQ(reader.ReadUInt32(), 0x0000FFu);  // back colour: red
  EXPECT_EQ(reader.ReadInt32(), 0);           // empty link
  EXPECT_EQ(reader.ReadInt32(), 0);           // no window
  EXPECT_EQ(reader.ReadInt32(), 0);           // angle
  EXPECT_EQ(reader.ReadInt32(), c);
  reader.Skip(52);
  // The first edge is straight: C1 at the start point, C2 at its own end.
  EXPECT_EQ(reader.ReadDouble(), 0.0);
  EXPECT_EQ(reader.ReadDouble(), -0.625);
  EXPECT_EQ(reader.ReadDouble(), 0.625);
  EXPECT_EQ(reader.ReadDouble(), -0.3125);
  reader.Seek(144 + 52 * c);
  EXPECT_EQ(reader.ReadByte(), kCogiVariantHexagon);
  EXPECT_EQ(reader.ReadByte(), kCogiSmall);
}

TEST(Layers, EveryLayerRoundTrips)
{
  TCogi cogi;
  cogi.Serial = 7;
  cogi.Number = 12;
  cogi.X = 1.5;
  cogi.Y = -2.25;
  cogi.SetShape(12, kCogiLarge);
  cogi.Text = "{\\rtf1 idea}";
  cogi.Notes = "{\\rtf1 note}";
  cogi.Shadow = 3;
  cogi.Style3D = 1;
  cogi.ShowNumber = true;
  cogi.DragX = 4;
  cogi.DragY = 5;
  cogi.TextOffsetY = 0.2;
  cogi.LineStyle = 7;
  cogi.LineWidth = 2.5f;
  cogi.LineColor = 0x123456;
  cogi.FillStyle = kFillPicture;
  cogi.PatternIndex = 33;
  cogi.FaceColor = 0x00ABCDEF;
  QImage picture(4, 3, QImage::Format_RGB32);
  picture.fill(QColor(10, 200, 30));
  cogi.FillPicture = TPicture::FromImage(picture);
  cogi.PictureCentred = false;
  cogi.GradientIndex = 15;
  cogi.BackColor = 0x00FF00;
  cogi.SetLink(QStringLiteral("www.example.org"), nullptr);
  cogi.Angle = 33;
  const auto copy = LoadCogi(Record(cogi));
  EXPECT_EQ(copy->Serial, 7);
  EXPECT_EQ(copy->Number, 12);
  EXPECT_EQ(copy->X, 1.5);
  EXPECT_EQ(copy->Y, -2.25);
  EXPECT_EQ(copy->Width, 3.0);
  EXPECT_EQ(copy->Height, 2.0);
  EXPECT_EQ(copy->Text, cogi.Text);
  EXPECT_EQ(copy->Notes, cogi.Notes);
  EXPECT_EQ(copy->Shadow, 3);
  EXPECT_EQ(copy->Style3D, 1);
  EXPECT_TRUE(copy->ShowNumber);
  EXPECT_EQ(copy->DragY, 5);
  EXPECT_EQ(copy->TextOffsetY, 0.2);
  EXPECT_EQ(copy->LineStyle, 7);
  EXPECT_EQ(copy->LineWidth, 2.5f);
  EXPECT_EQ(copy->LineColor, 0x123456u);
  EXPECT_EQ(copy->FillStyle, kFillPicture);
  EXPECT_EQ(copy->PatternIndex, 33);
  EXPECT_EQ(copy->FaceColor, 0x00ABCDEFu);
  ASSERT_TRUE(copy->FillPicture.has_value());
  EXPECT_EQ(copy->FillPicture->Image().convertToFormat(QImage::Format_RGB32), picture);
  EXPECT_FALSE(copy->PictureCentred);
  EXPECT_EQ(copy->GradientIndex, 15);
  EXPECT_EQ(copy->BackColor, 0x00FF00u);
  EXPECT_EQ(copy->Link, QStringLiteral("www.example.org"));
  EXPECT_EQ(copy->LinkIconKind, TLinkIconKind::Web);
  EXPECT_EQ(copy->Angle, 33);
  EXPECT_EQ(copy->Outline, cogi.Outline);
  EXPECT_EQ(copy->ShapeVariant, 12);
  EXPECT_EQ(copy->CogiSize, kCogiLarge);
}

TEST(Layers, DamagedOutlinesAreCheckedAgainstTheBytesPresent)
{
  TCogi cogi;
  cogi.Outline = {{0, 0, 0, 0, 1, 1}, {1, 1, 2, 2, 2, 2}, {1, 1, 2, 2, 2, 2}, {0, 0, 0, 0, 1, 1}};
  QByteArray bytes = Record(cogi);
  // Repeated consecutive end points are dropped on reading.
  EXPECT_EQ(LoadCogi(bytes)->Outline.size(), 3u);

  const qsizetype countAt = 140;
  for (std::int32_t count : {-1, 5, 40000000, 2147483647}) {
    QByteArray damaged = bytes;
    QByteArray value(4, 0);
    qToLittleEndian(count, value.data());
    damaged.replace(countAt, 4, value);
    TBinaryReader reader(damaged, 4);
    TCogi target;
    EXPECT_THROW(target.LoadFromStream(reader), EStreamError) << count;
  }
  // A record cut short ends in the stream error too.
  TBinaryReader reader(bytes.left(bytes.size() - 1), 4);
  TCogi target;
  EXPECT_THROW(target.LoadFromStream(reader), EStreamError);
}

TEST(Layers, TheFactoryMakesEachClassByKindCode)
{
  const auto kind = [](int code) {
    std::unique_ptr<CGPObject> object(TObjectFactory::Create(code));
    return object->KindCode();
  };
  EXPECT_EQ(kind(1), 1);
  EXPECT_EQ(kind(8), 8);
  EXPECT_EQ(kind(9), 9);
  for (int unknown : {0, -1, 13, 99})
    EXPECT_EQ(kind(unknown), 8) << unknown;
  // The arrow is a lined object and its record carries the line.
  TArrow arrow;
  TLined* lined = &arrow;
  EXPECT_EQ(lined->LineWidth, 0.75f);
  EXPECT_EQ(Record(arrow).size(), 103 + 9 + 62);  // heads 6, points 40, ends 16
  EXPECT_EQ(TCogi().ClassDisplayName(), QStringLiteral("Cogi"));
}

TEST(Layers, NewFilledObjectsGetLightWarmColoursOfTheirOwn)
{
  std::set<TColorRef> seen;
  for (int i = 0; i < 200; ++i) {
    const TCogi cogi;
    EXPECT_EQ(RedOf(cogi.FaceColor), 255);
    EXPECT_GE(GreenOf(cogi.FaceColor), 127);
    EXPECT_LE(GreenOf(cogi.FaceColor), 254);
    EXPECT_GE(BlueOf(cogi.FaceColor), 127);
    EXPECT_LE(BlueOf(cogi.FaceColor), 254);
    EXPECT_EQ(cogi.BackColor, 0x0000FFu);
    EXPECT_TRUE(cogi.PictureCentred);
    seen.insert(cogi.FaceColor);
  }
  EXPECT_GT(seen.size(), 150u);
}

TEST(Layers, LinesAreStrokedAtTheirWidthInPoints)
{
  TCogi cogi;
  cogi.LineColor = MakeColorRef(0, 0, 255);
  const QRgb blue = qRgb(0, 0, 255);
  QPainterPath line;
  line.moveTo(10, 50);
  line.lineTo(90, 50);
  auto strokeRows = [&](double points, double zoom) {
    cogi.LineWidth = static_cast<float>(points);
    QImage image = WhiteImage(100, 100);
    QPainter painter(&image);
    TCanvas canvas(painter, 96, 96);
    cogi.StrokeArea(canvas, line, zoom);
    painter.end();
    int rows = 0;
    for (int y = 0; y < 100; ++y)
      rows += image.pixel(50, y) == blue;
    return rows;
  };
  EXPECT_EQ(strokeRows(10, 100), 13);
  EXPECT_EQ(strokeRows(0, 100), 1);
  EXPECT_EQ(strokeRows(0, 800), 1);  // a hairline stays one pixel at every zoom
  EXPECT_EQ(strokeRows(-3, 100), 4);
  cogi.LineStyle = kLineNone;
  EXPECT_EQ(strokeRows(10, 100), 0);
}

TEST(Layers, TheNumberIsDrawnInTheLineColour)
{
  TCogi cogi;
  cogi.X = 1;
  cogi.Y = 1;
  cogi.SetShape(kCogiVariantHexagon, kCogiSmall);
  cogi.Recalculate(nullptr, true);
  cogi.ShowNumber = true;
  cogi.Number = 88;
  cogi.LineColor = MakeColorRef(255, 0, 0);
  QImage image = WhiteImage(200, 200);
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  cogi.DrawNumber(canvas, 0, 0, 0, 200, 0);
  painter.end();
  EXPECT_GT(CountPixels(image, qRgb(255, 0, 0)), 10);
  EXPECT_EQ(CountPixels(image, qRgb(0, 0, 0)), 0);
}

TEST(Layers, FileKindsFollowTheExtension)
{
  EXPECT_EQ(FileKindOf(QStringLiteral("C:\\Pictures\\a.bmp")), kFileBmp);
  EXPECT_EQ(FileKindOf(QStringLiteral("a.JPEG")), kFileJpeg);
  EXPECT_EQ(FileKindOf(QStringLiteral("a.jpg")), kFileJpeg);
  EXPECT_EQ(FileKindOf(QStringLiteral("/home/me/Plan.Mdl")), kFileModel);
  EXPECT_EQ(FileKindOf(QStringLiteral("x.txt")), kFileText);
  EXPECT_EQ(FileKindOf(QStringLiteral("x.RTF")), kFileRtf);
  EXPECT_EQ(FileKindOf(QStringLiteral("x.emf")), kFileMetafile);
  EXPECT_EQ(FileKindOf(QStringLiteral("x.WMF")), kFileMetafile);
  EXPECT_EQ(FileKindOf(QStringLiteral("x.ico")), kFileIcon);
  EXPECT_EQ(FileKindOf(QStringLiteral("x.htm")), kFileHtml);
  EXPECT_EQ(FileKindOf(QStringLiteral("x.Html")), kFileHtml);
  EXPECT_EQ(FileKindOf(QStringLiteral("x.mdlx")), kFileOther);
  EXPECT_EQ(FileKindOf(QStringLiteral("C:\\my.mdl\\notes")), kFileOther);
  EXPECT_EQ(FileKindOf(QString()), kFileOther);
}

TEST(Gateway, SpecialLinksAreRecognisedExactly)
{
  using K = TSpecialLink::TKind;
  auto kind = [](const char* link) {
    return TGateway::ParseSpecialLink(QString::fromLatin1(link));
  };
  ASSERT_TRUE(kind("cgpToLastModel"));
  EXPECT_EQ(kind("cgpToLastModel")->Kind, K::LastModel);
  EXPECT_EQ(kind("CGPTOCONTROLMODEL")->Kind, K::ControlModel);
  EXPECT_EQ(kind("CGPtoMainView")->Kind, K::MainView);
  EXPECT_FALSE(kind("CGPTOLASTMODELS"));
  EXPECT_EQ(TGateway::ChooseLinkIcon(QStringLiteral("CGPTOLASTMODELS"), false), TLinkIconKind::Web);

  // A help topic: the seven letters, any separator, a decimal context.
  ASSERT_TRUE(kind("CGPHELP 120"));
  EXPECT_EQ(kind("CGPHELP 120")->Kind, K::Help);
  EXPECT_EQ(kind("CGPHELP 120")->HelpContext, 120);
  EXPECT_EQ(kind("cgphelpx120")->HelpContext, 120);
  EXPECT_EQ(kind("CGPHELP:7")->HelpContext, 7);
  // Anything else that starts with those letters is an ordinary link.
  for (const char* ordinary : {"CGPHELP", "CGPHELP:", "CGPHELPER", "CGPHELP:12a",
                               "CGPHELP:99999999999", "CGPHELP: 12", "CGPHELP:-3"}) {
    EXPECT_FALSE(kind(ordinary)) << ordinary;
    EXPECT_EQ(TGateway::ChooseLinkIcon(QString::fromLatin1(ordinary), false), TLinkIconKind::Web)
        << ordinary;
  }
}

TEST(Gateway, ALinkLoadedFromAFileNeverThrowsAndPicksItsIcon)
{
  for (const char* link : {"CGPHELP", "CGPHELP:", "CGPHELPdesk", "CGPHELP#42"}) {
    TCogi cogi;
    cogi.SetShape(kCogiVariantHexagon, kCogiSmall);
    cogi.Link = QString::fromLatin1(link);
    TCogi copy;
    const QByteArray bytes = Record(cogi);
    TBinaryReader reader(bytes, 4);
    EXPECT_NO_THROW(copy.LoadFromStream(reader)) << link;
    EXPECT_EQ(copy.Link, QString::fromLatin1(link));
    EXPECT_TRUE(copy.HasGateway());
    EXPECT_EQ(copy.LinkIconKind,
              std::string(link) == "CGPHELP#42" ? TLinkIconKind::Help : TLinkIconKind::Web);
  }
}

TEST(Gateway, IconsAreChosenByTheKindOfTarget)
{
  QTemporaryDir folder;
  const QString existing = folder.filePath(QStringLiteral("notes.txt"));
  QFile file(existing);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("text");
  file.close();

  TGateway gateway;
  EXPECT_EQ(gateway.LinkIconKind, TLinkIconKind::Application);
  EXPECT_FALSE(gateway.HasGateway());
  auto* window = reinterpret_cast<TModelDocument*>(&gateway);  // only compared, never used
  const struct {
    QString Link;
    TModelDocument* Window;
    TLinkIconKind Kind;
  } cases[] = {
      {QString(), nullptr, TLinkIconKind::None},
      {QString(), window, TLinkIconKind::Model},
      {QStringLiteral("C:\\Models\\Plan.MDL"), nullptr, TLinkIconKind::Model},
      {QStringLiteral("plan.mdl"), nullptr, TLinkIconKind::Model},
      {QStringLiteral("CGPTOLASTMODEL"), nullptr, TLinkIconKind::LastModel},
      {QStringLiteral("CGPTOCONTROLMODEL"), nullptr, TLinkIconKind::ControlModel},
      {QStringLiteral("CGPTOMAINVIEW"), nullptr, TLinkIconKind::MainView},
      {QStringLiteral("CGPHELP 5"), nullptr, TLinkIconKind::Help},
      {existing, nullptr, TLinkIconKind::File},
      {QStringLiteral("file://") + existing, nullptr, TLinkIconKind::File},
      {QStringLiteral("C:\\Nowhere\\gone.txt"), nullptr, TLinkIconKind::Fallback},
      {folder.filePath(QStringLiteral("gone.txt")), nullptr, TLinkIconKind::Fallback},
      {QStringLiteral("www.example.org/page.html"), nullptr, TLinkIconKind::Web},
  };
  std::vector<QImage> pictures;
  for (const auto& c : cases) {
    gateway.SetLink(c.Link, c.Window);
    EXPECT_EQ(gateway.LinkIconKind, c.Kind) << c.Link.toStdString();
    EXPECT_EQ(gateway.HasGateway(), c.Kind != TLinkIconKind::None);
    EXPECT_EQ(gateway.LinkIcon().isNull(), c.Kind == TLinkIconKind::None);
    if (c.Kind != TLinkIconKind::None && c.Kind != TLinkIconKind::File)
      pictures.push_back(gateway.LinkIcon().pixmap(16, 16).toImage());
  }
  // The kinds stay distinguishable on screen: each of ours is its own picture.
  gateway.SetLink(QString(), nullptr);
  gateway.LinkIconKind = TLinkIconKind::Application;
  pictures.push_back(gateway.LinkIcon().pixmap(16, 16).toImage());
  std::set<QByteArray> distinct;
  for (const QImage& picture : pictures)
    distinct.insert(
        QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()));
  EXPECT_EQ(distinct.size(), 8u);  // model, three targets, help, fallback, web, application
}

TEST(Gateway, TheIconShowsOnlyBeyondThirtyPercent)
{
  TCogi cogi;
  cogi.X = 2;
  cogi.Y = 2;
  cogi.SetShape(kCogiVariantHexagon, kCogiSmall);
  cogi.Recalculate(nullptr, true);
  ASSERT_EQ(cogi.IconY, 0.37);
  auto drawn = [&](double zoom) {
    QImage image = WhiteImage(400, 400);
    QPainter painter(&image);
    TCanvas canvas(painter, 96, 96);
    cogi.DrawGatewayIcon(canvas, 0, 0, 0, zoom);
    painter.end();
    return image;
  };
  EXPECT_EQ(CountPixels(drawn(100), qRgb(255, 255, 255)), 400 * 400);  // not a gateway yet
  cogi.SetLink(QStringLiteral("CGPTOMAINVIEW"), nullptr);
  EXPECT_EQ(CountPixels(drawn(30), qRgb(255, 255, 255)), 400 * 400);
  const QImage shown = drawn(31);
  EXPECT_LT(CountPixels(shown, qRgb(255, 255, 255)), 400 * 400);
  // At 100 % the icon is 0.16 inch square about centre + (0, 0.37 x 1.25).
  const QImage full = drawn(100);
  int left = 400, right = -1, top = 400, bottom = -1;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x)
      if (full.pixel(x, y) != qRgb(255, 255, 255)) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  EXPECT_GE(left, 184);
  EXPECT_LE(right, 184 + 15);
  EXPECT_GE(top, 229);
  EXPECT_LE(bottom, 229 + 15);
  EXPECT_GT(right - left, 8);
}

namespace {

// A bare rotated rectangle, the way labels use the angle layer.
class TTurnedBox : public TAngled {};

}  // namespace

TEST(Layers, AnglesTurnBoxesRegionsAndOutlines)
{
  TMeasureCanvas measure;
  TCanvas& canvas = measure.Canvas();
  TTurnedBox box;
  box.X = 3;
  box.Y = 3;
  box.Width = 2;
  box.Height = 0.5;
  EXPECT_EQ(box.GetScreenBox(canvas, 0, 0, 100), (TPixelRect{192, 264, 384, 312}));
  const QPoint beyondEnd = canvas.ToPixel(3.9, 3, 0, 0, 100);
  const QPoint above = canvas.ToPixel(3, 2.2, 0, 0, 100);
  EXPECT_TRUE(box.CreateRegion(canvas, 0, 0, 100).contains(beyondEnd));
  EXPECT_FALSE(box.CreateRegion(canvas, 0, 0, 100).contains(above));
  box.Angle = 90;
  EXPECT_EQ(box.GetScreenBox(canvas, 0, 0, 100), (TPixelRect{264, 192, 312, 384}));
  EXPECT_FALSE(box.CreateRegion(canvas, 0, 0, 100).contains(beyondEnd));
  EXPECT_TRUE(box.CreateRegion(canvas, 0, 0, 100).contains(above));
  // Angled objects keep the rotation mode for their handles: four round ones.
  box.Selected = true;
  QImage image = WhiteImage(500, 500);
  QPainter painter(&image);
  TCanvas drawing(painter, 96, 96);
  QRegion handles;
  box.DrawSelection(drawing, opRotateReady, handles, true, 0, 0, 100);
  EXPECT_FALSE(box.HandleRegions[3].isEmpty());
  EXPECT_TRUE(box.HandleRegions[4].isEmpty());
  // The handles turn with the box: handle 1 (top left) now sits at the top right.
  EXPECT_TRUE(box.HandleRegions[0].contains(canvas.ToPixel(3.25, 2, 0, 0, 100)));
}

TEST(Layers, ExtrudedShapesDrawNoOutlineStroke)
{
  auto redPixels = [](int style3D, std::uint8_t lineStyle) {
    TCogi cogi;
    cogi.X = 1;
    cogi.Y = 1;
    cogi.SetShape(kCogiVariantHexagon, kCogiSmall);
    cogi.Recalculate(nullptr, true);
    cogi.Style3D = static_cast<std::uint8_t>(style3D);
    cogi.LineStyle = lineStyle;
    cogi.LineColor = MakeColorRef(255, 0, 0);
    cogi.FaceColor = MakeColorRef(255, 255, 200);
    QImage image = WhiteImage(250, 250);
    QPainter painter(&image);
    TCanvas canvas(painter, 96, 96);
    cogi.Draw(canvas, false, 0, 0, 100);
    painter.end();
    return CountPixels(image, qRgb(255, 0, 0));
  };
  EXPECT_GT(redPixels(0, kLineSolid), 200);
  EXPECT_EQ(redPixels(1, kLineSolid), 0);
  EXPECT_EQ(redPixels(0, kLineNone), 0);
}

TEST(Layers, TheUnrotatedEllipseIsDrawnExactly)
{
  // Drawn exactly, the ellipse reaches the middle of each side of its box.
  auto painted = [](int angle, std::uint8_t lineStyle) {
    TCogi cogi;
    cogi.X = 1.5;
    cogi.Y = 1.5;
    cogi.SetShape(kCogiVariantEllipse, kCogiLarge);
    cogi.Angle = angle;
    cogi.LineStyle = lineStyle;
    cogi.FaceColor = MakeColorRef(0, 0, 255);
    QImage image = WhiteImage(300, 300);
    QPainter painter(&image);
    TCanvas canvas(painter, 96, 96);
    cogi.DrawBody(canvas, 0, 0, 100);
    painter.end();
    return image;
  };
  QImage reference = WhiteImage(300, 300);
  QPainter painter(&reference);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 255));
  QPainterPath ellipse;
  ellipse.addEllipse(QRectF(24, 24, 240, 240));  // the 2.5-inch box at (1.5, 1.5)
  painter.drawPath(ellipse);
  painter.end();
  EXPECT_EQ(painted(0, kLineNone), reference);
  // Turned by a degree it is drawn from its eight curves, which are close but not exact.
  const int exact = CountPixels(reference, qRgb(0, 0, 255));
  const int curves = CountPixels(painted(1, kLineNone), qRgb(0, 0, 255));
  EXPECT_NE(curves, exact);
  EXPECT_LT(std::abs(curves - exact), exact / 20);
}
