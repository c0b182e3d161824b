// Arrow heads, middle markers and cloud curls drawn onto images at 96 pixels per inch:
// where they land, how big they are, and which codes draw nothing.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>
#include <numbers>

#include "geometry/geometry.h"
#include "model/arrow.h"
#include "model/outlines/arrowheads.h"
#include "platform/canvas.h"
#include "testsupport.h"

namespace {

constexpr double kDpi = 96.0;
const QColor kPen(200, 0, 0);
const QRgb kGrey = qRgb(128, 128, 128);

struct TArrowLine {
  double FromX, FromY, ToX, ToY, ChordHeight = 0.0;
};

enum class TWhich { End, Start, Mid };

using TDraw = std::function<void(TCanvas&)>;

QImage Render(const TDraw& draw, QRgb background = qRgb(255, 255, 255), int width = 600,
              int height = 400)
{
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  painter.setPen(QPen(kPen, 1));
  painter.setBrush(Qt::NoBrush);
  TCanvas canvas(painter, kDpi, kDpi);
  draw(canvas);
  return image;
}

TDraw Head(TWhich which, int style, int size, TArrowLine a, double zoom = 100, double offset = 0)
{
  return [=](TCanvas& canvas) {
    auto fn = which == TWhich::End     ? &TArrowHeads::DrawEndHead
              : which == TWhich::Start ? &TArrowHeads::DrawStartHead
                                       : &TArrowHeads::DrawMidMarker;
    fn(canvas, style, size, a.FromX, a.FromY, a.ToX, a.ToY, a.ChordHeight, offset, offset, zoom);
  };
}

// Bounding box and centroid of the pixels that differ from the background.
struct TInk {
  QRect Box;
  int Count = 0;
  double CentreX = 0, CentreY = 0;
};

TInk InkOf(const QImage& image, QRgb background = qRgb(255, 255, 255))
{
  TInk ink;
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) {
        ++ink.Count;
        ink.CentreX += x;
        ink.CentreY += y;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  if (ink.Count > 0) {
    ink.Box = QRect(QPoint(left, top), QPoint(right, bottom));
    ink.CentreX /= ink.Count;
    ink.CentreY /= ink.Count;
  }
  return ink;
}

bool Painted(const QImage& image, double x, double y)
{
  return image.pixel(static_cast<int>(std::lround(x * kDpi)),
                     static_cast<int>(std::lround(y * kDpi))) == kPen.rgb();
}

int ColumnInk(const QImage& image, int x)
{
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    n += image.pixel(x, y) == kPen.rgb();
  return n;
}

}  // namespace

TEST(ArrowHeads, EndHeadZeroFillsATriangleAtTheEndInThePenColour)
{
  // Start (1, 1), end (3, 1): the tip at 288 px, the base 0.25 inch back, 0.125 inch wide.
  QImage image;
  QBrush after;
  image = Render([&](TCanvas& canvas) {
    Head(TWhich::End, 0, 0, {1, 1, 3, 1})(canvas);
    after = canvas.Painter().brush();
  });
  const TInk ink = InkOf(image);
  EXPECT_EQ(ink.Box.left(), 264);
  EXPECT_EQ(ink.Box.right(), 288);
  EXPECT_EQ(ink.Box.top(), 90);
  EXPECT_EQ(ink.Box.bottom(), 102);
  EXPECT_EQ(image.pixel(270, 96), kPen.rgb());
  EXPECT_EQ(image.pixel(270, 99), kPen.rgb());  // filled, not only outlined
  EXPECT_EQ(image.pixel(284, 101), qRgb(255, 255, 255));
  EXPECT_NEAR(ink.CentreX, 288 - 24 * 2.0 / 3.0, 1.0);
  EXPECT_NEAR(ink.CentreY, 96, 0.5);
  EXPECT_EQ(after.style(), Qt::NoBrush);  // the caller's brush comes back
}

