#include "render/text/textdrawer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <map>

#include "geometry/geometry.h"
#include "platform/canvas.h"
#include "platform/rounding.h"
#include "render/text/textmeasurer.h"
#include "testsupport.h"

namespace {

QByteArray Rtf(const std::string& body)
{
  return QByteArray(
             "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
             "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;"
             "\\red0\\green128\\blue0;}\\f0\\fs20 ") +
         QByteArray::fromStdString(body) + "}";
}

const std::string kLong =
    "The quick brown fox jumps over the lazy dog while the cat watches from the wall";

// A canvas on a white image at 96 pixels per inch.
struct TSurface {
  explicit TSurface(int w = 400, int h = 300) : Image(w, h, QImage::Format_RGB32)
  {
    Image.fill(Qt::white);
  }
  QImage Image;
};

QImage Draw(const TTextLayout& layout, const TTextBox& box, double angle, double zoom = 100,
            int shadow = 0, bool style3D = false)
{
  TSurface s;
  {
    QPainter painter(&s.Image);
    TCanvas canvas(painter);
    DrawObjectText(canvas, layout, box, angle, 0, 0, zoom, shadow, style3D);
  }
  return s.Image;
}

std::vector<TPlacedGlyph> Place(const TTextLayout& layout, const TTextBox& box, double angle,
                                double zoom = 100, int shadow = 0, bool style3D = false)
{
  QImage image(10, 10, QImage::Format_RGB32);
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  return TTextDrawer(canvas, 0, 0, zoom).Place(layout, box, angle, shadow, style3D);
}

int CountNonWhite(const QImage& image)
{
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      n += image.pixel(x, y) != qRgb(255, 255, 255);
  return n;
}

// Glyphs grouped into lines by their baseline (text drawn at angle 0).
std::vector<QString> LinesOf(const std::vector<TPlacedGlyph>& glyphs)
{
  std::map<int, QString> byBaseline;
  for (const TPlacedGlyph& g : glyphs)
    if (!g.Bullet) byBaseline[g.Pixel.y()] += QString::fromUcs4(&g.Char, 1);
  std::vector<QString> lines;
  for (const auto& [y, text] : byBaseline)
    lines.push_back(text);
  return lines;
}

const TTextBox kBox{{2.0, 1.5}, 1.6, 1.2};

TTextLayout Layout(const std::string& body, double boxWidth = kBox.Width)
{
  TTextLayout layout;
  BuildTextLayout(Rtf(body), TTextMeasurer::ObjectControlWidth(boxWidth, 1.0), layout);
  return layout;
}

}  // namespace

TEST(TextDrawer, EmptyTextDrawsNothing)
{
  TTextLayout empty;
  BuildTextLayout(QByteArray(), 100, empty);
  EXPECT_EQ(CountNonWhite(Draw(empty, kBox, 0)), 0);
  const TTextLayout marksOnly = Layout("\\par\\par");
  ASSERT_FALSE(marksOnly.Empty());
  EXPECT_TRUE(Place(marksOnly, kBox, 0).empty());
  EXPECT_EQ(CountNonWhite(Draw(marksOnly, kBox, 30)), 0);
  EXPECT_GT(CountNonWhite(Draw(Layout("x"), kBox, 0)), 0);
}

TEST(TextDrawer, LineBreaksAndProportionsHoldAtEveryZoom)
{
  const TTextLayout layout = Layout(kLong);
  const std::vector<TPlacedGlyph> small = Place(layout, kBox, 0, 10);
  const std::vector<TPlacedGlyph> large = Place(layout, kBox, 0, 400);
  ASSERT_EQ(small.size(), large.size());
  const std::vector<QString> lines = LinesOf(large);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(LinesOf(small), lines);
  for (std::size_t i = 0; i < large.size(); ++i) {
    // Both are the same model point, rounded at scales 9.6 and 384 pixels per inch.
    EXPECT_NEAR(large[i].Pixel.x() / 40.0, small[i].Pixel.x(), 0.51) << i;
    EXPECT_NEAR(large[i].Pixel.y() / 40.0, small[i].Pixel.y(), 0.51) << i;
    EXPECT_EQ(large[i].PixelSize, 52);  // 13 pixels at 100 % is 13/96 inch
    EXPECT_EQ(small[i].PixelSize, 1);
  }
}

