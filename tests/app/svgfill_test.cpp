// Fills in SVG pictures: the format has no image brushes and no clipping, so patterns and
// pictures must still appear, and only inside their shapes.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include "platform/canvas.h"
#include "render/fillpainter.h"

namespace {

constexpr int kSize = 120;

QImage FillThroughSvg(int style)
{
  QByteArray svg;
  QBuffer buffer(&svg);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(kSize, kSize));
  generator.setViewBox(QRect(0, 0, kSize, kSize));
  {
    QPainter painter(&generator);
    TCanvas canvas(painter, 96, 96);
    QPainterPath path;
    path.addEllipse(QRectF(20, 30, 80, 60));
    TFillPainter::FillPath(canvas, path, style, 100, 20, 0, nullptr, false, 0x0000FF, 0xFFFF00);
  }
  QImage image(kSize, kSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QSvgRenderer(svg).render(&painter, QRectF(0, 0, kSize, kSize));
  return image;
}

}  // namespace

TEST(SvgFill, PatternsAndPicturesAppearOnlyInsideTheirShape)
{
  for (int style : {TFillPainter::Pattern, TFillPainter::Picture}) {
    SCOPED_TRACE(style);
    const QImage image = FillThroughSvg(style);
    int inked = 0;
    int outside = 0;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        const bool white = image.pixel(x, y) == qRgb(255, 255, 255);
        // Well inside or well outside the ellipse, away from its anti-aliased edge.
        const double dx = (x + 0.5 - 60) / 40.0;
        const double dy = (y + 0.5 - 60) / 30.0;
        const double r = dx * dx + dy * dy;
        if (r < 0.8) inked += !white;
        if (r > 1.2) outside += !white;
      }
    EXPECT_GT(inked, 1000);  // the ellipse holds about 3,700 pixels
    EXPECT_EQ(outside, 0);
  }
}
