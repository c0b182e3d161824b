#include "render/gradientpainter.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/canvas.h"
#include "platform/rounding.h"
#include "render/displaycolor.h"
#include "render/paintbounds.h"

namespace {

// Beyond this many pixels (a big object on a printer page) the gradient is worked out on a
// coarser grid and scaled up, so that memory stays bounded.
constexpr std::int64_t kMaxPixels = 2048 * 2048;

// Which step of a gradient covers a pixel, as the drawing order of its bands and shapes
// leaves it: the last shape drawn over the pixel wins. -1 means no shape covers it.
class TGradientShape {
 public:
  TGradientShape(int kind, const TPixelRect& box) : kind_(kind)
  {
    l_ = box.Left;
    t_ = box.Top;
    r_ = std::max<std::int64_t>(box.Right, l_);
    b_ = std::max<std::int64_t>(box.Bottom, t_);
    w_ = r_ - l_;
    h_ = b_ - t_;
    const std::int64_t cx = w_ / 2;
    const std::int64_t cy = h_ / 2;
    switch (kind_) {
      case 0:
        steps_ = h_;
        break;
      case 1:
        steps_ = w_;
        break;
      case 2:
        steps_ = cy;
        break;
      case 3:
        steps_ = cx;
        break;
      case 4:
      case 5:
        steps_ = w_ + h_;
        smallest_ = (steps_ - 1) % 6 + 1;
        break;
      case 6:
        SetCircles(l_ + cx, t_ + cy, cx, cy);
        break;
      case 7:
        SetCircles(l_, t_, w_, h_);
        break;
      case 8:
        SetCircles(r_, t_, w_, h_);
        break;
      case 9:
        SetCircles(r_, b_, w_, h_);
        break;
      case 10:
        SetCircles(l_, b_, w_, h_);
        break;
      case 11:
        SetRectangles(l_ + cx, t_ + cy, cx, cy);
        break;
      case 12:
        SetRectangles(l_, t_, w_, h_);
        break;
      case 13:
        SetRectangles(r_, t_, w_, h_);
        break;
      case 14:
        SetRectangles(r_, b_, w_, h_);
        break;
      default:
        SetRectangles(l_, b_, w_, h_);
        break;
    }
  }

  // Circles or rectangles with no reach draw nothing at all.
  bool DrawsNothing() const { return empty_; }
  std::int64_t Steps() const { return steps_; }

  std::int64_t StepAt(std::int64_t x, std::int64_t y) const
  {
    switch (kind_) {
      case 0:
        return 3 * ((y - t_) / 3);
      case 1:
        return 3 * ((x - l_) / 3);
      case 2:
        return std::abs(2 * ((y - t_) / 2) - steps_);
      case 3:
        return std::abs(2 * ((x - l_) / 2) - steps_);
      case 4:
        return Triangle((x - l_) + (b_ - 1 - y));
      case 5:
        return Triangle((r_ - 1 - x) + (b_ - 1 - y));
      case 6:
      case 7:
      case 8:
      case 9:
      case 10:
        return Circle(x + 0.5 - ox_, y + 0.5 - oy_);
      default:
        return Rectangle(x, y);
    }
  }

 private:
  void SetCircles(std::int64_t x, std::int64_t y, std::int64_t a, std::int64_t b)
  {
    ox_ = x;
    oy_ = y;
    empty_ = a == 0 || b == 0;
    steps_ = RoundHalfEven(std::sqrt(double(a) * a + double(b) * b)) + 1;
    smallest_ = (steps_ - 1) % 3 + 1;
  }

  void SetRectangles(std::int64_t x, std::int64_t y, std::int64_t a, std::int64_t b)
  {
    ox_ = x;
    oy_ = y;
    a_ = a;
    bh_ = b;
    steps_ = std::min(a, b);
    empty_ = steps_ <= 0;
    last_ = empty_ ? 0 : (steps_ - 1) / 2;
  }

  // Triangles of size n = N, N - 6, ... down to the smallest: a pixel at diagonal
  // distance m belongs to the smallest triangle that reaches past it.
  std::int64_t Triangle(std::int64_t m) const
  {
    const std::int64_t n = m < smallest_ ? smallest_ : smallest_ + 6 * ((m - smallest_) / 6 + 1);
    return n <= steps_ ? n : -1;
  }

