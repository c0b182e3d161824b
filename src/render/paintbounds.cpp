#include "render/paintbounds.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace {

// Devices that do not know their size (a picture recorder) still get a finite bound.
constexpr int kUnknownDeviceExtent = 32768;

QRect DeviceRect(const QPainter& painter)
{
  const QPaintDevice* device = painter.device();
  if (!device || device->width() <= 0 || device->height() <= 0)
    return QRect(-kUnknownDeviceExtent, -kUnknownDeviceExtent, 2 * kUnknownDeviceExtent,
                 2 * kUnknownDeviceExtent);
  // Some devices report logical, others physical sizes; scaling by the pixel ratio errs on
  // the large side in both cases.
  const double ratio = std::max(1.0, device->devicePixelRatioF());
  return QRect(0, 0, static_cast<int>(std::ceil(device->width() * ratio)),
               static_cast<int>(std::ceil(device->height() * ratio)));
}

}  // namespace

QRect PaintBounds(const QPainter& painter)
{
  QRect bounds = DeviceRect(painter);
  bool invertible = false;
  const QTransform inverse = painter.deviceTransform().inverted(&invertible);
  if (!invertible) return QRect();
  bounds = inverse.mapRect(QRectF(bounds)).toAlignedRect();
  if (painter.hasClipping()) bounds &= painter.clipBoundingRect().toAlignedRect();
  return bounds;
}
