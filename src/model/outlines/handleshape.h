// The hit area of one selection handle: a rectangle or the ellipse inside it, in window
// pixels. Plain geometry rather than a region, so that thousands of selected objects can
// draw their handles without building a region for each.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>

class THandleShape {
 public:
  THandleShape() = default;
  explicit THandleShape(const QRect& rect, bool round = false) : rect_(rect), round_(round) {}

  bool isEmpty() const { return rect_.isEmpty(); }
  QRect boundingRect() const { return rect_; }
  bool contains(QPoint pixel) const
  {
    if (!rect_.contains(pixel)) return false;
    if (!round_) return true;
    // The pixel's centre against the ellipse inscribed in the rectangle.
    const double rx = rect_.width() / 2.0;
    const double ry = rect_.height() / 2.0;
    const double dx = (pixel.x() + 0.5 - rect_.left() - rx) / rx;
    const double dy = (pixel.y() + 0.5 - rect_.top() - ry) / ry;
    return dx * dx + dy * dy <= 1.0;
  }
  QRegion ToRegion() const { return round_ ? QRegion(rect_, QRegion::Ellipse) : QRegion(rect_); }

 private:
  QRect rect_;
  bool round_ = false;
};
