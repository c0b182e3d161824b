// Draws the program's own mouse cursors: every picture at 32 x 32 and at 64 x 64 for 2x screens,
// animated ones as numbered frames, the table of hot spots and frames the program loads, and the
// base picture of the renumber cursor. With a second argument it also writes a contact sheet of
// every cursor on white and on dark grey, with the hot spot marked, for a person to look at.
//
//   c++ -std=c++20 -fPIC makecursors.cpp -I../../src $(pkg-config --cflags --libs Qt6Gui) -o
//   makecursors QT_QPA_PLATFORM=offscreen ./makecursors ../../resources/cursors [sheet.png]
//
// Everything is drawn in 32-unit coordinates and scaled for the 2x pictures. One-unit lines lie on
// half units so that they fill whole pixels; every picture gets a white edge around its black
// outlines afterwards, so that it reads on any background.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTextStream>
#include <cmath>
#include <functional>
#include <vector>

#include "interaction/cursorid.h"

namespace {

using TDraw = std::function<void(QPainter&, int frame)>;

struct TArt {
  int id;
  const char* stem;
  int hotX, hotY;
  int frames;
  int interval;  // milliseconds between frames; 0 for a still cursor
  TDraw draw;
};

const QColor kPaper(255, 255, 255);
const QColor kCogi(255, 214, 80);
const QColor kGo(46, 160, 67);
const QColor kStop(218, 40, 34);
const QColor kBlue(46, 111, 216);
const QColor kGlass(214, 232, 255);
const QColor kWood(222, 160, 90);
const QColor kMetal(190, 194, 204);
// The colours the format brush cycles through.
const QColor kSwatches[] = {QColor(218, 40, 34), QColor(255, 200, 40), QColor(46, 160, 67),
                            QColor(46, 111, 216)};

QPen Ink(double width = 1.0, Qt::PenJoinStyle join = Qt::RoundJoin)
{
  return QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, join);
}

// A filled shape with a one-unit black outline on its edge.
void Shape(QPainter& p, const QPainterPath& path, const QColor& fill,
           Qt::PenJoinStyle join = Qt::RoundJoin)
{
  p.setPen(Ink(1.0, join));
  p.setBrush(fill);
  p.drawPath(path);
}

// Several overlapping parts drawn as one body: every part is outlined first and filled after, so
// only the outline around the whole remains.
void Silhouette(QPainter& p, const std::vector<QPainterPath>& parts, const QColor& fill)
{
  p.setPen(Ink(2.0));
  p.setBrush(Qt::NoBrush);
  for (const QPainterPath& part : parts)
    p.drawPath(part);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  for (const QPainterPath& part : parts)
    p.drawPath(part);
}

void Line(QPainter& p, QPointF a, QPointF b, double width = 1.0)
{
  QPen pen = Ink(width);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  p.drawLine(a, b);
}

QPainterPath Rounded(QRectF r, double radius)
{
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

QPainterPath Ellipse(QPointF c, double rx, double ry)
{
  QPainterPath path;
  path.addEllipse(c, rx, ry);
  return path;
}

QPainterPath Polygon(std::initializer_list<QPointF> points)
{
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

// A flat-topped hexagon, the outline of a Cogi.
QPainterPath Hexagon(QPointF c, double r)
{
  QPolygonF points;
  for (int i = 0; i < 6; ++i) {
    const double a = i * M_PI / 3;
    points << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a) * 0.9);
  }
  QPainterPath path;
  path.addPolygon(points);
  path.closeSubpath();
  return path;
}

// A line of the given width as a closed outline, to be filled and outlined like any shape.
QPainterPath Band(const QPainterPath& centre, double width, Qt::PenCapStyle cap = Qt::FlatCap)
{
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(cap);
  stroker.setJoinStyle(Qt::RoundJoin);
  return stroker.createStroke(centre).simplified();
}

// An arrow head whose tip lies `length` ahead of `base` in direction `dir` (a unit vector).
QPainterPath Head(QPointF base, QPointF dir, double length, double halfWidth)
{
  const QPointF normal(-dir.y(), dir.x());
  return Polygon({base + normal * halfWidth, base + dir * length, base - normal * halfWidth});
}

