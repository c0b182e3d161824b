#include "model/outlines/arrowheads.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "geometry/geometry.h"
#include "geometry/outline.h"
#include "model/arrow.h"
#include "model/outlines/cloudoutline.h"
#include "model/outlines/shapegenerator.h"
#include "platform/canvas.h"
#include "platform/rounding.h"

namespace {

constexpr double kHeadLength = 0.25;  // inches at size factor 1
constexpr double kHeadWidth = 0.125;

double SizeFactor(int size)
{
  if (size == 1) return 1.5;
  if (size == 2) return 2.0;
  return 1.0;
}

// The line a head sits on, measured from its end point as the arrow measures itself.
struct TLine {
  TModelPoint End;
  TModelPoint Start;
  double ChordHeight = 0.0;
  double Length = 0.0;

  TLine(double fromX, double fromY, double toX, double toY, double chordHeight)
      : End{toX, toY},
        Start{fromX, fromY},
        ChordHeight(chordHeight),
        Length(TArrow::ArcLength(chordHeight, End, Start))
  {
  }
  TModelPoint Along(double percent) const
  {
    return TArrow::PointAlong(percent, ChordHeight, End, Start);
  }
  // A length along the line as a percentage of it; a line without (finite) length gives 0,
  // so heads on it fall back to the undefined direction instead of dividing by zero.
  double Percent(double length) const
  {
    if (!(Length > 0.0) || !std::isfinite(Length)) return 0.0;
    const double p = length / Length * 100.0;
    return std::isfinite(p) ? p : 0.0;
  }
};

// A head built from its tip and a point further into the line.
struct TFrame {
  TModelPoint Tip;
  double Axis = -1.0;
  TModelPoint Base;
  TModelPoint Corner1;
  TModelPoint Corner2;
  TModelPoint Notch;

  TFrame(TModelPoint tip, TModelPoint reference, double length, double width)
      : Tip(tip),
        Axis(Bearing(tip, reference)),
        Base(PointAt(tip, length, Axis)),
        Corner1(PointAt(Base, width / 2.0, Axis + 90.0)),
        Corner2{2.0 * Base.X - Corner1.X, 2.0 * Base.Y - Corner1.Y},
        Notch(PointAt(tip, 0.8 * length, Axis))
  {
  }
};

// Draws in model units with the caller's pen; filled figures use a solid brush of the pen's
// colour. The painter's state is given back as it was found.
class THeadPainter {
 public:
  THeadPainter(TCanvas& canvas, double offsetX, double offsetY, double zoom)
      : canvas_(canvas),
        painter_(canvas.Painter()),
        offsetX_(offsetX),
        offsetY_(offsetY),
        zoom_(zoom)
  {
    painter_.save();
    painter_.setBrush(QBrush(painter_.pen().color(), Qt::SolidPattern));
  }
  ~THeadPainter() { painter_.restore(); }
  THeadPainter(const THeadPainter&) = delete;
  THeadPainter& operator=(const THeadPainter&) = delete;

  TCanvas& Canvas() const { return canvas_; }
  QPainter& Painter() const { return painter_; }
  double OffsetX() const { return offsetX_; }
  double OffsetY() const { return offsetY_; }
  double Zoom() const { return zoom_; }

  QPoint Pixel(TModelPoint p) const { return canvas_.ToPixel(p.X, p.Y, offsetX_, offsetY_, zoom_); }
  int PixelsX(double length) const { return RoundHalfEven(length * canvas_.ScaleX(zoom_)); }

  void Stroke(TModelPoint a, TModelPoint b) const { painter_.drawLine(Pixel(a), Pixel(b)); }
  void Polyline(const std::vector<TModelPoint>& points) const
  {
    painter_.drawPolyline(ToPolygon(points));
  }
  // A polygon filled in the line colour, or white, and outlined by the pen.
  void Fill(const std::vector<TModelPoint>& points, bool white = false) const
  {
    const QBrush brush = painter_.brush();
    if (white) painter_.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    painter_.drawPolygon(ToPolygon(points));
    painter_.setBrush(brush);
  }
  void Dot(TModelPoint centre, double radius) const
  {
    const QPoint c = Pixel(centre);
    const int r = PixelsX(radius);
    painter_.drawEllipse(QRect(c.x() - r, c.y() - r, 2 * r, 2 * r));
  }

