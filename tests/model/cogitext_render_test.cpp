#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "model/cogi.h"
#include "platform/canvas.h"
#include "testsupport.h"

namespace {

// Hand-written rich text in the style a rich-edit control produces.
const char* const kSamples[] = {
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green0\\blue0;"
    "\\red0\\green90\\blue200;}\\pard\\qc\\f0\\fs20\\b Bold title\\b0\\par"
    "\\pard\\qc\\cf1 red words\\cf0  and \\cf2 blue\\cf0\\par}",
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\fs18{\\pntext\\f1\\'b7\\tab}"
    "{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}\\fi-200\\li200 first point\\par"
    "{\\pntext\\f1\\'b7\\tab}second point\\par}",
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\pard\\ql\\f0\\fs18 Left aligned "
    "text that wraps over several lines\\par}",
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\qc\\f0\\fs20\\i Turned\\i0  text\\par}",
};

}  // namespace

TEST(CogiText, FormattedTextInHexagonsPicture)
{
  QImage image(1100, 260, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  TCanvas canvas(painter, 96, 96);
  std::vector<std::unique_ptr<TCogi>> cogis;
  for (int i = 0; i < 4; ++i) {
    auto cogi = std::make_unique<TCogi>();
    cogi->X = 1.4 + i * 2.7;
    cogi->Y = 1.3;
    cogi->SetShape(7, 2);
    cogi->FaceColor = 0x99EEFF;
    cogi->Text = QByteArray(kSamples[i]);
    if (i == 3) cogi->Angle = 30;
    cogi->Recalculate(nullptr, true);
    cogi->EnsureTextLayout();
    ASSERT_FALSE(cogi->TextLayout.Empty()) << i;
    cogi->Draw(canvas, false, 0, 0, 100);
    cogis.push_back(std::move(cogi));
  }
  painter.end();
  image.save(testsupport::OutputPath(QStringLiteral("cogi_text.png")));
  // Text colours reach the pixels: some clearly red ink in the first hexagon, blue too.
  bool red = false;
  bool blue = false;
  for (int y = 60; y < 200; ++y)
    for (int x = 20; x < 210; ++x) {
      const QColor c(image.pixel(x, y));
      red = red || (c.red() > 150 && c.green() < 80 && c.blue() < 80);
      blue = blue || (c.blue() > 150 && c.red() < 80);
    }
  EXPECT_TRUE(red);
  EXPECT_TRUE(blue);
}
