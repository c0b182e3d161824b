#include "render/extrusionpainter.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

#include "geometry/geometry.h"
#include "platform/canvas.h"
#include "platform/rounding.h"
#include "render/displaycolor.h"

namespace {

constexpr double kDepth = 0.125;

struct TDirection {
  double Dx;
  double Dy;
  double Bearing;
};

// Indexed by Style3D - 1: down-right, down-left, up-left, up-right.
constexpr std::array<TDirection, 4> kDirections = {{
    {kDepth, kDepth, 225.0},
    {-kDepth, kDepth, 315.0},
    {-kDepth, -kDepth, 45.0},
    {kDepth, -kDepth, 135.0},
}};

int Shade(int channel, double f)
{
  const int half = channel / 2;
  return half + RoundHalfEven(f * (channel - half));
}

}  // namespace

bool TExtrusionPainter::Has3D(int style3D)
{
  return style3D >= 1 && style3D <= static_cast<int>(kDirections.size());
}

TModelPoint TExtrusionPainter::ExtrusionVector(int style3D)
{
  if (!Has3D(style3D)) return {};
  const TDirection& d = kDirections[static_cast<std::size_t>(style3D - 1)];
  return {d.Dx, d.Dy};
}

double TExtrusionPainter::StartBearing(int style3D)
{
  return Has3D(style3D) ? kDirections[static_cast<std::size_t>(style3D - 1)].Bearing : -1.0;
}

QColor TExtrusionPainter::FaceShade(const QColor& base, double bearing)
{
  double a = std::fabs(120.0 - bearing);
  if (a > 180.0) a = 360.0 - a;
  const double f = a / 180.0;
  return QColor(Shade(base.red(), f), Shade(base.green(), f), Shade(base.blue(), f));
}

std::size_t TExtrusionPainter::StartVertex(const TOutline& outline, TModelPoint centre,
                                           double angle, int style3D)
{
  const double target = StartBearing(style3D);
  std::size_t best = 1;
  double bestDifference = 180.0;
  for (std::size_t i = 1; i < outline.size(); ++i) {
    const TModelPoint p = RotateOffset(centre, outline[i].Ex, outline[i].Ey, angle);
    const double difference = BearingDifference(Bearing(centre, p), target);
    if (difference < bestDifference) {
      bestDifference = difference;
      best = i;
    }
  }
  return best;
}

void TExtrusionPainter::DrawExtrusion(TCanvas& canvas, const TOutline& outline, TModelPoint centre,
                                      double angle, int style3D, TColorRef faceColor,
                                      TFaceFill fill, double offsetX, double offsetY, double zoom)
{
  if (!Has3D(style3D) || fill == TFaceFill::Clear || outline.size() < 2) return;
  const QColor base =
      fill == TFaceFill::Filled ? DisplayColor(faceColor) : DisplayColor(colors::Silver);
  const TModelPoint v = ExtrusionVector(style3D);
  const QPointF depth(RoundHalfEven(v.X * canvas.ScaleX(zoom)),
                      RoundHalfEven(v.Y * canvas.ScaleY(zoom)));
  auto pixel = [&](double dx, double dy) {
    const TModelPoint p = RotateOffset(centre, dx, dy, angle);
    return QPointF(canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom));
  };
  const QPointF middle = QPointF(canvas.ToPixel(centre.X, centre.Y, offsetX, offsetY, zoom));
  const std::size_t last = outline.size() - 1;
  const std::size_t start = StartVertex(outline, centre, angle, style3D);
  std::size_t k = start;
  QPainter& painter = canvas.Painter();
  do {
    const std::size_t next = k == last ? 1 : k + 1;
    const TSegment& s = outline[next];
    const QPointF p0 = pixel(outline[k].Ex, outline[k].Ey);
    const QPointF c1 = pixel(s.C1x, s.C1y);
    const QPointF c2 = pixel(s.C2x, s.C2y);
    const QPointF e = pixel(s.Ex, s.Ey);
    const bool straight = c1 == p0 && c2 == e;
    QPainterPath face;
    face.setFillRule(Qt::WindingFill);
    face.moveTo(p0);
    face.lineTo(p0 + depth);
    if (straight)
      face.lineTo(e + depth);
    else
      face.cubicTo(c1 + depth, c2 + depth, e + depth);
    face.lineTo(e);
    if (straight)
      face.lineTo(p0);
    else
      face.cubicTo(c2, c1, p0);
    face.closeSubpath();
    const QPointF mid = (p0 + e) / 2.0;
    const double bearing = Bearing({middle.x(), middle.y()}, {mid.x(), mid.y()});
    painter.fillPath(face, FaceShade(base, bearing));
    k = next;
  } while (k != start);
}