 private:
  QPolygon ToPolygon(const std::vector<TModelPoint>& points) const
  {
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const TModelPoint& p : points)
      polygon.append(Pixel(p));
    return polygon;
  }

  TCanvas& canvas_;
  QPainter& painter_;
  double offsetX_;
  double offsetY_;
  double zoom_;
};

// The pointed shapes: 0 triangle, 1 open, 2 barbed, 3 half-barbed.
void DrawPointed(const THeadPainter& p, int shape, const TFrame& f)
{
  switch (shape) {
    case 0:
      p.Fill({f.Tip, f.Corner1, f.Corner2});
      break;
    case 1:
      p.Stroke(f.Tip, f.Corner1);
      p.Stroke(f.Tip, f.Corner2);
      break;
    case 2:
      p.Fill({f.Tip, f.Corner1, f.Notch, f.Corner2});
      break;
    case 3:
      p.Fill({f.Tip, f.Corner1, f.Notch});
      p.Fill({f.Tip, f.Notch, f.Corner2}, true);
      break;
    default:
      break;
  }
}

void DrawDiamond(const THeadPainter& p, TModelPoint centre, double axis, double width)
{
  const double r = width / 2.0;
  p.Fill({PointAt(centre, r, axis + 90.0), PointAt(centre, r, axis),
          PointAt(centre, r, axis - 90.0), PointAt(centre, r, axis + 180.0)});
}

void DrawSquare(const THeadPainter& p, TModelPoint centre, double axis, double width)
{
  const TModelPoint c1 =
      PointAt(PointAt(centre, width / 2.0, axis + 180.0), width / 2.0, axis + 90.0);
  const TModelPoint c2 = PointAt(c1, width, axis);
  const TModelPoint c3 = PointAt(c2, width, axis - 90.0);
  const TModelPoint c4 = PointAt(c3, width, axis + 180.0);
  p.Fill({c1, c2, c3, c4});
}

// "S" or "O" beside the head, centred on a point to the side of its base.
void DrawLetter(const THeadPainter& p, const QString& letter, const TFrame& f, double factor)
{
  QPainter& painter = p.Painter();
  painter.save();
  QFont font = painter.font();
  font.setBold(true);
  const int points = RoundHalfEven(p.Zoom() * 16.0 / 100.0);
  font.setPixelSize(std::max(1, RoundHalfEven(points * p.Canvas().DpiY() / 72.0)));
  painter.setFont(font);
  painter.setBrush(Qt::NoBrush);
  painter.setBackgroundMode(Qt::TransparentMode);
  const QFontMetrics metrics(font, painter.device());
  const QPoint c = p.Pixel(PointAt(f.Base, 0.18 * factor, f.Axis + 90.0));
  const int top = c.y() - metrics.height() / 2;
  painter.drawText(QPoint(c.x() - metrics.horizontalAdvance(letter) / 2, top + metrics.ascent()),
                   letter);
  painter.restore();
}

void DrawEnd(const THeadPainter& p, int style, double factor, const TLine& line)
{
  if (style < 0 || style > 9) return;
  const double length = kHeadLength * factor;
  const double width = kHeadWidth * factor;
  const TFrame frame(line.End, line.Along(line.Percent(length)), length, width);
  switch (style) {
    case 0:
    case 1:
    case 2:
    case 3:
      DrawPointed(p, style, frame);
      break;
    case 4:
      p.Dot(frame.Tip, width / 2.0);
      break;
    case 5:
      DrawDiamond(p, frame.Tip, frame.Axis, width);
      break;
    case 6:
      DrawSquare(p, frame.Tip, frame.Axis, width);
      break;
    case 7:
      DrawPointed(p, 0, frame);
      DrawPointed(p, 0, TFrame(frame.Base, line.Along(line.Percent(2.0 * length)), length, width));
      break;
    case 8:
    case 9:
      DrawPointed(p, 0, frame);
      DrawLetter(p, style == 8 ? QStringLiteral("S") : QStringLiteral("O"), frame, factor);
      break;
    default:
      break;
  }
}

