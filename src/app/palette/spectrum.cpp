#include "app/palette/spectrum.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/rounding.h"
#include "render/displaycolor.h"

namespace {

constexpr int kSegments = 27;

struct TRgb {
  float R, G, B;
};

// The pure colour of a column; x is at most 27 segments of width d from the left.
TRgb PureColor(float x, float d)
{
  const int segment = std::clamp(static_cast<int>(x / d), 0, kSegments - 1);
  if (segment <= 1) return {x / (2 * d) * 127 + 128, 0, 0};
  if (segment <= 4) return {255, (x - 2 * d) / (3 * d) * 128, 0};
  if (segment <= 8) return {255, 128 - (5 * d - x) / (4 * d) * 127, 0};
  if (segment <= 11) return {255 - (x - 9 * d) / (3 * d) * 255, 255, 0};
  if (segment <= 15) return {0, 255, (x - 12 * d) / (4 * d) * 255};
  if (segment <= 18) return {0, 255 - (x - 16 * d) / (3 * d) * 255, 255};
  if (segment <= 22) return {(x - 19 * d) / (4 * d) * 255, 0, 255};
  const float t = (x - 23 * d) / (4 * d) * 128;
  return {255 - t, t, 255 - t};
}

int Channel(float value)
{
  // Rounding can still land a hair outside; a component never borrows from its neighbour.
  return std::clamp(RoundHalfEven(value), 0, 255);
}

}  // namespace

TSpectrum::TSpectrum(QWidget* parent) : QWidget(parent)
{
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
}

TColorRef TSpectrum::ColorAt(QPoint point, QSize size)
{
  // A strip squeezed to nothing still has one pixel to take a colour from.
  const int width = std::max(size.width(), 1);
  const int height = std::max(size.height(), 1);
  const int x = std::clamp(point.x(), 0, width - 1);
  const int y = std::clamp(point.y(), 0, height - 1);

  const float d = static_cast<float>(width) / kSegments;
  const TRgb pure = PureColor(static_cast<float>(x), d);

  // Row m shows the pure colours; above it they pale towards white, below darken.
  const int m = std::max(2 * height / 3, 1);
  const float fy = static_cast<float>(y);
  const float fm = static_cast<float>(m);
  auto shade = [&](float c) {
    if (y < m) return c - ((fm - fy) / fm) * (c - 255);
    return c - (1 - (2 * fm - fy) / fm) * c;
  };
  return MakeColorRef(Channel(shade(pure.R)), Channel(shade(pure.G)), Channel(shade(pure.B)));
}

QString TSpectrum::HintFor(TColorRef color)
{
  return QString::asprintf("|RGB(%3d, %3d, %3d)", RedOf(color), GreenOf(color), BlueOf(color));
}

void TSpectrum::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  image_ = QImage();
}

void TSpectrum::paintEvent(QPaintEvent*)
{
  if (width() <= 0 || height() <= 0) return;
  if (image_.size() != size()) {
    image_ = QImage(size(), QImage::Format_RGB32);
    for (int y = 0; y < height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
      for (int x = 0; x < width(); ++x)
        line[x] = DisplayColor(ColorAt(QPoint(x, y))).rgb();
    }
  }
  QPainter(this).drawImage(0, 0, image_);
}

void TSpectrum::mousePressEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) tracking_ = true;
}

void TSpectrum::mouseMoveEvent(QMouseEvent* event)
{
  const TColorRef color = ColorAt(event->position().toPoint());
  Q_EMIT HintChanged(HintFor(color));
  if (!tracking_) Q_EMIT HoverColor(color);
}

void TSpectrum::mouseReleaseEvent(QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton || !tracking_) return;
  tracking_ = false;
  // A release outside the spectrum takes the colour at the nearest edge.
  Q_EMIT ColorClick(ColorAt(event->position().toPoint()));
}
