// A canvas for measuring and hit testing without a visible target: screen boxes, regions
// and text extents at a given resolution. By default the model's own fixed resolution, for
// what the model decides itself; hit tests on a window give the window's.
#pragma once

#include <QImage>
#include <QPainter>

#include "platform/canvas.h"
#include "platform/screenmetrics.h"

class TMeasureCanvas {
 public:
  TMeasureCanvas(double dpiX = kModelPixelsPerInch, double dpiY = kModelPixelsPerInch)
      : image_(1, 1, QImage::Format_RGB32), painter_(&image_), canvas_(painter_, dpiX, dpiY)
  {
  }
  TCanvas& Canvas() { return canvas_; }

 private:
  QImage image_;
  QPainter painter_;
  TCanvas canvas_;
};