TEST(ArrowHeads, CodesWithoutAHeadDrawNothing)
{
  const TArrowLine line{1, 1, 3, 2, 0.3};
  struct {
    TWhich which;
    int style;
  } none[] = {{TWhich::Start, 0}, {TWhich::Start, 11}, {TWhich::Start, 255}, {TWhich::Start, -1},
              {TWhich::End, 10},  {TWhich::End, 11},   {TWhich::End, 255},   {TWhich::End, -3},
              {TWhich::Mid, 0},   {TWhich::Mid, 13},   {TWhich::Mid, 200}};
  for (const auto& c : none) {
    SCOPED_TRACE(testing::Message() << int(c.which) << " style " << c.style);
    EXPECT_EQ(InkOf(Render(Head(c.which, c.style, 0, line))).Count, 0);
  }
  // The codes just inside the ranges do draw.
  EXPECT_GT(InkOf(Render(Head(TWhich::End, 9, 0, line))).Count, 0);
  EXPECT_GT(InkOf(Render(Head(TWhich::Start, 10, 0, line))).Count, 0);
  EXPECT_GT(InkOf(Render(Head(TWhich::Mid, 12, 0, line))).Count, 0);
}

TEST(ArrowHeads, StartHeadOneIsTheEndTriangleTurnedToTheStart)
{
  // Straight: the tip on the start point, the base towards the end.
  const TInk straight = InkOf(Render(Head(TWhich::Start, 1, 0, {1, 1, 3, 1})));
  EXPECT_EQ(straight.Box.left(), 96);
  EXPECT_EQ(straight.Box.right(), 120);
  EXPECT_NEAR(straight.CentreX, 96 + 16, 1.0);

  // Bent upwards from (1, 2) to (4, 2): the head follows the arc's tangent at the start.
  const TArrowLine bent{1, 2, 4, 2, 0.8};
  const QImage startHead = Render(Head(TWhich::Start, 1, 0, bent));
  // The same line seen from the other end bulges the other way; its end head is the same.
  const QImage reversedEnd = Render(Head(TWhich::End, 0, 0, {4, 2, 1, 2, -0.8}));
  EXPECT_EQ(startHead, reversedEnd);

  // Independent of PointAlong: the point 0.25 inch along the circle from the start.
  const double c = 3.0, h = 0.8;
  const double r = (c * c + 4 * h * h) / (8 * h);
  const TModelPoint centre{2.5, 2 + (r - h)};
  const double startAngle = std::atan2(2 - centre.Y, 1 - centre.X);
  const double along = startAngle + 0.25 / r;  // towards the top of the circle on screen
  const TModelPoint q{centre.X + r * std::cos(along), centre.Y + r * std::sin(along)};
  ASSERT_LT(q.Y, 2.0);
  const TModelPoint base = PointAt({1, 2}, 0.25, Bearing({1, 2}, q));
  const TInk ink = InkOf(startHead);
  EXPECT_NEAR(ink.CentreX, (1 + 2 * (base.X - 1) / 3) * kDpi, 1.0);
  EXPECT_NEAR(ink.CentreY, (2 + 2 * (base.Y - 2) / 3) * kDpi, 1.0);
  EXPECT_EQ(startHead.pixel(96, 192), kPen.rgb());
}

TEST(ArrowHeads, SizeBytesScaleTheHead)
{
  // Size byte -> factor: 1 -> 1.5, 2 -> 2, anything else 1.
  const struct {
    int size;
    double factor;
  } sizes[] = {{0, 1}, {1, 1.5}, {2, 2}, {7, 1}, {255, 1}};
  for (const auto& s : sizes) {
    SCOPED_TRACE(s.size);
    const TInk ink = InkOf(Render(Head(TWhich::End, 0, s.size, {1, 1, 4, 1})));
    EXPECT_NEAR(ink.Box.width() - 1, 24 * s.factor, 1.0);
    EXPECT_NEAR(ink.Box.height() - 1, 12 * s.factor, 1.0);
    // Square head: side W.
    const TInk square = InkOf(Render(Head(TWhich::End, 6, s.size, {1, 1, 4, 1})));
    EXPECT_NEAR(square.Box.width() - 1, 12 * s.factor, 1.0);
    EXPECT_NEAR(square.Box.center().x(), 384, 1.0);
  }
  // Double head: two triangles end to end over 2 L.
  const TInk twice = InkOf(Render(Head(TWhich::End, 7, 2, {1, 1, 4, 1})));
  EXPECT_NEAR(twice.Box.width() - 1, 96, 1.0);
}

