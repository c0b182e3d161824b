// A canvas for measuring and hit testing without a visible target: screen boxes, regions
// and text extents at a given resolution.
#pragma once

#include <QImage>
#include <QPainter>

#include "platform/canvas.h"

class TMeasureCanvas {
 public:
  TMeasureCanvas(double dpiX = 96.0, double dpiY = 96.0)
      : image_(1, 1, QImage::Format_RGB32), painter_(&image_), canvas_(painter_, dpiX, dpiY)
  {
  }
  TCanvas& Canvas() { return canvas_; }

 private:
  QImage image_;
  QPainter painter_;
  TCanvas canvas_;
};