// One step of the feathered tails: a point near the start and the direction towards it.
struct TTailStep {
  TModelPoint Point;
  double Towards = -1.0;
};

// The steps over the last head length of the line, eleven at a tenth of it apart. They are
// counted rather than accumulated: on a huge line a tenth of a head is below the precision
// of the percentage, and adding it would never reach the start.
std::vector<TTailStep> TailSteps(const TLine& line, double length)
{
  std::vector<TTailStep> steps;
  const double j = line.Percent(length);
  if (!(j > 0.0)) return steps;
  constexpr int kSteps = 11;
  steps.reserve(kSteps);
  for (int i = 0; i < kSteps; ++i) {
    const double k = 100.0 - j * (kSteps - 1 - i) / 10.0;
    const TModelPoint point = line.Along(k);
    steps.push_back({point, Bearing(point, line.Along(k + j / 10.0))});
  }
  return steps;
}

void DrawFeathers(const THeadPainter& p, const std::vector<TTailStep>& steps, double width)
{
  for (const TTailStep& s : steps) {
    p.Stroke(s.Point, PointAt(s.Point, width / 2.0, s.Towards + 45.0));
    p.Stroke(s.Point, PointAt(s.Point, width / 2.0, s.Towards - 45.0));
  }
}

// Pennant (8) and half pennant (9): barbs of the first ten steps on both sides of the line.
void DrawPennant(const THeadPainter& p, bool half, const TLine& line,
                 const std::vector<TTailStep>& steps, double length, double width)
{
  const std::size_t count = std::min<std::size_t>(10, steps.size());
  const TModelPoint first = line.Along(100.0 - line.Percent(length));
  std::vector<TModelPoint> left{first};
  std::vector<TModelPoint> right;
  for (std::size_t i = 0; i < count; ++i) {
    left.push_back(PointAt(steps[i].Point, width / 2.0, steps[i].Towards + 45.0));
    right.push_back(PointAt(steps[i].Point, width / 2.0, steps[i].Towards - 45.0));
  }
  left.push_back(line.Start);
  std::reverse(right.begin(), right.end());
  if (!half) {
    left.insert(left.end(), right.begin(), right.end());
    p.Fill(left);
    return;
  }
  p.Fill(left);
  std::vector<TModelPoint> white{first, line.Start};
  white.insert(white.end(), right.begin(), right.end());
  white.push_back(first);
  p.Fill(white, true);
}

void DrawCloudHead(const THeadPainter& p, TModelPoint centre, double factor)
{
  const double width = 0.75 * factor;
  const double height = 0.5 * factor;
  const QPainterPath path = OutlinePath(p.Canvas(), CloudOutline(width, height), 0.0, p.Zoom(),
                                        p.OffsetX(), p.OffsetY(), centre);
  QPainter& painter = p.Painter();
  const QBrush brush = painter.brush();
  painter.setBrush(QBrush(Qt::white, Qt::SolidPattern));
  painter.drawPath(path);
  painter.setBrush(brush);
  TArrowHeads::DrawCloudDecoration(p.Canvas(), 0.0, centre.X, centre.Y, width, height, p.OffsetX(),
                                   p.OffsetY(), p.Zoom());
}

