// The compact SVG picture: drawn back through an SVG renderer it shows what the PNG picture
// shows, keeps its text as text, stores each repeated outline once and is smaller than what
// Qt's own SVG generator writes for the same drawing.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include "document/modeldocument.h"
#include "document/modelpainter.h"
#include "io/modelfile.h"
#include "io/pictures/modelpictures.h"
#include "io/pictures/svgpicture.h"
#include "model/arrow.h"
#include "model/cogi.h"
#include "platform/text/rtfwriter.h"
#include "testsupport.h"

namespace {

QImage Rasterised(const QByteArray& svg, QSize size)
{
  QSvgRenderer renderer(svg);
  EXPECT_TRUE(renderer.isValid());
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// Compared in blocks of 4 x 4 pixels, so that edges smoothed one way and not the other do
// not count: the share of blocks whose average colour differs noticeably.
double DifferingShare(const QImage& a, const QImage& b)
{
  const QSize small(a.width() / 4, a.height() / 4);
  const QImage x = a.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const QImage y = b.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  qint64 differing = 0;
  for (int j = 0; j < small.height(); ++j)
    for (int i = 0; i < small.width(); ++i) {
      const QRgb p = x.pixel(i, j);
      const QRgb q = y.pixel(i, j);
      const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
      if (d > 40) ++differing;
    }
  return double(differing) / (double(small.width()) * small.height());
}

QByteArray QtSvg(TModelDocument& document, QSize size)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setResolution(96);
  QPainter painter(&generator);
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  TModelPainter(document).RenderToDevice(painter, size, 96, 96);
  return bytes;
}

void BuildGrid(TModelDocument& document)
{
  std::vector<TCogi*> cogis;
  for (int i = 0; i < 60; ++i) {
    auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
    cogi->X = 1 + (i % 10) * 1.4;
    cogi->Y = 1 + (i / 10) * 1.2;
    cogi->SetShape(7, 0);
    cogi->Text = TRtfWriter::CentredText(QStringLiteral("idea %1").arg(i));
    cogi->Shadow = i % 7 == 0 ? 1 : 0;
    cogi->Recalculate(&document.Objects, true);
    cogis.push_back(cogi);
  }
  for (std::size_t i = 0; i + 1 < cogis.size(); i += 2) {
    auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
    TArrow::AttachArrowEnd(cogis[i], arrow, -1, TArrowEnd::Start);
    TArrow::AttachArrowEnd(cogis[i + 1], arrow, -1, TArrowEnd::Finish);
    arrow->Recalculate(&document.Objects, true);
  }
}

}  // namespace

TEST(SvgPicture, GoldenModelRendersLikeItsPngPicture)
{
  TModelDocument document;
  TModelFile::OpenModelFile(document, testsupport::DataPath(QStringLiteral("golden/golden.mdl")),
                            true);
  const QSize size(1200, 900);
  const QImage png = TModelPictures::Picture(document, size);
  const QByteArray svg = TSvgPicture::Write(document, size, 96, QStringLiteral("golden"));
  const QImage drawn = Rasterised(svg, size);
  drawn.save(testsupport::OutputPath(QStringLiteral("golden_svg.png")));
  EXPECT_LT(DifferingShare(drawn, png), 0.02);

  // A clip on an element is taken in the element's own turned coordinates by conforming
  // renderers (browsers, librsvg), which then hid all turned text; Qt's renderer does not.
  // Turned and clipped elements take their clip from a group around them.
  int turnedAndClipped = 0;
  for (const QByteArray& line : svg.split('\n')) {
    for (const QByteArray& tag : line.split('<'))
      EXPECT_FALSE(tag.contains(" transform=") && tag.contains(" clip-path=")) << tag.constData();
    turnedAndClipped += line.startsWith("<g clip-path=") && line.contains(" transform=");
  }
  EXPECT_GT(turnedAndClipped, 5);  // the golden model's turned hexagon, block arrow and label
}

TEST(SvgPicture, RepeatedShapesAreStoredOnceTextStaysTextAndTheFileIsSmaller)
{
  TModelDocument document;
  BuildGrid(document);
  const QSize size(1600, 1100);
  const QByteArray svg = TSvgPicture::Write(document, size, 96, QStringLiteral("grid"));
  EXPECT_LT(DifferingShare(Rasterised(svg, size), TModelPictures::Picture(document, size)), 0.02);
  // Sixty hexagons with shadows, thirty arrows with heads: far fewer outlines stored than drawn.
  const qsizetype stored = svg.count("<path id=");
  const qsizetype drawn = svg.count("<use ");
  EXPECT_GE(drawn, 60 + 30 + 30);
  EXPECT_LT(stored * 3, drawn) << stored << " stored, " << drawn << " drawn";
  // Each object's text is one text element holding its words.
  EXPECT_TRUE(svg.contains(">idea 42</text>"));
  EXPECT_LT(svg.size(), QtSvg(document, size).size() / 2);
  // The title is escaped.
  EXPECT_TRUE(TSvgPicture::Write(document, size, 96, QStringLiteral("a<b&c"))
                  .contains("<title>a&lt;b&amp;c</title>"));
}
