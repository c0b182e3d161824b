// Draws every line style, pattern, gradient, shadow and 3-D direction into one picture for a
// person to look at, and checks that each sample came out.
#include <gtest/gtest.h>

#include <QFont>
#include <QPainterPath>
#include <set>

#include "geometry/outline.h"
#include "platform/rounding.h"
#include "render/extrusionpainter.h"
#include "render/fillpainter.h"
#include "render/gradientpainter.h"
#include "render/linerenderer.h"
#include "render/patterns.h"
#include "render/picturepainter.h"
#include "render/shadowpainter.h"
#include "rendertest.h"
#include "testsupport.h"

using namespace rendertest;

namespace {

constexpr TColorRef kFace = MakeColorRef(255, 230, 140);
constexpr TColorRef kBack = MakeColorRef(40, 60, 160);

TOutline Hexagon(double w, double h)
{
  TOutline outline;
  AppendLine(outline, -w / 2, 0);
  AppendLine(outline, -w / 4, -h / 2);
  AppendLine(outline, w / 4, -h / 2);
  AppendLine(outline, w / 2, 0);
  AppendLine(outline, w / 4, h / 2);
  AppendLine(outline, -w / 4, h / 2);
  AppendLine(outline, -w / 2, 0);
  return outline;
}

// An ellipse of four cubic arcs, to show curved faces and curved patterned lines.
TOutline Ellipse(double w, double h)
{
  const double k = 0.5523;
  const double a = w / 2;
  const double b = h / 2;
  TOutline outline;
  AppendLine(outline, a, 0);
  AppendSegment(outline, a, k * b, k * a, b, 0, b);
  AppendSegment(outline, -k * a, b, -a, k * b, -a, 0);
  AppendSegment(outline, -a, -k * b, -k * a, -b, 0, -b);
  AppendSegment(outline, k * a, -b, a, -k * b, a, 0);
  return outline;
}

void Caption(QPainter& painter, int x, int y, const QString& text)
{
  painter.setPen(Qt::black);
  painter.drawText(x, y, text);
}

std::set<QRgb> Colours(const QImage& image, const QRect& rect)
{
  std::set<QRgb> colours;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      colours.insert(image.pixel(x, y));
  return colours;
}

}  // namespace