TEST(ArrowHeads, LetterHeadsScaleTheirTextWithTheZoom)
{
  for (double zoom : {100.0, 50.0}) {
    SCOPED_TRACE(zoom);
    const TArrowLine line{1, 2, 3, 2};
    const QImage plain = Render(Head(TWhich::End, 0, 0, line, zoom));
    const QImage lettered = Render(Head(TWhich::End, 8, 0, line, zoom));
    QImage letter(plain.size(), QImage::Format_RGB32);
    letter.fill(Qt::white);
    for (int y = 0; y < plain.height(); ++y)
      for (int x = 0; x < plain.width(); ++x)
        if (plain.pixel(x, y) != lettered.pixel(x, y)) letter.setPixel(x, y, lettered.pixel(x, y));
    const TInk ink = InkOf(letter);
    ASSERT_GT(ink.Count, 0);
    // 16 points at 100 %, 8 points at 50 %, bold.
    QFont font;
    font.setBold(true);
    font.setPixelSize(static_cast<int>(std::lround(16 * zoom / 100 * kDpi / 72)));
    const QRect glyph = QFontMetrics(font, &letter).tightBoundingRect(QStringLiteral("S"));
    EXPECT_NEAR(ink.Box.height(), glyph.height(), 1.5);
    // Centred 0.18 inch to the side of the base (above a line drawn to the right).
    const double s = kDpi * zoom / 100;
    EXPECT_NEAR(ink.Box.center().x(), 2.75 * s, 2.0);
    EXPECT_LT(ink.Box.top(), 1.82 * s);
    EXPECT_GT(ink.Box.bottom(), 1.82 * s);
  }
}

TEST(ArrowHeads, SpringZigzagsThroughSixPointsInTheMiddleHalfInch)
{
  // A 4-inch line from (1, 1) to (5, 1); the spring spans 0.5 inch around x = 3.
  const QImage image = Render(Head(TWhich::Mid, 10, 0, {1, 1, 5, 1}));
  const TInk ink = InkOf(image);
  EXPECT_NEAR(ink.Box.left(), 2.75 * kDpi, 1.0);
  EXPECT_NEAR(ink.Box.right(), 3.25 * kDpi, 1.0);
  EXPECT_NEAR(ink.Box.top(), 0.85 * kDpi, 1.0);
  EXPECT_NEAR(ink.Box.bottom(), 1.15 * kDpi, 1.0);
  // Percentages run from the end; odd points go to the left of the travel from the end.
  const double s = 12.5;
  for (int i = 1; i <= 6; ++i) {
    SCOPED_TRACE(i);
    const double x = 5 - 4 * (50 - s / 2 + i * s / 7) / 100;
    EXPECT_TRUE(Painted(image, x, i % 2 == 1 ? 0.85 : 1.15));
  }
  EXPECT_TRUE(Painted(image, 2.75, 1));
  EXPECT_TRUE(Painted(image, 3.25, 1));
}

TEST(ArrowHeads, DoubleTriangleMarkerCoversTheMiddleHalfInchPointingToTheEnd)
{
  const QImage image = Render(Head(TWhich::Mid, 8, 0, {1, 1, 5, 1}));
  const TInk ink = InkOf(image);
  EXPECT_EQ(ink.Box.left(), 264);
  EXPECT_EQ(ink.Box.right(), 312);
  // Each triangle is wide at its start-side base and narrow at its tip towards the end.
  EXPECT_GE(ColumnInk(image, 265), 11);
  EXPECT_LE(ColumnInk(image, 287), 3);
  EXPECT_GE(ColumnInk(image, 289), 11);
  EXPECT_LE(ColumnInk(image, 311), 3);

  // Marker 1 is one triangle centred on the middle: from 2.875 to 3.125 inches.
  const TInk one = InkOf(Render(Head(TWhich::Mid, 1, 0, {1, 1, 5, 1})));
  EXPECT_EQ(one.Box.left(), 276);
  EXPECT_EQ(one.Box.right(), 300);
}