TEST(TextDrawer, AlignmentPlacesLinesInTheBox)
{
  const double sx = 96.0;
  const double left = (kBox.Centre.X - kBox.Width / 2) * sx;
  const double right = (kBox.Centre.X + kBox.Width / 2) * sx;
  const TTextLayout layout = Layout("\\qr " + kLong);
  const std::vector<TPlacedGlyph> glyphs = Place(layout, kBox, 0);
  // Right-aligned wrapped lines end at the box's right edge: their trailing spaces take no room.
  std::map<int, double> lineEnds;
  std::size_t g = 0;
  for (const TTextLayoutEntry& e : layout.Entries())
    if (const auto* c = std::get_if<TTextCharacter>(&e)) {
      lineEnds[glyphs[g].Pixel.y()] = glyphs[g].Pixel.x() + c->Width * sx;
      ++g;
    }
  ASSERT_GE(lineEnds.size(), 2u);
  for (const auto& [y, end] : lineEnds)
    EXPECT_NEAR(end, right, 1.0) << y;

  // Left alignment starts at the box's left edge; centred lines are centred.
  EXPECT_EQ(Place(Layout(kLong), kBox, 0).front().Pixel.x(), RoundHalfEven(left));
  const std::vector<TPlacedGlyph> centred = Place(Layout("\\qc ab"), kBox, 0);
  const TTextLayout ab = Layout("\\qc ab");
  const double width = std::get<TTextLine>(ab.Entries()[1]).Width;
  EXPECT_NEAR(centred.front().Pixel.x(), (kBox.Centre.X - width / 2) * sx, 0.51);
  // Lines are centred vertically around the box's centre.
  const TTextLine& line = std::get<TTextLine>(ab.Entries()[1]);
  EXPECT_NEAR(centred.front().Pixel.y(), (kBox.Centre.Y + line.Height / 2 - line.Descent) * sx,
              0.51);
}

TEST(TextDrawer, BulletsOnlyBeforeTheFirstLine)
{
  const double sx = 96.0;
  const double boxLeft = (kBox.Centre.X - kBox.Width / 2) * sx;
  const TTextLayout layout = Layout("{\\*\\pn\\pnlvlblt}\\fi-360\\li720 " + kLong);
  const std::vector<TPlacedGlyph> glyphs = Place(layout, kBox, 0);
  int bullets = 0;
  std::map<int, int> lineStarts;  // baseline -> leftmost text pixel
  for (const TPlacedGlyph& g : glyphs) {
    if (g.Bullet) {
      ++bullets;
      EXPECT_EQ(g.Char, U'\u2022');
      EXPECT_EQ(g.FontName, QStringLiteral("Symbol"));
      EXPECT_EQ(g.Weight, 400);
      EXPECT_EQ(g.Pixel.x(), RoundHalfEven(boxLeft + 0.25 * sx));  // at the first indent
      EXPECT_EQ(g.Pixel.y(), glyphs[1].Pixel.y());                 // on the first line
      continue;
    }
    if (!lineStarts.count(g.Pixel.y())) lineStarts[g.Pixel.y()] = g.Pixel.x();
  }
  EXPECT_EQ(bullets, 1);
  ASSERT_GE(lineStarts.size(), 3u);
  for (const auto& [y, x] : lineStarts)
    EXPECT_EQ(x, RoundHalfEven(boxLeft + 0.5 * sx)) << y;  // first + left indent

  // A plain paragraph starts its first line at the first-line indent and the rest at the left.
  const std::vector<TPlacedGlyph> plain = Place(Layout("\\fi360\\li360 " + kLong), kBox, 0);
  std::map<int, int> starts;
  for (const TPlacedGlyph& g : plain)
    if (!starts.count(g.Pixel.y())) starts[g.Pixel.y()] = g.Pixel.x();
  ASSERT_GE(starts.size(), 2u);
  EXPECT_EQ(starts.begin()->second, RoundHalfEven(boxLeft + 0.5 * sx));
  EXPECT_EQ(std::next(starts.begin())->second, RoundHalfEven(boxLeft + 0.25 * sx));
  for (const TPlacedGlyph& g : plain)
    EXPECT_FALSE(g.Bullet);
}

TEST(TextDrawer, TabsAdvanceAFixedWidth)
{
  const std::vector<TPlacedGlyph> glyphs = Place(Layout("a\\tab b"), kBox, 0);
  const TTextLayout layout = Layout("a\\tab b");
  ASSERT_EQ(glyphs.size(), 2u);  // the tab itself draws nothing
  const double a = std::get<TTextCharacter>(layout.Entries()[2]).Width;
  EXPECT_NEAR(glyphs[1].Pixel.x() - glyphs[0].Pixel.x(), (a + 0.45) * 96, 1.0);
}

