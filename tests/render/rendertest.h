// Shared helpers of the drawing tests: white 96 DPI images and pixel queries.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

#include "platform/canvas.h"

namespace rendertest {

inline QImage WhiteImage(int width, int height)
{
  QImage image(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 DPI
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  return image;
}

inline QColor At(const QImage& image, int x, int y)
{
  return QColor(image.pixel(x, y));
}

inline bool IsWhite(const QImage& image, int x, int y)
{
  return At(image, x, y) == QColor(Qt::white);
}

// Pixels of exactly the given colour in the whole image.
inline int CountPixels(const QImage& image, QRgb colour)
{
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += image.pixel(x, y) == colour;
  return count;
}

// Pixels in the rectangle that are not white.
inline int InkCount(const QImage& image, const QRect& rect)
{
  int count = 0;
  const QRect r = rect & image.rect();
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (!IsWhite(image, x, y)) ++count;
  return count;
}

inline QColor Grey(int g)
{
  return QColor(g, g, g);
}

// Paints on an image through a canvas for the lifetime of the object.
class TPaint {
 public:
  explicit TPaint(QImage& image) : painter_(&image), canvas_(painter_) {}
  TCanvas& Canvas() { return canvas_; }
  QPainter& Painter() { return painter_; }

 private:
  QPainter painter_;
  TCanvas canvas_;
};

}  // namespace rendertest