// The plain pointer with its tip on the given point.
void Pointer(QPainter& p, QPointF tip = QPointF(1.5, 1.5), double size = 1.0)
{
  const QPointF outline[] = {{0, 0},      {0, 16},     {4, 12.5},   {6.8, 18.6},
                             {9.2, 17.6}, {6.5, 11.6}, {11.5, 11.6}};
  QPolygonF points;
  for (const QPointF& point : outline)
    points << tip + point * size;
  QPainterPath path;
  path.addPolygon(points);
  path.closeSubpath();
  Shape(p, path, kPaper, Qt::MiterJoin);
}

// A fine cross with an open centre and a dot on the point it aims at.
void Crosshair(QPainter& p, QPointF c = QPointF(15.5, 15.5), double reach = 11.0)
{
  const double gap = 2.5;
  Line(p, QPointF(c.x() - reach, c.y()), QPointF(c.x() - gap, c.y()));
  Line(p, QPointF(c.x() + gap, c.y()), QPointF(c.x() + reach, c.y()));
  Line(p, QPointF(c.x(), c.y() - reach), QPointF(c.x(), c.y() - gap));
  Line(p, QPointF(c.x(), c.y() + gap), QPointF(c.x(), c.y() + reach));
  p.fillRect(QRectF(c.x() - 0.5, c.y() - 0.5, 1, 1), Qt::black);
}

