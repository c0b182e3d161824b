// The selection handles of the last full paint: which objects drew handles and the box their
// handles cover. A pixel is tested against the handles of the few objects whose box holds
// it, instead of uniting thousands of handle regions at every paint.
#pragma once

#include <QPoint>
#include <QRect>
#include <utility>
#include <vector>

class CGPObject;

class THandleHitRegion {
 public:
  void Clear() { entries_.clear(); }
  // An object that drew handles covering the bounds (pixels of the window).
  void Add(CGPObject* object, const QRect& bounds) { entries_.emplace_back(object, bounds); }
  // Drops an object that is about to be destroyed.
  void Forget(const CGPObject* object);
  bool contains(QPoint pixel) const;
  bool isEmpty() const { return entries_.empty(); }

 private:
  std::vector<std::pair<CGPObject*, QRect>> entries_;
};