TEST(ArrowHeads, FeatheredTailsSitOnTheLastHeadLengthBeforeTheStart)
{
  // Start (1, 1), end (4, 1): the tails reach from 1.25 inches back to the start.
  const TArrowLine line{1, 1, 4, 1};
  const TInk feathers = InkOf(Render(Head(TWhich::Start, 7, 0, line)));
  EXPECT_NEAR(feathers.Box.left(), (1 - 0.0442) * kDpi, 1.0);
  EXPECT_NEAR(feathers.Box.right(), 1.25 * kDpi, 1.0);
  EXPECT_NEAR(feathers.Box.top(), (1 - 0.0442) * kDpi, 1.0);
  EXPECT_NEAR(feathers.Box.bottom(), (1 + 0.0442) * kDpi, 1.0);

  const QImage pennant = Render(Head(TWhich::Start, 8, 0, line), kGrey);
  EXPECT_EQ(pennant.pixel(106, 94), kPen.rgb());
  EXPECT_EQ(pennant.pixel(106, 98), kPen.rgb());
  EXPECT_EQ(pennant.pixel(106, 106), kGrey);
  // Half pennant: the barbs on one side in the line colour, on the other white.
  const QImage half = Render(Head(TWhich::Start, 9, 0, line), kGrey);
  EXPECT_EQ(half.pixel(106, 94), kPen.rgb());
  EXPECT_EQ(half.pixel(106, 98), qRgb(255, 255, 255));
}

TEST(ArrowHeads, CloudStartHeadIsWhiteWithCurls)
{
  for (int size : {0, 2}) {
    SCOPED_TRACE(size);
    const double f = size == 2 ? 2 : 1;
    const QImage image = Render(Head(TWhich::Start, 10, size, {2, 2, 5, 3}), kGrey);
    EXPECT_EQ(image.pixel(192, 192), qRgb(255, 255, 255));
    const TInk ink = InkOf(image, kGrey);
    EXPECT_NEAR(ink.Box.center().x(), 192, 3 * f);
    EXPECT_NEAR(ink.Box.center().y(), 192, 3 * f);
    EXPECT_NEAR(ink.Box.width(), 0.75 * f * kDpi, 0.15 * f * kDpi);
    EXPECT_NEAR(ink.Box.height(), 0.5 * f * kDpi, 0.1 * f * kDpi);
    // The first curl runs from 0.85 to 0.77 half-heights above the centre.
    const int curlY = static_cast<int>(std::lround(192 - 0.81 * 0.25 * f * kDpi));
    bool curl = false;
    for (int x = 188; x <= 196; ++x)
      curl = curl || image.pixel(x, curlY) == kPen.rgb();
    EXPECT_TRUE(curl);
  }
}

TEST(ArrowHeads, LinesWithoutLengthUseTheUndefinedDirection)
{
  const TArrowLine point{2, 2, 2, 2};
  // Heads that need to measure the line draw nothing.
  for (int style : {7, 8, 9})
    EXPECT_EQ(InkOf(Render(Head(TWhich::Start, style, 0, point))).Count, 0) << style;
  for (int style : {10, 11, 12})
    EXPECT_EQ(InkOf(Render(Head(TWhich::Mid, style, 0, point))).Count, 0) << style;
  // The others point along bearing -1, that is (almost) straight up.
  const TInk ink = InkOf(Render(Head(TWhich::End, 0, 0, point)));
  EXPECT_NEAR(ink.Box.bottom(), 192, 1);
  EXPECT_NEAR(ink.Box.top(), 192 - 24, 1);
  EXPECT_GT(InkOf(Render(Head(TWhich::Mid, 1, 0, point))).Count, 0);
  EXPECT_GT(InkOf(Render(Head(TWhich::Start, 10, 0, point))).Count, 0);
}

TEST(ArrowHeads, HugeOrBrokenCoordinatesReturnPromptly)
{
  // On such lines a tenth of a head is below the precision of a percentage; stepping by
  // adding it would never end (a stall shows here as a test timeout).
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const TArrowLine lines[] = {{0, 0, 1e18, 0}, {0, 0, 1e300, 1e300, 1e-3}, {0, 0, inf, 0},
                              {0, 0, nan, 1},  {0, 0, 1e-300, 0},          {0, 0, 2, 0, 1e300}};
  for (const TArrowLine& line : lines)
    for (int style = 0; style <= 12; ++style) {
      Render(Head(TWhich::Start, style, 2, line), kGrey, 200, 200);
      Render(Head(TWhich::Mid, style, 2, line), kGrey, 200, 200);
      Render(Head(TWhich::End, style, 2, line), kGrey, 200, 200);
    }
  // The tails of a very long line still land on its start, shown at (96, 96).
  for (int style : {7, 8, 9}) {
    const TInk ink =
        InkOf(Render(Head(TWhich::Start, style, 0, {0, 0, 1e18, 0}, 100, 1), kGrey), kGrey);
    ASSERT_GT(ink.Count, 0) << style;
    EXPECT_LE(std::abs(ink.Box.center().x() - 96), 8) << style;
    EXPECT_LE(std::abs(ink.Box.center().y() - 96), 8) << style;
  }
}