// Small pictures shown beside a pointer or cross, in the lower right corner.
void PlusBadge(QPainter& p, QPointF c = QPointF(25.5, 25.5))
{
  Shape(p, Ellipse(c, 5.5, 5.5), kGo);
  p.setPen(QPen(kPaper, 2.0, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(c.x() - 3, c.y()), QPointF(c.x() + 3, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - 3), QPointF(c.x(), c.y() + 3));
}

void CogiBadge(QPainter& p, const QColor& fill = kCogi, QPointF c = QPointF(25.5, 25.5))
{
  Shape(p, Hexagon(c, 5.5), fill, Qt::MiterJoin);
}

void NoEntryBadge(QPainter& p, QPointF c = QPointF(24.5, 24.5))
{
  QPainterPath ring;
  ring.addEllipse(c, 5.5, 5.5);
  QPainterPath slash;
  slash.moveTo(c + QPointF(-3.9, -3.9));
  slash.lineTo(c + QPointF(3.9, 3.9));
  Shape(p, Band(ring, 2.6).united(Band(slash, 2.6)).simplified(), kStop);
}

// The objects being dragged: a dashed frame whose dashes march from frame to frame.
void DraggedObjects(QPainter& p, int frame, QRectF box)
{
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawRect(box);
  QPen dashes = Ink(1.0, Qt::MiterJoin);
  dashes.setCapStyle(Qt::FlatCap);
  dashes.setDashPattern({2, 2});
  dashes.setDashOffset(-frame);
  p.setPen(dashes);
  p.setBrush(Qt::NoBrush);
  p.drawRect(box);
}

// A bee seen from above, head first along +x from the origin; the wings beat with the frame.
void Bee(QPainter& p, int frame, bool sting)
{
  const double beat[] = {0, 22, 40, 22};
  const double wing = 35 + beat[frame % 4];
  // Antennae first, so the head covers their roots.
  for (double side : {-1.0, 1.0}) {
    QPainterPath feeler;
    feeler.moveTo(3, side * 1.2);
    feeler.quadTo(0.5, side * 2.2, 0.2, side * 4.6);
    p.setPen(Ink(1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(feeler);
  }
  const QPainterPath abdomen = Ellipse(QPointF(14.5, 0), 6.2, 4.6);
  Shape(p, abdomen, kCogi);
  p.save();
  p.setClipPath(abdomen);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  for (double x : {12.2, 15.6, 19.0})
    p.drawRect(QRectF(x, -5, 1.7, 10));
  p.restore();
  if (sting) {
    Shape(p, Polygon({{20.0, -1.6}, {26.5, 0}, {20.0, 1.6}}), Qt::black, Qt::MiterJoin);
  } else {
    Shape(p, Polygon({{20.4, -0.9}, {22.6, 0}, {20.4, 0.9}}), Qt::black, Qt::MiterJoin);
  }
  Shape(p, Ellipse(QPointF(7.6, 0), 3.2, 3.3), QColor(70, 50, 30));
  Shape(p, Ellipse(QPointF(3.4, 0), 2.5, 2.6), Qt::black);
  for (double side : {-1.0, 1.0}) {
    p.save();
    p.translate(8.2, side * 1.5);
    p.rotate(side * wing);
    Shape(p, Ellipse(QPointF(4.2, 0), 4.2, 2.0), QColor(225, 240, 255, 190));
    p.restore();
  }
}

// A circular arrow around `c` from angle `from` (degrees, clockwise from the right) sweeping
// `sweep` degrees clockwise, with its head at the end.
QPainterPath CircularArrow(QPointF c, double radius, double from, double sweep, double width)
{
  QPainterPath arc;
  const int steps = 48;
  for (int i = 0; i <= steps; ++i) {
    const double a = (from + sweep * i / steps) * M_PI / 180;
    const QPointF point(c.x() + radius * std::cos(a), c.y() + radius * std::sin(a));
    if (i == 0) {
      arc.moveTo(point);
    } else {
      arc.lineTo(point);
    }
  }
  const double end = (from + sweep) * M_PI / 180;
  const QPointF base(c.x() + radius * std::cos(end), c.y() + radius * std::sin(end));
  const QPointF dir(-std::sin(end), std::cos(end));
  return Band(arc, width).united(Head(base - dir * 0.5, dir, 5.0, width * 1.45)).simplified();
}

// The four-way arrow of moving, centred on `c` with its tips `reach` away.
void MoveArrows(QPainter& p, QPointF c, double reach)
{
  const double bar = 1.0;   // half the shaft width
  const double head = 4.0;  // half the head width
  const double length = 4.5;
  const double neck = reach - length;
  QPolygonF points;
  // One arm pointing up; the others are the same turned by quarter turns.
  const QPointF arm[] = {{-bar, -bar}, {-bar, -neck}, {-head, -neck},
                         {0, -reach},  {head, -neck}, {bar, -neck}};
  for (int quarter = 0; quarter < 4; ++quarter) {
    for (const QPointF& point : arm) {
      QPointF turned = point;
      for (int i = 0; i < quarter; ++i)
        turned = QPointF(-turned.y(), turned.x());
      points << c + turned;
    }
  }
  QPainterPath path;
  path.addPolygon(points);
  path.closeSubpath();
  Shape(p, path, kPaper, Qt::MiterJoin);
}

void IBeam(QPainter& p, QPointF c = QPointF(15.5, 15.5))
{
  Line(p, QPointF(c.x(), c.y() - 9), QPointF(c.x(), c.y() + 9));
  Line(p, QPointF(c.x() - 3.5, c.y() - 9.5), QPointF(c.x() + 3.5, c.y() - 9.5));
  Line(p, QPointF(c.x() - 3.5, c.y() + 9.5), QPointF(c.x() + 3.5, c.y() + 9.5));
  Line(p, QPointF(c.x() - 1.5, c.y()), QPointF(c.x() + 1.5, c.y()));
}

// An open hand seen from its palm (panning), or the same hand closed round what it holds.
void Hand(QPainter& p, bool closed)
{
  std::vector<QPainterPath> parts;
  const double left[] = {9, 12, 15, 18};
  const double tops[] = {5, 3, 4, 7};
  for (int i = 0; i < 4; ++i) {
    const double top = closed ? 10 + (i == 0 || i == 3 ? 1 : 0) : tops[i];
    parts.push_back(Rounded(QRectF(left[i], top, 3, 18 - top), 1.5));
  }
  parts.push_back(Rounded(QRectF(9, 13, 12, 13), 4));
  QPainterPath thumb;
  if (closed) {
    thumb.addRoundedRect(QRectF(6, 15, 9, 4), 2, 2);
  } else {
    QTransform turn;
    turn.translate(10.5, 20);
    turn.rotate(35);
    thumb = turn.map(Rounded(QRectF(-7.5, -2, 9, 4), 2));
  }
  parts.push_back(thumb);
  Silhouette(p, parts, kPaper);
  // The gaps between the fingers.
  for (int i = 1; i < 4; ++i) {
    const double from = closed ? 10.5 : std::max(tops[i - 1], tops[i]) + 2;
    Line(p, QPointF(left[i] - 0.5, from), QPointF(left[i] - 0.5, closed ? 13.5 : 15.5));
  }
  if (closed) Line(p, QPointF(8, 19.5), QPointF(14, 19.5));
}

// The hand of a link: the index finger points up to the hot spot.
void PointingHand(QPainter& p)
{
  std::vector<QPainterPath> parts;
  parts.push_back(Rounded(QRectF(10, 1, 4, 18), 2));
  const double left[] = {14, 17.5, 21};
  const double tops[] = {11.5, 12.5, 14};
  for (int i = 0; i < 3; ++i)
    parts.push_back(Rounded(QRectF(left[i], tops[i], 3.5, 8), 1.7));
  parts.push_back(Rounded(QRectF(8, 16, 16.5, 13), 4));
  QTransform turn;
  turn.translate(10, 22.5);
  turn.rotate(-125);
  parts.push_back(turn.map(Rounded(QRectF(-1, -2, 8, 4), 2)));
  Silhouette(p, parts, kPaper);
  for (int i = 0; i < 3; ++i) {
    Line(p, QPointF(left[i] - 0.5 + (i == 0 ? 0.5 : 0), tops[i] + 1.5),
         QPointF(left[i] - 0.5 + (i == 0 ? 0.5 : 0), 18.5));
  }
}

// Something long held on a slant, drawn along +x from the point it works with; `place` is that
// point and the tool leans up and to the right.
void Slanted(QPainter& p, QPointF place, const std::function<void()>& draw)
{
  p.save();
  p.translate(place);
  p.rotate(-45);
  draw();
  p.restore();
}

void PaintBrush(QPainter& p)
{
  Slanted(p, QPointF(1.5, 30.5), [&] {
    Shape(p, Rounded(QRectF(13, -2.2, 25, 4.4), 2.2), kStop);
    Shape(p, QPainterPath(Rounded(QRectF(8.5, -2.9, 5.5, 5.8), 0.8)), kMetal);
    QPainterPath bristles;
    bristles.moveTo(0, 0);
    bristles.cubicTo(2, -1.2, 4, -2.8, 9, -2.6);
    bristles.lineTo(9, 2.6);
    bristles.cubicTo(4, 2.8, 2, 1.2, 0, 0);
    Shape(p, bristles, QColor(120, 78, 40));
    // Fresh paint on the tip.
    p.save();
    p.setClipRect(QRectF(-1, -4, 4.5, 8));
    Shape(p, bristles, kBlue);
    p.restore();
  });
}

void Pencil(QPainter& p)
{
  Slanted(p, QPointF(1.5, 30.5), [&] {
    Shape(p, Rounded(QRectF(30, -3, 6, 6), 2), QColor(240, 150, 160));
    Shape(p, QPainterPath(Rounded(QRectF(27.5, -3, 3, 6), 0.5)), kMetal);
    Shape(p, Polygon({{7, -3}, {28, -3}, {28, 3}, {7, 3}}), QColor(255, 205, 60), Qt::MiterJoin);
    Line(p, QPointF(7.5, 0), QPointF(27.5, 0), 0.6);
    Shape(p, Polygon({{0, 0}, {7, -3}, {7, 3}}), QColor(240, 210, 170), Qt::MiterJoin);
    Shape(p, Polygon({{0, 0}, {2.6, -1.1}, {2.6, 1.1}}), Qt::black, Qt::MiterJoin);
  });
}

// The broad brush that copies formats, its flat end on the hot spot.
void FormatBrush(QPainter& p, const QColor& paint)
{
  Slanted(p, QPointF(5.5, 26.5), [&] {
    Shape(p, Rounded(QRectF(11, -1.8, 16, 3.6), 1.8), kWood);
    Shape(p, Polygon({{7, -3.6}, {11.5, -3.2}, {11.5, 3.2}, {7, 3.6}}), kMetal, Qt::MiterJoin);
    Shape(p, Polygon({{0, -3.8}, {7.2, -3.6}, {7.2, 3.6}, {0, 3.8}}), paint, Qt::MiterJoin);
    for (double y : {-1.3, 1.3})
      Line(p, QPointF(1.5, y), QPointF(6.5, y), 0.6);
  });
}

void Padlock(QPainter& p)
{
  QPainterPath shackle;
  shackle.moveTo(22.5, 25);
  shackle.lineTo(22.5, 22.5);
  shackle.arcTo(QRectF(22.5, 18.5, 6, 7), 180, -180);
  shackle.lineTo(28.5, 25);
  Shape(p, Band(shackle, 1.8), kMetal);
  Shape(p, QPainterPath(Rounded(QRectF(20.5, 24.5, 10, 7), 1)), kCogi);
  Line(p, QPointF(25.5, 26.5), QPointF(25.5, 29.5));
}

void SmallArrow(QPainter& p)
{
  QPainterPath shaft;
  shaft.moveTo(20.5, 30.5);
  shaft.lineTo(27, 24);
  const QPointF dir(M_SQRT1_2, -M_SQRT1_2);
  Shape(p, Band(shaft, 2.2).united(Head(QPointF(26.5, 24.5), dir, 5.0, 3.6)).simplified(), kBlue);
}

void LabelBadge(QPainter& p)
{
  Shape(p, QPainterPath(Rounded(QRectF(19.5, 20.5, 11, 10), 1.5)), kPaper);
  QPainterPath letter;
  letter.moveTo(22.3, 28.5);
  letter.lineTo(25, 22.5);
  letter.lineTo(27.7, 28.5);
  letter.moveTo(23.4, 26.3);
  letter.lineTo(26.6, 26.3);
  p.setPen(Ink(1.2, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(letter);
}

void ClusterBadge(QPainter& p)
{
  QPainterPath blob;
  blob.moveTo(19.5, 25);
  blob.cubicTo(19, 19, 26, 18.5, 28.5, 21);
  blob.cubicTo(31.5, 24, 31, 30.5, 25.5, 30.5);
  blob.cubicTo(21.5, 30.5, 19.8, 28.5, 19.5, 25);
  Shape(p, blob, QColor(190, 226, 190));
  Shape(p, Hexagon(QPointF(25.2, 25.2), 3.4), kCogi, Qt::MiterJoin);
}

void HotspotBadge(QPainter& p)
{
  QPen dashes = Ink(1.0, Qt::MiterJoin);
  dashes.setCapStyle(Qt::FlatCap);
  dashes.setDashPattern({2, 1});
  p.setPen(dashes);
  p.setBrush(QColor(255, 255, 255, 220));
  p.drawRect(QRectF(19.5, 20.5, 11, 10));
  Shape(p, Ellipse(QPointF(25, 25.5), 2.6, 2.6), kStop);
}

void BalloonBadge(QPainter& p)
{
  QPainterPath balloon = Rounded(QRectF(13.5, 17.5, 17, 10), 4);
  balloon = balloon.united(Polygon({{17, 26}, {15, 31}, {22, 26}})).simplified();
  Shape(p, balloon, kPaper);
  for (double y : {20.5, 23.5})
    Line(p, QPointF(17, y), QPointF(y < 22 ? 27 : 24, y));
}

void TextBoxBadge(QPainter& p)
{
  Shape(p, QPainterPath(Rounded(QRectF(14.5, 17.5, 15, 13), 1)), kPaper, Qt::MiterJoin);
  Line(p, QPointF(17.5, 20.5), QPointF(26.5, 20.5), 2.0);
  Line(p, QPointF(22, 20.5), QPointF(22, 28.5), 2.0);
}

void DeleteBadge(QPainter& p)
{
  QPainterPath cross;
  cross.moveTo(19, 19);
  cross.lineTo(29, 29);
  cross.moveTo(29, 19);
  cross.lineTo(19, 29);
  Shape(p, Band(cross, 3.2), kStop, Qt::MiterJoin);
}

// A bent arrow line with heads at both ends and the square bend handle in the middle.
void BendArrow(QPainter& p)
{
  QPainterPath curve;
  curve.moveTo(6, 24);
  curve.quadTo(15.5, 7, 25, 24);
  // The curve's middle lies at (15.5, 15.5); its ends point down and outwards.
  const QPointF outLeft = QPointF(-0.49, 0.87);
  const QPointF outRight = QPointF(0.49, 0.87);
  QPainterPath arrow = Band(curve, 2.2)
                           .united(Head(QPointF(6.2, 23.6), outLeft, 4.6, 3.6))
                           .united(Head(QPointF(24.8, 23.6), outRight, 4.6, 3.6))
                           .simplified();
  Shape(p, arrow, kPaper);
  p.setPen(Ink());
  p.setBrush(Qt::black);
  p.drawRect(QRectF(13.5, 13.5, 4, 4));
}

// Each animated "text" frame adds one more word to a line written beside the I-beam.
void Writing(QPainter& p, int frame)
{
  const double words[][2] = {{20, 3}, {24, 2}, {27, 3}};
  for (int i = 0; i < std::min(frame, 3); ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(words[i][0], 24, words[i][1], 3));
  }
}

std::vector<TArt> Artwork()
{
  std::vector<TArt> art;
  art.push_back({crBee, "bee", 4, 4, 4, 90, [](QPainter& p, int frame) {
                   p.translate(4.5, 4.5);
                   p.rotate(45);
                   p.scale(1.05, 1.05);
                   Bee(p, frame, false);
                 }});
  art.push_back({crRotateAnimated, "rotate_animated", 15, 15, 8, 90, [](QPainter& p, int frame) {
                   Shape(p, CircularArrow(QPointF(15.5, 15.5), 9.5, frame * 45 - 90, 265, 2.8),
                         kPaper);
                   p.fillRect(QRectF(14.5, 14.5, 2, 2), Qt::black);
                 }});
  art.push_back({crHand, "hand", 15, 15, 1, 0, [](QPainter& p, int) { Hand(p, false); }});
  art.push_back({crHandGrab, "hand_grab", 15, 15, 1, 0, [](QPainter& p, int) { Hand(p, true); }});
  art.push_back({crZoomIn, "zoom_in", 12, 12, 1, 0, [](QPainter& p, int) {
                   QPainterPath handle;
                   handle.moveTo(18.5, 18.5);
                   handle.lineTo(27.5, 27.5);
                   Shape(p, Band(handle, 4.2, Qt::RoundCap), QColor(70, 70, 80));
                   Shape(p, Ellipse(QPointF(12, 12), 8.5, 8.5), kGlass);
                   p.setPen(Ink(1.0));
                   p.setBrush(Qt::NoBrush);
                   p.drawEllipse(QPointF(12, 12), 7, 7);
                   Line(p, QPointF(8, 12), QPointF(16, 12), 2.0);
                   Line(p, QPointF(12, 8), QPointF(12, 16), 2.0);
                 }});
  art.push_back({crDrag, "drag", 1, 1, 4, 120, [](QPainter& p, int frame) {
                   DraggedObjects(p, frame, QRectF(9.5, 14.5, 18, 13));
                   Pointer(p);
                 }});
  art.push_back({crDragPlus, "drag_plus", 1, 1, 4, 120, [](QPainter& p, int frame) {
                   DraggedObjects(p, frame, QRectF(9.5, 14.5, 16, 12));
                   Pointer(p);
                   PlusBadge(p);
                 }});
  art.push_back({crNoDrop, "no_drop", 1, 1, 4, 120, [](QPainter& p, int frame) {
                   DraggedObjects(p, frame, QRectF(9.5, 14.5, 16, 12));
                   Pointer(p);
                   NoEntryBadge(p);
                 }});
  art.push_back({crStinger, "stinger", 1, 1, 4, 70, [](QPainter& p, int frame) {
                   // Sting first: the sting's tip is the hot spot, the head trails behind.
                   p.translate(1.5, 1.5);
                   p.rotate(225);
                   p.scale(1.05, 1.05);
                   p.translate(-26.5, 0);
                   Bee(p, frame, true);
                 }});
  art.push_back({crRotate, "rotate", 15, 15, 1, 0, [](QPainter& p, int) {
                   Shape(p, CircularArrow(QPointF(15.5, 15.5), 9.5, -80, 125, 2.6), kPaper);
                   Shape(p, CircularArrow(QPointF(15.5, 15.5), 9.5, 100, 125, 2.6), kPaper);
                   p.fillRect(QRectF(14.5, 14.5, 2, 2), Qt::black);
                 }});
  art.push_back(
      {crPaintBrush, "paint_brush", 1, 30, 1, 0, [](QPainter& p, int) { PaintBrush(p); }});
  art.push_back(
      {crTextEditAnimated, "text_edit_animated", 13, 15, 4, 350, [](QPainter& p, int frame) {
         IBeam(p, QPointF(13.5, 15.5));
         Writing(p, frame);
       }});
  art.push_back({crTextEdit, "text_edit", 15, 15, 1, 0, [](QPainter& p, int) {
                   CogiBadge(p);
                   IBeam(p);
                 }});
  art.push_back({crCrossAuto, "cross_auto", 15, 15, 1, 0, [](QPainter& p, int) {
                   Crosshair(p);
                   CogiBadge(p);
                 }});
  art.push_back({crCrossLock, "cross_lock", 15, 15, 1, 0, [](QPainter& p, int) {
                   Crosshair(p);
                   Padlock(p);
                 }});
  art.push_back(
      {crFormatPaintModel, "format_paint_model", 5, 26, 4, 250, [](QPainter& p, int frame) {
         Shape(p, QPainterPath(Rounded(QRectF(18.5, 20.5, 12, 10), 1)), kSwatches[frame],
               Qt::MiterJoin);
         FormatBrush(p, kSwatches[frame]);
       }});
  art.push_back({crFormatPaintCogi, "format_paint_cogi", 5, 26, 4, 250, [](QPainter& p, int frame) {
                   CogiBadge(p, kSwatches[frame]);
                   FormatBrush(p, kSwatches[frame]);
                 }});
  art.push_back({crMove, "move", 15, 15, 1, 0,
                 [](QPainter& p, int) { MoveArrows(p, QPointF(15.5, 15.5), 11.5); }});
  art.push_back({crCalloutPoint, "callout_point", 1, 1, 1, 0, [](QPainter& p, int) {
                   BalloonBadge(p);
                   Pointer(p);
                 }});
  art.push_back({crTextBox, "text_box", 1, 1, 1, 0, [](QPainter& p, int) {
                   TextBoxBadge(p);
                   Pointer(p);
                 }});
  art.push_back({crDrawArrow, "draw_arrow", 15, 15, 1, 0, [](QPainter& p, int) {
                   Crosshair(p);
                   SmallArrow(p);
                 }});
  art.push_back({crFreeDraw, "free_draw", 1, 30, 1, 0, [](QPainter& p, int) { Pencil(p); }});
  art.push_back({crCreateLabel, "create_label", 15, 15, 1, 0, [](QPainter& p, int) {
                   Crosshair(p);
                   LabelBadge(p);
                 }});
  art.push_back({crCreateCluster, "create_cluster", 15, 15, 1, 0, [](QPainter& p, int) {
                   Crosshair(p);
                   ClusterBadge(p);
                 }});
  art.push_back({crBendArrow, "bend_arrow", 15, 15, 1, 0, [](QPainter& p, int) { BendArrow(p); }});
  art.push_back({crMovePlus, "move_plus", 11, 11, 1, 0, [](QPainter& p, int) {
                   MoveArrows(p, QPointF(11.5, 11.5), 10.5);
                   PlusBadge(p);
                 }});
  art.push_back({crDelete, "delete", 1, 1, 1, 0, [](QPainter& p, int) {
                   DeleteBadge(p);
                   Pointer(p);
                 }});
  art.push_back({crCreateHotspot, "create_hotspot", 15, 15, 1, 0, [](QPainter& p, int) {
                   Crosshair(p);
                   HotspotBadge(p);
                 }});
  art.push_back({crGateway, "gateway", 12, 1, 1, 0, [](QPainter& p, int) { PointingHand(p); }});
  return art;
}

// Adds a white edge around everything drawn: each clear pixel takes the strongest coverage
// within one unit, and the picture is laid over that in white.
QImage WithWhiteEdge(const QImage& drawn, int scale)
{
  const int w = drawn.width();
  const int h = drawn.height();
  const double reach = (scale + 0.5) * (scale + 0.5);
  QImage result(w, h, QImage::Format_ARGB32_Premultiplied);
  result.fill(Qt::transparent);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int alpha = 0;
      for (int dy = -scale; dy <= scale; ++dy) {
        for (int dx = -scale; dx <= scale; ++dx) {
          if (dx * dx + dy * dy > reach) continue;
          const int sx = x + dx;
          const int sy = y + dy;
          if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
          alpha = std::max(alpha, qAlpha(drawn.pixel(sx, sy)));
        }
      }
      result.setPixel(x, y, qRgba(alpha, alpha, alpha, alpha));
    }
  }
  QPainter p(&result);
  p.drawImage(0, 0, drawn);
  return result;
}

QImage Render(const TArt& art, int frame, int scale)
{
  QImage drawn(32 * scale, 32 * scale, QImage::Format_ARGB32_Premultiplied);
  drawn.fill(Qt::transparent);
  {
    QPainter p(&drawn);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    art.draw(p, frame);
  }
  return WithWhiteEdge(drawn, scale).convertToFormat(QImage::Format_ARGB32);
}

QString FileName(const TArt& art, int frame, int scale)
{
  QString name = QString::fromLatin1(art.stem);
  if (art.frames > 1) name += QStringLiteral("_%1").arg(frame);
  if (scale == 2) name += QStringLiteral("@2x");
  return name + QStringLiteral(".png");
}

// The base of the renumber cursor: the pointer and a black tag the number is written on, in
// pure black, white and silver (silver becomes transparent). The tag spans the whole width so
// that long numbers fit; the number shows through it.
QImage RenumberBase()
{
  QImage image(32, 32, QImage::Format_RGB32);
  image.fill(QColor(0xC0, 0xC0, 0xC0));
  QPainter p(&image);
  const QPointF outline[] = {{0, 0}, {0, 12}, {3, 9}, {5, 14}, {7, 13}, {5, 8}, {9, 8}};
  QPolygonF points;
  for (const QPointF& point : outline)
    points << QPointF(1, 1) + point;
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawPolygon(points);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRect(0, 16, 32, 16));
  p.setBrush(Qt::black);
  p.drawRect(QRect(1, 17, 30, 14));
  return image;
}

// Every cursor and frame at 1x and 2x, on white and on dark grey, and the 1x picture enlarged
// four times to judge its pixels; red ticks beside each picture mark the hot spot's row and
// column.
QImage ContactSheet(const std::vector<TArt>& art)
{
  const int perRow = 3;
  const int cellWidth = 4 * 76 + 144;
  const int cellHeight = 150;
  int cells = 0;
  for (const TArt& a : art)
    cells += a.frames;
  const int rows = (cells + perRow - 1) / perRow;
  QImage sheet(perRow * cellWidth, rows * cellHeight, QImage::Format_RGB32);
  sheet.fill(QColor(236, 236, 236));
  QPainter p(&sheet);
  QFont font;
  font.setPixelSize(11);
  p.setFont(font);
  int index = 0;
  for (const TArt& a : art) {
    for (int frame = 0; frame < a.frames; ++frame, ++index) {
      const QPoint corner((index % perRow) * cellWidth, (index / perRow) * cellHeight);
      int x = corner.x() + 8;
      // Each picture as shown at `zoom` times its pixels, with the hot spot ticks.
      const auto show = [&](int scale, int zoom, const QColor& ground) {
        const QImage picture = Render(a, frame, scale);
        const int size = 32 * scale * zoom;
        const QRect box(x, corner.y() + 8 + (128 - size) / 2, size, size);
        p.fillRect(box.adjusted(-4, -4, 4, 4), ground);
        p.drawImage(box, picture);
        p.setPen(QPen(Qt::red, 1));
        const int step = scale * zoom;
        const int hx = box.x() + a.hotX * step + step / 2;
        const int hy = box.y() + a.hotY * step + step / 2;
        p.drawLine(hx, box.top() - 4, hx, box.top() - 1);
        p.drawLine(box.left() - 4, hy, box.left() - 1, hy);
        x += size + 12;
      };
      for (int scale : {1, 2}) {
        show(scale, 1, Qt::white);
        show(scale, 1, QColor(60, 60, 64));
      }
      show(1, 4, QColor(128, 128, 136));
      p.setPen(Qt::black);
      p.drawText(
          QPoint(corner.x() + 8, corner.y() + cellHeight - 6),
          QStringLiteral("%1 %2 frame %3").arg(a.id).arg(QString::fromLatin1(a.stem)).arg(frame));
    }
  }
  return sheet;
}

}  // namespace

int main(int argc, char** argv)
{
  QGuiApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  const std::vector<TArt> art = Artwork();
  bool ok = true;
  QFile table(folder + QStringLiteral("/cursors.txt"));
  ok = table.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
  QTextStream out(&table);
  out << "# id  file stem  hot spot x y (32 x 32)  frames  interval ms\n";
  for (const TArt& a : art) {
    out << a.id << ' ' << a.stem << ' ' << a.hotX << ' ' << a.hotY << ' ' << a.frames << ' '
        << a.interval << '\n';
    for (int frame = 0; frame < a.frames; ++frame) {
      for (int scale : {1, 2}) {
        ok = Render(a, frame, scale).save(folder + QLatin1Char('/') + FileName(a, frame, scale)) &&
             ok;
      }
    }
  }
  ok = RenumberBase().save(folder + QStringLiteral("/renumber.png")) && ok;
  if (argc > 2) ok = ContactSheet(art).save(QString::fromLocal8Bit(argv[2])) && ok;
  return ok ? 0 : 1;
}
