// The pixels the visible objects cover as of the last full paint. Mouse code asks whether a
// pixel lies on some object; the answer is worked out then, from the objects' boxes and
// regions, instead of uniting every object's region at every paint.
//
// The click (TModelPainter::HitTest), the hover and this region all ask ObjectAt, so a pixel
// that shows an object's hover cursor is one a click finds the object at.
#pragma once

#include <QPoint>
#include <vector>

#include "model/objectlist.h"

class CGPObject;

class TObjectHitRegion {
 public:
  // The topmost of the objects whose region holds the pixel, with the given view, or none.
  static CGPObject* ObjectAt(const TObjectList& objects, QPoint pixel, double offsetX,
                             double offsetY, double zoom, double dpiX, double dpiY);

  // Takes the objects and the view of a full paint.
  void Set(const TObjectList& objects, double offsetX, double offsetY, double zoom, double dpiX,
           double dpiY);
  void Clear() { objects_.clear(); }
  // Drops an object that is about to be destroyed.
  void Forget(const CGPObject* object);
  // ObjectAt with the objects and view of the last full paint.
  CGPObject* ObjectAt(QPoint pixel) const;
  bool contains(QPoint pixel) const { return ObjectAt(pixel) != nullptr; }
  bool isEmpty() const { return objects_.empty(); }

 private:
  TObjectList objects_;
  double offsetX_ = 0.0;
  double offsetY_ = 0.0;
  double zoom_ = 100.0;
  double dpiX_ = 96.0;
  double dpiY_ = 96.0;
};