void DrawCircleMark(const THeadPainter& p, const TLine& line, double v, double factor)
{
  const TModelPoint m = line.Along(50.0);
  const double a = Bearing(m, line.Along(50.0 + v));
  const double d = 0.125 * factor;
  p.Stroke(PointAt(m, d, a + 90.0), PointAt(m, d, a - 90.0));
  const TModelPoint side = PointAt(m, d, a + 90.0);
  p.Stroke(PointAt(side, d, a), PointAt(side, d, a + 180.0));
  const double diameter = 0.5 * factor;
  const QPainterPath circle =
      OutlinePath(p.Canvas(), CogiShapeOutline(kCogiVariantEllipse, diameter, diameter), 0.0,
                  p.Zoom(), p.OffsetX(), p.OffsetY(), PointAt(m, 0.375 * factor, a - 90.0));
  p.Painter().strokePath(circle, p.Painter().pen());
}

void DrawSpring(const THeadPainter& p, const TLine& line, double s, double factor)
{
  const double from = 50.0 - s / 2.0;
  std::vector<TModelPoint> points{line.Along(from)};
  TModelPoint previous = points.front();
  for (int i = 1; i <= 6; ++i) {
    const TModelPoint on = line.Along(from + i * s / 7.0);
    const double b = Bearing(previous, on);
    points.push_back(PointAt(on, 0.15 * factor, i % 2 == 1 ? b + 90.0 : b - 90.0));
    previous = on;
  }
  points.push_back(line.Along(50.0 + s / 2.0));
  p.Polyline(points);
}

void DrawBreak(const THeadPainter& p, const TLine& line, double s, double factor)
{
  const TModelPoint middle = line.Along(50.0);
  const TModelPoint p1 = line.Along(50.0 - s / 2.0);
  const TModelPoint p2 = line.Along(50.0 + s / 2.0);
  const double a1 = Bearing(p1, middle);
  const double a2 = Bearing(middle, p2);
  const double half = 0.15 * factor;
  p.Stroke(PointAt(p1, half, a1 + 105.0), PointAt(p1, half, a1 - 75.0));
  p.Stroke(PointAt(p2, half, a2 + 105.0), PointAt(p2, half, a2 - 75.0));
}

void DrawHollowTriangle(const THeadPainter& p, const TLine& line, double length, double width)
{
  const double s = line.Percent(1.2 * length);
  const TFrame frame(line.Along(50.0 - s / 2.0), line.Along(50.0 + s / 2.0), 1.2 * length,
                     1.2 * width);
  p.Fill({frame.Tip, frame.Corner1, frame.Corner2}, true);
}

}  // namespace

void TArrowHeads::DrawEndHead(TCanvas& canvas, int style, int size, double fromX, double fromY,
                              double toX, double toY, double chordHeight, double offsetX,
                              double offsetY, double zoom)
{
  if (style < 0 || style > 9) return;
  const THeadPainter painter(canvas, offsetX, offsetY, zoom);
  DrawEnd(painter, style, SizeFactor(size), TLine(fromX, fromY, toX, toY, chordHeight));
}

void TArrowHeads::DrawStartHead(TCanvas& canvas, int style, int size, double fromX, double fromY,
                                double toX, double toY, double chordHeight, double offsetX,
                                double offsetY, double zoom)
{
  if (style >= 1 && style <= 6) {
    // The end heads, turned round: the line seen from its start bulges the other way.
    static constexpr std::array<int, 6> kEndStyles{0, 1, 2, 4, 5, 6};
    DrawEndHead(canvas, kEndStyles[style - 1], size, toX, toY, fromX, fromY, -chordHeight, offsetX,
                offsetY, zoom);
    return;
  }
  if (style < 7 || style > 10) return;
  const double factor = SizeFactor(size);
  const TLine line(fromX, fromY, toX, toY, chordHeight);
  const THeadPainter painter(canvas, offsetX, offsetY, zoom);
  if (style == 10) {
    DrawCloudHead(painter, line.Start, factor);
    return;
  }
  const double length = kHeadLength * factor;
  const std::vector<TTailStep> steps = TailSteps(line, length);
  if (steps.empty()) return;
  if (style == 7)
    DrawFeathers(painter, steps, kHeadWidth * factor);
  else
    DrawPennant(painter, style == 9, line, steps, length, kHeadWidth * factor);
}

