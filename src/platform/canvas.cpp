#include "platform/canvas.h"

#include <QPaintDevice>
#include <QPaintEngine>

#include "platform/markstamps.h"
#include "platform/rounding.h"

namespace {
double DeviceDpiX(const QPainter& painter)
{
  const QPaintDevice* device = painter.device();
  return device && device->logicalDpiX() > 0 ? device->logicalDpiX() : 96.0;
}
double DeviceDpiY(const QPainter& painter)
{
  const QPaintDevice* device = painter.device();
  return device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
}
}  // namespace

TCanvas::TCanvas(QPainter& painter)
    : painter_(&painter), dpiX_(DeviceDpiX(painter)), dpiY_(DeviceDpiY(painter))
{
}

TCanvas::TCanvas(QPainter& painter, double dpiX, double dpiY)
    : painter_(&painter), dpiX_(dpiX > 0 ? dpiX : 96.0), dpiY_(dpiY > 0 ? dpiY : 96.0)
{
}

int TCanvas::ToPixelX(double x, double offsetX, double zoom) const
{
  return RoundHalfEven((x + offsetX) * dpiX_ * zoom / 100.0);
}

int TCanvas::ToPixelY(double y, double offsetY, double zoom) const
{
  return RoundHalfEven((y + offsetY) * dpiY_ * zoom / 100.0);
}

QPoint TCanvas::ToPixel(double x, double y, double offsetX, double offsetY, double zoom) const
{
  return QPoint(ToPixelX(x, offsetX, zoom), ToPixelY(y, offsetY, zoom));
}

TMarkStamps& TCanvas::Marks()
{
  if (!marks_) marks_ = std::make_shared<TMarkStamps>(*painter_);
  return *marks_;
}

bool TCanvas::SupportsRasterOps() const
{
  const QPaintEngine* engine = painter_->paintEngine();
  return engine && engine->hasFeature(QPaintEngine::RasterOpModes);
}

void TCanvas::SetInverting(bool on)
{
  if (deferredInverting_ || !SupportsRasterOps()) return;
  painter_->setCompositionMode(on ? QPainter::RasterOp_NotSourceXorDestination
                                  : QPainter::CompositionMode_SourceOver);
}

void TCanvas::SetMasking(bool on)
{
  if (!SupportsRasterOps()) return;
  painter_->setCompositionMode(on ? QPainter::RasterOp_SourceAndDestination
                                  : QPainter::CompositionMode_SourceOver);
}