TEST(TextDrawer, TurnedTextStaysUpright)
{
  EXPECT_DOUBLE_EQ(UprightTextAngle(120), 300);
  EXPECT_DOUBLE_EQ(UprightTextAngle(89), 89);
  EXPECT_DOUBLE_EQ(UprightTextAngle(270), 270);
  EXPECT_DOUBLE_EQ(UprightTextAngle(89.5), 269.5);
  EXPECT_DOUBLE_EQ(UprightTextAngle(269.5), 89.5);
  EXPECT_DOUBLE_EQ(UprightTextAngle(-60), 300);
  EXPECT_DOUBLE_EQ(UprightTextAngle(480), 300);

  const TTextLayout layout = Layout("\\qc Upright text");
  const std::vector<TPlacedGlyph> glyphs = Place(layout, kBox, 120);
  ASSERT_GE(glyphs.size(), 2u);
  // At 300 degrees each character follows the last up and to the right.
  for (const TPlacedGlyph& g : glyphs)
    EXPECT_DOUBLE_EQ(g.Angle, 300);
  const QPoint step = glyphs.back().Pixel - glyphs.front().Pixel;
  EXPECT_GT(step.x(), 0);
  EXPECT_LT(step.y(), 0);
  EXPECT_NEAR(std::atan2(step.y(), step.x()) * 180 / M_PI, -60, 2);
  // Text turned by 120 degrees is drawn exactly as text turned by 300.
  const QImage turned = Draw(layout, kBox, 120);
  EXPECT_GT(CountNonWhite(turned), 0);
  EXPECT_EQ(turned, Draw(layout, kBox, 300));
  // 89 degrees is not turned over, 91 is, and 269 is drawn as 89.
  EXPECT_EQ(Draw(layout, kBox, 89), Draw(layout, kBox, 269));
  EXPECT_NE(Draw(layout, kBox, 89), Draw(layout, kBox, 91));
}

TEST(TextDrawer, ShadowsAreGreyAndDisplaced)
{
  const TTextLayout layout = Layout("\\cf1 Red");
  const std::vector<TPlacedGlyph> text = Place(layout, kBox, 0);
  const std::vector<TPlacedGlyph> shadow = Place(layout, kBox, 0, 100, 1, false);
  const std::vector<TPlacedGlyph> deep = Place(layout, kBox, 0, 100, 3, true);
  ASSERT_EQ(text.size(), shadow.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    EXPECT_EQ(text[i].Color, MakeColorRef(255, 0, 0));
    EXPECT_EQ(shadow[i].Color, colors::TextShadowGrey);
    EXPECT_EQ(shadow[i].Pixel - text[i].Pixel, QPoint(8, 8));    // 1/12 inch down-right
    EXPECT_EQ(deep[i].Pixel - text[i].Pixel, QPoint(-20, -20));  // 5/24 inch up-left
  }
  // Bullets take the shadow's grey too.
  const std::vector<TPlacedGlyph> bullet =
      Place(Layout("{\\*\\pn\\pnlvlblt}\\li360\\cf2 x"), kBox, 0, 100, 2, false);
  ASSERT_EQ(bullet.size(), 2u);
  EXPECT_TRUE(bullet[0].Bullet);
  EXPECT_EQ(bullet[0].Color, colors::TextShadowGrey);
}

TEST(TextDrawer, ClipsToTheTurnedTextBox)
{
  // Huge text in a small box: every painted pixel lies inside the 1.1 x width by height
  // rectangle, turned with the object.
  const TTextBox box{{2.0, 1.5}, 1.0, 0.4};
  TTextLayout layout;
  BuildTextLayout(Rtf("\\fs96 WWWWWWWW WWWWWWWW WWWWWWWW"), 400, layout);
  for (double angle : {0.0, 30.0, 200.0}) {
    const QImage image = Draw(layout, box, angle);
    EXPECT_GT(CountNonWhite(image), 100) << angle;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) == qRgb(255, 255, 255)) continue;
        // Back into the box's own frame, in pixels, with a pixel's tolerance.
        const TModelPoint p = RotateOffset({0, 0}, x + 0.5 - 192, y + 0.5 - 144, -angle);
        ASSERT_LE(std::abs(p.X), 1.1 * 96 / 2 + 1.5) << angle << " " << x << "," << y;
        ASSERT_LE(std::abs(p.Y), 0.4 * 96 / 2 + 1.5) << angle << " " << x << "," << y;
      }
  }
  // The painter's own clip and state are restored afterwards.
  TSurface s;
  QPainter painter(&s.Image);
  painter.setClipRect(0, 0, 100, 100);
  TCanvas canvas(painter);
  DrawObjectText(canvas, layout, box, 0, 0, 0, 100);
  EXPECT_EQ(painter.clipBoundingRect(), QRectF(0, 0, 100, 100));
}