void TArrowHeads::DrawMidMarker(TCanvas& canvas, int style, int size, double fromX, double fromY,
                                double toX, double toY, double chordHeight, double offsetX,
                                double offsetY, double zoom)
{
  if (style < 1 || style > 12) return;
  const double factor = SizeFactor(size);
  const double length = kHeadLength * factor;
  const double width = kHeadWidth * factor;
  const TLine line(fromX, fromY, toX, toY, chordHeight);
  const double v = line.Percent(length);
  // The markers that place themselves need a line to measure.
  if (style >= 10 && !(v > 0.0)) return;
  const THeadPainter painter(canvas, offsetX, offsetY, zoom);
  if (style <= 4) {
    const double t = 50.0 - v / 2.0;
    DrawPointed(painter, style - 1, TFrame(line.Along(t), line.Along(t + v), length, width));
    return;
  }
  const TFrame middle(line.Along(50.0), line.Along(50.0 + v), length, width);
  switch (style) {
    case 5:
      painter.Dot(middle.Tip, width / 2.0);
      break;
    case 6:
      DrawDiamond(painter, middle.Tip, middle.Axis, width);
      break;
    case 7:
      DrawSquare(painter, middle.Tip, middle.Axis, width);
      break;
    case 8:
      DrawPointed(painter, 0, middle);
      DrawPointed(painter, 0, TFrame(line.Along(50.0 - v), line.Along(50.0), length, width));
      break;
    case 9:
      DrawCircleMark(painter, line, v, factor);
      break;
    case 10:
      DrawSpring(painter, line, line.Percent(2.0 * length), factor);
      break;
    case 11:
      DrawBreak(painter, line, line.Percent(0.3 * length), factor);
      break;
    case 12:
      DrawHollowTriangle(painter, line, length, width);
      break;
    default:
      break;
  }
}

void TArrowHeads::DrawCloudDecoration(TCanvas& canvas, double angle, double centreX, double centreY,
                                      double width, double height, double offsetX, double offsetY,
                                      double zoom)
{
  // Each curl in half-widths and half-heights from the centre; curved ones bend through c1
  // and arrive along their own end.
  struct TCurl {
    double fx, fy, tx, ty;
    bool curved;
    double cx, cy;
    bool nudgeLeft;
  };
  static constexpr std::array<TCurl, 11> kCurls{{
      {0.03, -0.85, 0.0, -0.77, false, 0, 0, false},
      {0.36, -0.89, 0.3, -0.8, false, 0, 0, false},
      {0.76, -0.75, 0.78, -0.66, false, 0, 0, false},
      {0.91, -0.27, 0.85, -0.12, false, 0, 0, true},
      {0.7, 0.38, 0.55, 0.05, true, 0.69, 0.14, false},
      {0.3, 0.71, 0.32, 0.6, false, 0, 0, true},
      {-0.25, 0.8, -0.3, 0.7, false, 0, 0, false},
      {-0.75, 0.61, -0.7, 0.59, false, 0, 0, false},
      {-0.91, 0.16, -0.77, 0.2, true, -0.84, 0.22, false},
      {-0.83, -0.33, -0.8, -0.25, false, 0, 0, false},
      {-0.36, -0.75, -0.3, -0.7, false, 0, 0, false},
  }};
  const TModelPoint centre{centreX, centreY};
  auto pixel = [&](double fx, double fy) {
    const TModelPoint p = RotateOffset(centre, fx * width / 2.0, fy * height / 2.0, angle);
    return canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom);
  };
  QPainter& painter = canvas.Painter();
  for (const TCurl& c : kCurls) {
    QPoint from = pixel(c.fx, c.fy);
    if (c.nudgeLeft) from.rx() -= 1;
    const QPoint to = pixel(c.tx, c.ty);
    if (!c.curved) {
      painter.drawLine(from, to);
      continue;
    }
    QPainterPath path(from);
    path.cubicTo(pixel(c.cx, c.cy), to, to);
    painter.strokePath(path, painter.pen());
  }
}
