#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "render/text/preparedtext.h"

namespace {

QImage Blank(int dotsPerInch)
{
  QImage image(160, 60, QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
  image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
  image.fill(Qt::white);
  return image;
}

// What drawing the text directly gives: the baseline at the top plus the ascent.
QImage Direct(const QString& text, const QFont& font, int dotsPerInch)
{
  QImage image = Blank(dotsPerInch);
  QPainter painter(&image);
  painter.setFont(font);
  const QFontMetrics metrics(font, &image);
  painter.drawText(QPoint(7, 9 + metrics.ascent()), text);
  return image;
}

QImage Prepared(TPreparedText& prepared, const QString& text, const QFont& font, int dotsPerInch)
{
  QImage image = Blank(dotsPerInch);
  QPainter painter(&image);
  prepared.Prepare(text, font, &image);
  prepared.Draw(painter, 7, 9);
  return image;
}

}  // namespace

TEST(PreparedText, DrawsTheSamePixelsAsDirectTextAndMeasuresTheSame)
{
  for (int pixelSize : {2, 8, 11, 24}) {
    for (int dpi : {96, 192}) {
      QFont font(QStringLiteral("Arial"));
      font.setPixelSize(pixelSize);
      TPreparedText prepared;
      for (const QString& text : {QStringLiteral("7"), QStringLiteral("1234")}) {
        SCOPED_TRACE(testing::Message()
                     << pixelSize << "px " << dpi << "dpi " << text.toStdString());
        const QImage image = Prepared(prepared, text, font, dpi);
        EXPECT_EQ(image, Direct(text, font, dpi));
        QImage probe = Blank(dpi);
        const QFontMetrics metrics(font, &probe);
        EXPECT_EQ(prepared.Width(), metrics.horizontalAdvance(text));
        EXPECT_EQ(prepared.Height(), metrics.height());
      }
    }
  }
}

TEST(PreparedText, ANewTextOrFontReplacesThePreparedOne)
{
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(20);
  TPreparedText prepared;
  const QImage first = Prepared(prepared, QStringLiteral("12"), font, 96);
  // A renumbered object must not keep showing its old number.
  EXPECT_EQ(Prepared(prepared, QStringLiteral("13"), font, 96),
            Direct(QStringLiteral("13"), font, 96));
  EXPECT_NE(Prepared(prepared, QStringLiteral("13"), font, 96), first);
  // Zooming changes the font size.
  QFont larger = font;
  larger.setPixelSize(30);
  EXPECT_EQ(Prepared(prepared, QStringLiteral("13"), larger, 96),
            Direct(QStringLiteral("13"), larger, 96));
  EXPECT_GT(prepared.Width(), 0);
}