TEST(TextDrawer, ObjectTextBoxTurnsTheOffset)
{
  const TTextBox box = ObjectTextBox({3, 2}, 2, 1, 0.25, 0.1, 0.8, 0.55, 90);
  EXPECT_NEAR(box.Centre.X, 3 - 0.1, 1e-12);  // (0.5, 0.1) turned a quarter clockwise
  EXPECT_NEAR(box.Centre.Y, 2 + 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(box.Width, 1.6);
  EXPECT_DOUBLE_EQ(box.Height, 0.55);
}

TEST(TextDrawer, RendersFormattedTextForInspection)
{
  const QByteArray rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New "
      "Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}"
      "{\\colortbl ;\\red200\\green0\\blue0;\\red0\\green0\\blue200;\\red0\\green140\\blue0;}"
      "\\pard\\qc\\cf1\\b\\fs28 Quarterly Review\\b0\\cf0\\fs18\\par"
      "\\pard The team's results were \\b good\\b0 , \\i mostly\\i0  \\ul on time\\ulnone  and "
      "\\strike over\\strike0  within budget.\\par"
      "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}"
      "\\fi-240\\li360\\cf2 Blue bullet that wraps onto a second line\\par"
      "{\\pntext\\f2\\'B7\\tab}\\cf3 Green bullet\\cf0\\par"
      "\\pard\\qr\\f1\\fs20 Caf\\'e9 \\u8364? \\u20013?\\u25991?\\par}";
  TTextLayout layout;
  const TTextBox box{{1.5, 1.25}, 2.2, 1.6};
  BuildTextLayout(rtf, TTextMeasurer::ObjectControlWidth(box.Width, 1.0), layout);
  QImage image(620, 260, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    TCanvas canvas(painter);
    painter.setPen(QColor(200, 200, 200));
    const TTextBox turned{{4.8, 1.35}, 2.2, 1.6};
    for (const auto& [b, angle] : {std::pair{box, 0.0}, {turned, 30.0}}) {
      QPolygon outline;
      for (const auto& [dx, dy] : {std::pair{-1.1, -0.8}, {1.1, -0.8}, {1.1, 0.8}, {-1.1, 0.8}})
        outline << canvas.ToPixel(RotateOffset(b.Centre, dx, dy, angle).X,
                                  RotateOffset(b.Centre, dx, dy, angle).Y, 0, 0, 100);
      painter.drawPolygon(outline);
    }
    DrawObjectText(canvas, layout, box, 0, 0, 0, 100, 1, false);
    DrawObjectText(canvas, layout, box, 0, 0, 0, 100);
    DrawObjectText(canvas, layout, turned, 30, 0, 0, 100);
  }
  ASSERT_TRUE(image.save(testsupport::OutputPath(QStringLiteral("richtext.png"))));
  int red = 0;
  int blue = 0;
  int green = 0;
  int grey = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      red += c.red() > 150 && c.green() < 80 && c.blue() < 80;
      blue += c.blue() > 150 && c.red() < 80 && c.green() < 80;
      green += c.green() > 100 && c.red() < 80 && c.blue() < 80;
      grey += c == QColor(0xC0, 0xC0, 0xC0);
    }
  EXPECT_GT(red, 50);
  EXPECT_GT(blue, 50);
  EXPECT_GT(green, 20);
  EXPECT_GT(grey, 50);

  // The same layout at 40 % and at 250 %: the same lines, only larger.
  QImage zoomed(680, 460, QImage::Format_RGB32);
  zoomed.fill(Qt::white);
  {
    QPainter painter(&zoomed);
    TCanvas canvas(painter);
    DrawObjectText(canvas, layout, {{1.4, 1.0}, 2.2, 1.6}, 0, 0, 0, 40);
    DrawObjectText(canvas, layout, {{1.6, 1.0}, 2.2, 1.6}, 0, 0, 0, 250);
  }
  ASSERT_TRUE(zoomed.save(testsupport::OutputPath(QStringLiteral("richtext_zoom.png"))));
}