  // Circles of radius N, N - 3, ...: the smallest one the pixel's centre lies inside.
  std::int64_t Circle(double dx, double dy) const
  {
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d < smallest_) return smallest_;
    const double j = std::floor((d - smallest_) / 3.0) + 1.0;
    const double n = smallest_ + 3.0 * j;
    return n <= double(steps_) ? static_cast<std::int64_t>(n) : -1;
  }

  // Rectangles of half-size a, b shrinking by 2 per step but not below 2: the last step
  // whose rectangle (right and bottom edges exclusive) holds the pixel.
  std::int64_t Rectangle(std::int64_t x, std::int64_t y) const
  {
    const std::int64_t jx = LastHolding(x >= ox_ ? x - ox_ + 1 : ox_ - x, a_);
    const std::int64_t jy = LastHolding(y >= oy_ ? y - oy_ + 1 : oy_ - y, bh_);
    if (jx < 0 || jy < 0) return -1;
    return steps_ - 2 * std::min(jx, jy);
  }

  std::int64_t LastHolding(std::int64_t extent, std::int64_t half) const
  {
    if (extent > half) return -1;
    if (last_ == 0 || extent <= 2) return last_;
    return std::min(last_, (half - extent) / 2);
  }

  int kind_;
  std::int64_t l_ = 0, t_ = 0, r_ = 0, b_ = 0, w_ = 0, h_ = 0;
  std::int64_t steps_ = 0;
  std::int64_t smallest_ = 1;
  std::int64_t ox_ = 0, oy_ = 0, a_ = 0, bh_ = 0, last_ = 0;
  bool empty_ = false;
};

int Channel(int from, int to, std::int64_t n, std::int64_t steps)
{
  const double delta = double(n) * (to - from) / double(steps);
  return std::clamp(from + RoundHalfEven(delta), 0, 255);
}

}  // namespace

int TGradientPainter::ValidIndex(int index)
{
  return index >= 0 && index < Count ? index : 0;
}

QColor TGradientPainter::StepColor(std::int64_t n, std::int64_t steps, const QColor& face,
                                   const QColor& back)
{
  if (steps <= 0) return face;
  return QColor(Channel(face.red(), back.red(), n, steps),
                Channel(face.green(), back.green(), n, steps),
                Channel(face.blue(), back.blue(), n, steps));
}

void TGradientPainter::GradientFill(TCanvas& canvas, const QRegion& region, int index,
                                    TColorRef back, TColorRef face)
{
  GradientFill(canvas, region, TPixelRect::FromQRect(region.boundingRect()), index, back, face);
}

void TGradientPainter::GradientFill(TCanvas& canvas, const QRegion& region, const TPixelRect& box,
                                    int index, TColorRef back, TColorRef face)
{
  if (region.isEmpty()) return;
  QPainter& painter = canvas.Painter();
  const QRect visible = region.boundingRect() & PaintBounds(painter);
  if (visible.isEmpty()) return;
  const TGradientShape shape(ValidIndex(index), box);
  if (shape.DrawsNothing()) return;
  const QColor faceColor = DisplayColor(face);
  const QColor backColor = DisplayColor(back);

  const std::int64_t area = std::int64_t{visible.width()} * visible.height();
  int cell = 1;
  while (area / (std::int64_t{cell} * cell) > kMaxPixels)
    ++cell;
  const int columns = (visible.width() + cell - 1) / cell;
  const int rows = (visible.height() + cell - 1) / cell;
  QImage image(columns, rows, QImage::Format_ARGB32_Premultiplied);
  std::int64_t cachedStep = -2;
  QRgb cachedColor = 0;
  for (int row = 0; row < rows; ++row) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(row));
    const std::int64_t y = std::int64_t{visible.top()} + std::int64_t{row} * cell + cell / 2;
    for (int column = 0; column < columns; ++column) {
      const std::int64_t x = std::int64_t{visible.left()} + std::int64_t{column} * cell + cell / 2;
      const std::int64_t step = shape.StepAt(x, y);
      if (step != cachedStep) {
        cachedStep = step;
        cachedColor = step < 0 ? 0 : StepColor(step, shape.Steps(), faceColor, backColor).rgb();
      }
      line[column] = cachedColor;
    }
  }
  painter.save();
  painter.setClipRegion(region, Qt::IntersectClip);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRect(visible.left(), visible.top(), columns * cell, rows * cell), image);
  painter.restore();
}