namespace {

// One gallery cell: the line stroked here (the arrow's own drawing lives elsewhere), with
// the gap the spring and the break leave in it, then the head or marker on top. Tells
// whether the head added anything.
bool GalleryCell(QImage& image, TCanvas& canvas, TWhich which, int style, int size, TArrowLine a)
{
  QPainter& painter = canvas.Painter();
  const TModelPoint end{a.ToX, a.ToY};
  const TModelPoint start{a.FromX, a.FromY};
  const double length = TArrow::ArcLength(a.ChordHeight, end, start);
  double gap = 0;
  if (which == TWhich::Mid && (style == 10 || style == 11))
    gap = (style == 10 ? 0.5 : 0.075) / length * 100;
  auto stroke = [&](double from, double to) {
    QPolygon line;
    for (int i = 0; i <= 100; ++i) {
      const TModelPoint p =
          TArrow::PointAlong(from + (to - from) * i / 100, a.ChordHeight, end, start);
      line.append(canvas.ToPixel(p.X, p.Y, 0, 0, 100));
    }
    painter.drawPolyline(line);
  };
  stroke(0, 50 - gap / 2);
  stroke(50 + gap / 2, 100);
  const QImage before = image.copy();
  Head(which, style, size, a)(canvas);
  return image != before;
}

}  // namespace

TEST(ArrowHeads, GalleryOfEveryHeadAndMarker)
{
  constexpr double kLabel = 1.0, kCellWidth = 2.4, kCellHeight = 1.3, kHeader = 0.4;
  const struct {
    TWhich which;
    const char* name;
    int first, last;
  } sections[] = {{TWhich::End, "end head", 0, 9},
                  {TWhich::Start, "start head", 1, 10},
                  {TWhich::Mid, "marker", 1, 12}};
  int rows = 0;
  for (const auto& s : sections)
    rows += s.last - s.first + 1;
  const double inchesHigh = rows * kCellHeight + 3 * kHeader;
  QImage image(static_cast<int>((kLabel + 6 * kCellWidth) * kDpi),
               static_cast<int>(inchesHigh * kDpi), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  TCanvas canvas(painter, kDpi, kDpi);
  const QColor ink(20, 40, 140);
  double y = 0;
  for (const auto& s : sections) {
    painter.setPen(Qt::black);
    for (int c = 0; c < 6; ++c)
      painter.drawText(QPointF((kLabel + c * kCellWidth + 0.2) * kDpi, (y + 0.28) * kDpi),
                       QStringLiteral("%1 size %2").arg(c < 3 ? "straight" : "bent").arg(c % 3));
    y += kHeader;
    for (int style = s.first; style <= s.last; ++style, y += kCellHeight) {
      painter.setPen(QColor(220, 220, 220));
      painter.drawLine(QPointF(0, y * kDpi), QPointF(image.width(), y * kDpi));
      painter.setPen(Qt::black);
      painter.drawText(QPointF(0.1 * kDpi, (y + 0.7) * kDpi),
                       QStringLiteral("%1 %2").arg(s.name).arg(style));
      for (int c = 0; c < 6; ++c) {
        const double x = kLabel + c * kCellWidth;
        // Start at the left, end at the right, rising slightly so the axis is not square.
        const TArrowLine line{x + 0.85, y + 0.85, x + 2.0, y + 0.55, c < 3 ? 0.0 : 0.35};
        painter.setPen(QPen(ink, 2));
        painter.setBrush(Qt::NoBrush);
        EXPECT_TRUE(GalleryCell(image, canvas, s.which, style, c % 3, line))
            << s.name << " " << style;
      }
    }
  }
  painter.end();
  const QString path = testsupport::OutputPath(QStringLiteral("arrowheads_gallery.png"));
  EXPECT_TRUE(image.save(path));
}
