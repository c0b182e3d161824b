#include "document/objecthitregion.h"

#include <algorithm>

#include "model/cgpobject.h"
#include "platform/measurecanvas.h"

CGPObject* TObjectHitRegion::ObjectAt(const TObjectList& objects, QPoint pixel, double offsetX,
                                      double offsetY, double zoom, double dpiX, double dpiY)
{
  if (objects.empty()) return nullptr;
  TMeasureCanvas measure(dpiX, dpiY);
  TCanvas& canvas = measure.Canvas();
  // Only this pixel of any region is looked at.
  canvas.SetRegionWindow(QRect(pixel, QSize(1, 1)));
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    CGPObject* object = *it;
    // The cheap box test first (a pixel of slack for how edges round); the region only for
    // the few boxes that hold the pixel.
    if (!object->RegionBox(canvas, offsetX, offsetY, zoom)
             .ToQRect()
             .adjusted(-1, -1, 1, 1)
             .contains(pixel))
      continue;
    if (object->CreateRegion(canvas, offsetX, offsetY, zoom).contains(pixel)) return object;
  }
  return nullptr;
}

void TObjectHitRegion::Set(const TObjectList& objects, double offsetX, double offsetY, double zoom,
                           double dpiX, double dpiY)
{
  objects_ = objects;
  offsetX_ = offsetX;
  offsetY_ = offsetY;
  zoom_ = zoom;
  dpiX_ = dpiX;
  dpiY_ = dpiY;
}

void TObjectHitRegion::Forget(const CGPObject* object)
{
  objects_.erase(std::remove(objects_.begin(), objects_.end(), object), objects_.end());
}

CGPObject* TObjectHitRegion::ObjectAt(QPoint pixel) const
{
  return ObjectAt(objects_, pixel, offsetX_, offsetY_, zoom_, dpiX_, dpiY_);
}
