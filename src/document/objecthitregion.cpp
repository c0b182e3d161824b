#include "document/objecthitregion.h"

#include <algorithm>

#include "model/cgpobject.h"
#include "platform/measurecanvas.h"

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

bool TObjectHitRegion::contains(QPoint pixel) const
{
  if (objects_.empty()) return false;
  TMeasureCanvas measure(dpiX_, dpiY_);
  for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
    CGPObject* object = *it;
    if (!object->GetScreenBox(measure.Canvas(), offsetX_, offsetY_, zoom_)
             .Normalized()
             .ToQRect()
             .adjusted(-8, -8, 8, 8)
             .contains(pixel))
      continue;
    if (object->CreateRegion(measure.Canvas(), offsetX_, offsetY_, zoom_).contains(pixel))
      return true;
  }
  return false;
}
