// Draws the two rope pictures of the rope dilemmas: a whole rope and one fraying in the middle.
// White is the pictures' background and shows as transparent, so the rope avoids pure white.
//
//   c++ -std=c++20 -fPIC makeropes.cpp $(pkg-config --cflags --libs Qt6Gui) -o makeropes
//   QT_QPA_PLATFORM=offscreen ./makeropes ../../resources/images
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 80;
constexpr double kThickness = 26;

const QColor kStrand(196, 150, 88);
const QColor kShade(150, 105, 55);
const QColor kEdge(86, 56, 26);

// Centre line of the rope: a gentle sag across the picture.
double CentreY(double x)
{
  return kHeight / 2.0 + 6.0 * std::sin(x / kWidth * M_PI);
}

// One twist of the rope: a slanted lens from the top edge to the bottom edge.
void Twist(QPainter& p, double x, double thickness)
{
  const double y = CentreY(x);
  const double half = thickness / 2;
  QPainterPath twist;
  twist.moveTo(x - half * 0.55, y - half);
  twist.cubicTo(x + half * 0.35, y - half * 0.6, x + half * 0.75, y + half * 0.2, x + half * 0.55,
                y + half);
  twist.cubicTo(x - half * 0.35, y + half * 0.6, x - half * 0.75, y - half * 0.2, x - half * 0.55,
                y - half);
  p.setBrush(kStrand);
  p.setPen(QPen(kEdge, 1.6));
  p.drawPath(twist);
  // A shaded groove along the lower side of every twist gives the rope its roundness.
  p.setPen(QPen(kShade, 2.0));
  p.drawLine(QPointF(x + half * 0.1, y + half * 0.55), QPointF(x + half * 0.45, y + half * 0.9));
}

// Loose fibres sprouting from a point, spread over an angle range (degrees, 0 to the right).
void Fibres(QPainter& p, QPointF from, double fromAngle, double toAngle, int count,
            QRandomGenerator& random)
{
  for (int i = 0; i < count; ++i) {
    const double a = (fromAngle + (toAngle - fromAngle) * i / std::max(1, count - 1)) * M_PI / 180;
    const double length = 10 + random.bounded(12.0);
    const QPointF end(from.x() + length * std::cos(a), from.y() + length * std::sin(a));
    const QPointF bend((from.x() + end.x()) / 2 + random.bounded(6.0) - 3,
                       (from.y() + end.y()) / 2 + random.bounded(6.0) - 3);
    QPainterPath fibre;
    fibre.moveTo(from);
    fibre.quadTo(bend, end);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(i % 2 ? kShade : kEdge, 1.3));
    p.drawPath(fibre);
  }
}

QImage Rope(bool frayed)
{
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRandomGenerator random(frayed ? 9 : 8);
  const double step = kThickness * 0.55;
  const double gapLeft = kWidth * 0.44;
  const double gapRight = kWidth * 0.56;
  // The core behind the twists, so that the rope reads as one body.
  const auto core = [&](double from, double to) {
    QPainterPath line;
    line.moveTo(from, CentreY(from));
    for (double x = from; x <= to; x += 4)
      line.lineTo(x, CentreY(x));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kShade, kThickness * 0.8, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(line);
  };
  if (frayed) {
    core(step * 0.5, gapLeft - step / 2);
    core(gapRight + step / 2, kWidth - step * 0.5);
  } else {
    core(step * 0.5, kWidth - step * 0.5);
  }
  for (double x = step; x < kWidth - step / 2; x += step) {
    if (frayed && x > gapLeft - step / 2 && x < gapRight + step / 2) continue;
    Twist(p, x, kThickness);
  }
  if (frayed) {
    // Two thin strands are all that still hold the ends together.
    for (double offset : {-4.0, 4.0}) {
      QPainterPath strand;
      strand.moveTo(gapLeft - step / 2, CentreY(gapLeft) + offset);
      strand.cubicTo(kWidth * 0.48, CentreY(kWidth * 0.48) + offset * 2.2, kWidth * 0.52,
                     CentreY(kWidth * 0.52) - offset * 0.6, gapRight + step / 2,
                     CentreY(gapRight) + offset);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(kEdge, 4.2));
      p.drawPath(strand);
      p.setPen(QPen(kStrand, 2.2));
      p.drawPath(strand);
    }
    Fibres(p, QPointF(gapLeft - step / 2, CentreY(gapLeft)), -60, 60, 9, random);
    Fibres(p, QPointF(gapRight + step / 2, CentreY(gapRight)), 120, 240, 9, random);
  }
  // Whipped ends: a dark band at either end keeps the rope from unravelling there.
  p.setPen(QPen(kEdge, 1.6));
  p.setBrush(kShade);
  for (double x : {step * 0.35, kWidth - step * 0.35 - 6}) {
    const double y = CentreY(x);
    p.drawRoundedRect(QRectF(x, y - kThickness / 2 - 1, 6, kThickness + 2), 2, 2);
  }
  return image;
}

}  // namespace

int main(int argc, char** argv)
{
  QGuiApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  const bool ok = Rope(false).save(folder + QStringLiteral("/rope.bmp"), "BMP") &&
                  Rope(true).save(folder + QStringLiteral("/rope_frayed.bmp"), "BMP");
  return ok ? 0 : 1;
}