TEST(RenderGallery, EverySampleIsDrawn)
{
  QImage image = WhiteImage(1240, 1500);
  TPaint paint(image);
  QPainter& painter = paint.Painter();
  TCanvas& canvas = paint.Canvas();
  painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));

  // Line styles: a path with corners and a curve, as hairline, 2 and 4 points.
  std::vector<QRect> lineCells;
  Caption(painter, 10, 16, QStringLiteral("Line styles 0-11 at 0, 2 and 4 points"));
  for (int style = 0; style < TLineRenderer::StyleCount; ++style) {
    const int y = 30 + style * 44;
    Caption(painter, 10, y + 24, QString::number(style));
    const double widths[] = {0, 2, 4};
    for (int i = 0; i < 3; ++i) {
      const int x = 40 + i * 190;
      QPainterPath path;
      path.moveTo(x, y + 30);
      path.lineTo(x + 50, y + 8);
      path.lineTo(x + 90, y + 30);
      path.cubicTo(x + 120, y + 0, x + 150, y + 40, x + 170, y + 10);
      TLineRenderer::StrokePath(canvas, path, style, colors::Black, 100, widths[i]);
      lineCells.push_back(QRect(x - 12, y - 6, 194, 44));
    }
  }

  // Patterns 0-48, face colour on back colour.
  std::vector<QRect> patternCells;
  Caption(painter, 620, 16, QStringLiteral("Patterns 0-48"));
  for (int index = 0; index < TPatterns::Count; ++index) {
    const QRect cell(620 + (index % 7) * 84, 30 + (index / 7) * 62, 72, 44);
    Caption(painter, cell.left(), cell.bottom() + 13, QString::number(index));
    TFillPainter::PatternFill(canvas, QRegion(cell), index, kBack, kFace);
    patternCells.push_back(cell);
  }

  // Gradients 0-15 in hexagons.
  std::vector<QRect> gradientCells;
  Caption(painter, 10, 580, QStringLiteral("Gradients 0-15"));
  const TOutline hexagon = Hexagon(1.3, 0.95);
  for (int index = 0; index < TGradientPainter::Count; ++index) {
    const TModelPoint centre{0.85 + (index % 8) * 1.45, 6.7 + (index / 8) * 1.2};
    const QPainterPath path = OutlinePath(canvas, hexagon, 0, 100, 0, 0, centre);
    TFillPainter::FillPath(canvas, path, TFillPainter::Gradient, 100, 0, index, nullptr, true,
                           kFace, kBack);
    TLineRenderer::StrokePath(canvas, path, 0, colors::Black, 100, 0.75);
    Caption(painter, RoundHalfEven(centre.X * 96) - 4, RoundHalfEven(centre.Y * 96) + 5,
            QString::number(index));
    gradientCells.push_back(path.boundingRect().toRect().adjusted(2, 2, -2, -2));
  }

  // Shadows 1-4 under filled and unfilled (dashed) hexagons, half over a tinted band so
  // that the mask's darkening shows.
  Caption(painter, 10, 860, QStringLiteral("Shadows 1-4: filled, unfilled dashed, box"));
  painter.fillRect(QRect(0, 870, 1240, 60), QColor(170, 220, 255));
  for (int shadow = 1; shadow <= 4; ++shadow) {
    const TModelPoint filledCentre{0.9 + (shadow - 1) * 3.0, 9.6};
    const TModelPoint unfilledCentre{2.15 + (shadow - 1) * 3.0, 9.6};
    const TModelPoint boxCentre{2.15 + (shadow - 1) * 3.0, 10.6};
    TShadowPainter::DrawOutlineShadow(canvas, hexagon, filledCentre, 0, true, 0, 0.75, shadow, 0, 0,
                                      0, 100);
    TFillPainter::FillPath(canvas, OutlinePath(canvas, hexagon, 0, 100, 0, 0, filledCentre), 0, 100,
                           0, 0, nullptr, true, kFace, kBack);
    TShadowPainter::DrawOutlineShadow(canvas, hexagon, unfilledCentre, 0, false,
                                      TLineRenderer::Dashes, 1.5, shadow, 0, 0, 0, 100);
    TLineRenderer::StrokePath(canvas, OutlinePath(canvas, hexagon, 0, 100, 0, 0, unfilledCentre),
                              TLineRenderer::Dashes, colors::Black, 100, 1.5);
    TShadowPainter::DrawBoxShadow(canvas, boxCentre, 0.9, 0.5, shadow, 0, 0, 0, 100);
    painter.fillRect(
        QRect(canvas.ToPixel(boxCentre.X - 0.45, boxCentre.Y - 0.25, 0, 0, 100), QSize(86, 48)),
        QColor(200, 255, 200));
  }

  // 3-D in every direction: filled hexagons, the same turned by 30 degrees, plain grey
  // faces on an ellipse, and a clear fill that shows no faces.
  Caption(painter, 10, 1130,
          QStringLiteral("3-D 1-4: filled, turned 30, plain ellipse, picture fills"));
  const TOutline ellipse = Ellipse(1.1, 0.8);
  for (int style = 1; style <= 4; ++style) {
    const double x = 0.9 + (style - 1) * 1.5;
    for (int row = 0; row < 3; ++row) {
      const TModelPoint centre{x, 12.5 + row * 1.25};
      const TOutline& outline = row == 2 ? ellipse : hexagon;
      const double angle = row == 1 ? 30 : 0;
      TExtrusionPainter::DrawExtrusion(
          canvas, outline, centre, angle, style, kFace,
          row == 2 ? TExtrusionPainter::TFaceFill::Plain : TExtrusionPainter::TFaceFill::Filled, 0,
          0, 100);
      TFillPainter::FillPath(canvas, OutlinePath(canvas, outline, angle, 100, 0, 0, centre), 0, 100,
                             0, 0, nullptr, true, row == 2 ? MakeColorRef(225, 235, 250) : kFace,
                             kBack);
    }
  }

  // Picture fills: the logo centred at two zooms and tiled, and a turned bitmap.
  const TPicture& logo = TPicturePainter::LogoPicture();
  const QRect centredSmall(660, 1180, 150, 110);
  const QRect centredLarge(830, 1180, 50, 40);
  const QRect tiled(900, 1180, 150, 110);
  TPicturePainter::PictureFill(canvas, QRegion(centredSmall, QRegion::Ellipse), &logo, 100, kFace,
                               true);
  TPicturePainter::PictureFill(canvas, QRegion(centredLarge), &logo, 200, kFace, true);
  TPicturePainter::PictureFill(canvas, QRegion(tiled), &logo, 100, kFace, false);
  QImage turned;
  TPicturePainter::RotateBitmap(logo.Image(), turned, colors::White, 30);
  painter.drawImage(QPoint(1080, 1180), turned);

  ASSERT_TRUE(image.save(testsupport::OutputPath(QStringLiteral("render_gallery.png"))));

  for (std::size_t i = 0; i < lineCells.size(); ++i) {
    const int style = static_cast<int>(i / 3);
    if (style == TLineRenderer::NoLine)
      EXPECT_EQ(InkCount(image, lineCells[i].adjusted(20, 0, 0, 0)), 0);
    else
      EXPECT_GT(InkCount(image, lineCells[i]), 40) << "line style " << style;
  }
  for (std::size_t i = 0; i < patternCells.size(); ++i) {
    const std::set<QRgb> colours = Colours(image, patternCells[i]);
    EXPECT_TRUE(colours.count(ToQColor(kFace).rgb()) && colours.count(ToQColor(kBack).rgb()))
        << "pattern " << i;
  }
  for (std::size_t i = 0; i < gradientCells.size(); ++i)
    EXPECT_GT(Colours(image, gradientCells[i]).size(), 4u) << "gradient " << i;
}
