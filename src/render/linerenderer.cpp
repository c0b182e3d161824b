#include "render/linerenderer.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "geometry/geometry.h"
#include "platform/canvas.h"
#include "platform/rounding.h"
#include "render/displaycolor.h"
#include "render/paintbounds.h"

namespace {

// Widths from damaged files can be absurd; nothing wider than this is ever visible.
constexpr int kMaxPenWidth = 4096;
// Dots are painted in batches so that a long patterned line costs a few fills, not
// thousands, while memory stays small.
constexpr int kBatchSize = 4096;

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
  const std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int PenWidth(const TCanvas& canvas, double zoom, double widthPoints)
{
  return std::min(PenWidthPixels(widthPoints, zoom, canvas), kMaxPenWidth);
}

Qt::PenStyle StandardPenStyle(int style)
{
  switch (style) {
    case 1:
      return Qt::DashLine;
    case 2:
      return Qt::DotLine;
    case 3:
      return Qt::DashDotLine;
    case 4:
      return Qt::DashDotDotLine;
    case 5:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

// Narrows the step range [0, n) of a segment to the indices that can land inside the
// rectangle (Liang-Barsky on the ideal line, widened by a step for the rounding).
bool VisibleSteps(QPoint from, std::int64_t dx, std::int64_t dy, std::int64_t n, const QRect& reach,
                  std::int64_t& first, std::int64_t& last)
{
  double t0 = 0.0;
  double t1 = 1.0;
  auto clip = [&](double p, double q) {
    if (p == 0.0) return q >= 0.0;
    const double r = q / p;
    if (p < 0.0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
    return true;
  };
  const double x = from.x();
  const double y = from.y();
  const double fx = static_cast<double>(dx);
  const double fy = static_cast<double>(dy);
  if (!clip(-fx, x - (reach.left() - 1.0)) || !clip(fx, (reach.right() + 1.0) - x) ||
      !clip(-fy, y - (reach.top() - 1.0)) || !clip(fy, (reach.bottom() + 1.0) - y))
    return false;
  const double steps = static_cast<double>(n);
  first = std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(t0 * steps)) - 1);
  last = std::min<std::int64_t>(n - 1, static_cast<std::int64_t>(std::ceil(t1 * steps)) + 1);
  return first <= last;
}

}  // namespace

int TLineRenderer::ValidStyle(int style)
{
  return style >= 0 && style < StyleCount ? style : Solid;
}

int TLineRenderer::Period(int style, int penWidth)
{
  const int w = penWidth;
  switch (ValidStyle(style)) {
    case RoundDots:
    case SquareDots:
      return 2 * w;
    case Dashes:
      return 6 * w;
    case LongDashes:
    case DashedDouble:
    case BrokenDouble:
      return 12 * w;
    case Wave:
    case Zigzag:
      return 5 * w;
    case Stars:
      return std::max(3 * w, 5);
    default:
      return 0;
  }
}

void TLineRenderer::SelectLinePen(TCanvas& canvas, int style, TColorRef color, double zoom,
                                  double widthPoints)
{
  QPainter& painter = canvas.Painter();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const Qt::PenStyle penStyle = StandardPenStyle(style);
  if (penStyle == Qt::NoPen) {
    painter.setPen(Qt::NoPen);
    return;
  }
  painter.setPen(QPen(DisplayColor(color), PenWidth(canvas, zoom, widthPoints), penStyle,
                      Qt::RoundCap, Qt::RoundJoin));
}

void TLineRenderer::StrokePath(TCanvas& canvas, const QPainterPath& path, int style,
                               TColorRef color, double zoom, double widthPoints)
{
  style = ValidStyle(style);
  if (style == NoLine || path.isEmpty()) return;
  const int w = PenWidth(canvas, zoom, widthPoints);
  const QColor qcolor = DisplayColor(color);
  if (style == Solid) {
    canvas.Painter().strokePath(path, QPen(qcolor, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return;
  }
  TLineRenderer renderer(canvas.Painter(), style, qcolor, w);
  for (const QPolygonF& part : path.toSubpathPolygons()) {
    if (part.isEmpty()) continue;
    auto pixel = [](QPointF p) { return QPoint(RoundHalfEven(p.x()), RoundHalfEven(p.y())); };
    renderer.MoveTo(pixel(part.front()));
    for (qsizetype i = 1; i < part.size(); ++i)
      renderer.LineTo(pixel(part[i]));
  }
}

TLineRenderer::TLineRenderer(QPainter& painter, int style, const QColor& color, int penWidth)
    : painter_(painter),
      style_(ValidStyle(style)),
      color_(color),
      w_(std::clamp(penWidth, 1, kMaxPenWidth)),
      period_(Period(style_, w_))
{
  // Dots reach at most 2w to the left of the path plus their own half size.
  const int margin = 3 * w_ + 2;
  reach_ = PaintBounds(painter).adjusted(-margin, -margin, margin, margin);
  for (QPainterPath* path : {&squares_, &rounds_, &waves_, &stars_})
    path->setFillRule(Qt::WindingFill);
}

TLineRenderer::~TLineRenderer()
{
  Flush();
}

void TLineRenderer::MoveTo(QPoint point)
{
  CloseRuns();
  current_ = point;
}

void TLineRenderer::LineTo(QPoint point)
{
  const QPoint from = current_;
  current_ = point;
  const std::int64_t dx = std::int64_t{point.x()} - from.x();
  const std::int64_t dy = std::int64_t{point.y()} - from.y();
  const std::int64_t n = std::max(std::abs(dx), std::abs(dy));
  if (n == 0) return;
  const double bearing =
      Bearing({double(from.x()), double(from.y())}, {double(point.x()), double(point.y())}) *
      kRadiansPerDegree;
  cos_ = std::cos(bearing);
  sin_ = std::sin(bearing);
  const std::int64_t cycle = std::int64_t{period_} + 1;
  std::int64_t first = 0;
  std::int64_t last = -1;
  if (!reach_.isEmpty() && VisibleSteps(from, dx, dy, n, reach_, first, last)) {
    // The pixel nearest to the ideal line at step i is from + floor((2 i d + n) / 2n), as a
    // DDA would choose it; quotient and remainder are carried from step to step.
    const std::int64_t twoN = 2 * n;
    auto start = [&](std::int64_t d, std::int64_t& quotient, std::int64_t& remainder) {
      const std::int64_t numerator = 2 * first * d + n;
      quotient = FloorDiv(numerator, twoN);
      remainder = numerator - quotient * twoN;
    };
    auto advance = [&](std::int64_t d, std::int64_t& quotient, std::int64_t& remainder) {
      remainder += 2 * d;
      if (remainder >= twoN) {
        remainder -= twoN;
        ++quotient;
      } else if (remainder < 0) {
        remainder += twoN;
        --quotient;
      }
    };
    std::int64_t qx = 0, rx = 0, qy = 0, ry = 0;
    start(dx, qx, rx);
    start(dy, qy, ry);
    std::int64_t q = (counter_ + first) % cycle;
    for (std::int64_t i = first; i <= last; ++i) {
      const int x = from.x() + static_cast<int>(qx);
      const int y = from.y() + static_cast<int>(qy);
      if (reach_.contains(x, y))
        StepPixel(x, y, static_cast<int>(q));
      else
        CloseRuns();
      advance(dx, qx, rx);
      advance(dy, qy, ry);
      if (++q == cycle) q = 0;
    }
  }
  // The next segment turns the dots differently.
  CloseRuns();
  counter_ = (counter_ + n) % cycle;
}

void TLineRenderer::StepPixel(int x, int y, int q)
{
  const double half = period_ / 2.0;
  auto leftCopy = [&](bool on) {
    if (on)
      SquareDot(left_, true, RoundHalfEven(x - 2.0 * w_ * cos_),
                RoundHalfEven(y - 2.0 * w_ * sin_));
    else
      CloseRun(left_);
  };
  auto offsetDot = [&](double k) {
    WavePoint(RoundHalfEven(x + k * cos_), RoundHalfEven(y + k * sin_));
  };
  switch (style_) {
    case RoundDots:
      if (q == 0) AddRoundDot(x, y);
      break;
    case SquareDots:
      SquareDot(self_, q == 0, x, y);
      break;
    case Dashes:
    case LongDashes:
      SquareDot(self_, q < half, x, y);
      break;
    case DoubleLine:
      SquareDot(self_, true, x, y);
      leftCopy(true);
      break;
    case DashedDouble:
      SquareDot(self_, q < half, x, y);
      leftCopy(q < half);
      break;
    case BrokenDouble: {
      const double r = static_cast<double>(q) / period_;
      leftCopy(r <= 0.71);
      SquareDot(self_, r <= 0.21 || q > half, x, y);
      break;
    }
    case Wave: {
      const double phase = static_cast<double>(q) / period_ * 2.0 * std::numbers::pi;
      offsetDot(-RoundHalfEven(std::cos(phase) * w_) - w_);
      break;
    }
    case Zigzag: {
      const double l = period_ / 4.0;
      const double w2 = 2.0 * w_;
      double k = 0.0;
      if (q <= half)
        k = -RoundHalfEven(w2 * std::fabs(l - q) / l);
      else if (q <= 3.0 * l)
        k = RoundHalfEven((q - half) / l * w2) - w2;
      else
        k = RoundHalfEven((3.0 * l - q) / l * w2);
      offsetDot(k);
      break;
    }
    case Stars:
      if (q == 0) AddStar(x, y);
      break;
    default:
      break;
  }
  FlushIfFull();
}

void TLineRenderer::SquareDot(TRun& run, bool on, int x, int y)
{
  if (!on) {
    CloseRun(run);
    return;
  }
  if (w_ == 1) {
    // Hairline dots are exactly the stepped pixels.
    pixels_ << QPoint(x, y);
    ++pending_;
    return;
  }
  if (!run.Open) {
    run.Open = true;
    run.First = QPoint(x, y);
  }
  run.Last = QPoint(x, y);
}

void TLineRenderer::CloseRun(TRun& run)
{
  if (!run.Open) return;
  run.Open = false;
  // Squares of side w on the pixel centres, turned with the segment; a run of them along
  // the segment is the rectangle from the first square to the last.
  const double h = w_ / 2.0;
  const QPointF right(cos_ * h, sin_ * h);
  const QPointF ahead(sin_ * h, -cos_ * h);
  const QPointF first = QPointF(run.First) + QPointF(0.5, 0.5);
  const QPointF last = QPointF(run.Last) + QPointF(0.5, 0.5);
  squares_.addPolygon(QPolygonF{last - right + ahead, last + right + ahead, first + right - ahead,
                                first - right - ahead});
  squares_.closeSubpath();
  ++pending_;
}

void TLineRenderer::WavePoint(int x, int y)
{
  if (w_ == 1) {
    AddRoundDot(x, y);
    return;
  }
  wave_ << QPointF(x + 0.5, y + 0.5);
  ++pending_;
}

void TLineRenderer::CloseWave()
{
  if (wave_.isEmpty()) return;
  // Round dots one step apart merge into the line through their centres drawn with a
  // round pen of their diameter.
  waves_.moveTo(wave_.front());
  for (qsizetype i = 1; i < wave_.size(); ++i)
    waves_.lineTo(wave_[i]);
  if (wave_.size() == 1) waves_.lineTo(wave_.front());
  wave_.clear();
}

void TLineRenderer::CloseRuns()
{
  CloseRun(self_);
  CloseRun(left_);
  CloseWave();
}

void TLineRenderer::AddRoundDot(int x, int y)
{
  ++pending_;
  if (w_ == 1) {
    pixels_ << QPoint(x, y);
    return;
  }
  rounds_.addEllipse(QPointF(x + 0.5, y + 0.5), w_ / 2.0, w_ / 2.0);
}

void TLineRenderer::AddStar(int x, int y)
{
  ++pending_;
  // Corners of an upright five-pointed star of size 1; the star never turns with the line.
  static constexpr std::array<std::pair<double, double>, 10> kCorners = {{
      {0.0, -0.5},
      {-0.12, -0.12},
      {-0.5, -0.12},
      {-0.21, 1.0 / 9.0},
      {-0.31, 0.5},
      {0.0, 0.26},
      {0.31, 0.5},
      {0.21, 1.0 / 9.0},
      {0.5, -0.12},
      {0.12, -0.12},
  }};
  const double size = 3.0 * w_;
  QPolygonF star;
  for (const auto& [u, v] : kCorners)
    star << QPointF(x + RoundHalfEven(u * size), y + RoundHalfEven(v * size));
  stars_.addPolygon(star);
  stars_.closeSubpath();
}

void TLineRenderer::FlushIfFull()
{
  if (pending_ >= kBatchSize) Flush();
}

void TLineRenderer::Flush()
{
  CloseRuns();
  if (pending_ == 0) return;
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  if (!pixels_.isEmpty()) {
    painter_.setPen(QPen(color_, 1));
    painter_.drawPoints(pixels_);
    pixels_.clear();
  }
  if (!squares_.isEmpty()) painter_.fillPath(squares_, color_);
  if (!rounds_.isEmpty()) painter_.fillPath(rounds_, color_);
  if (!waves_.isEmpty())
    painter_.strokePath(waves_, QPen(color_, w_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  if (!stars_.isEmpty()) {
    // Stars keep their one-pixel outline so that small ones still show their points.
    painter_.setPen(QPen(color_, 1));
    painter_.setBrush(color_);
    painter_.drawPath(stars_);
  }
  painter_.restore();
  for (QPainterPath* path : {&squares_, &rounds_, &waves_, &stars_}) {
    path->clear();
    path->setFillRule(Qt::WindingFill);
  }
  pending_ = 0;
}
