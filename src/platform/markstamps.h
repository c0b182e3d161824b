// Small selection marks (squares and circles with a black one-pixel outline and a solid fill)
// drawn onto an image by copying the pixels of one mark drawn once per shape, size and colour.
// A window with thousands of selected objects draws tens of thousands of marks, and a painter
// call for each costs far more than its few pixels. The pixels are exactly the painter's; where
// that cannot be promised (a scaled, clipped or blending painter, a device that is not a plain
// image, a mark reaching past the edge, marks of one call overlapping) the painter draws.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <deque>
#include <vector>

class TMarkStamps {
 public:
  explicit TMarkStamps(QPainter& painter) : painter_(painter) {}

  // What QPainter::drawRects draws with a solid black pen of width 1 and the fill.
  void Squares(const QRect* marks, int count, const QColor& fill);
  // What QPainter::drawEllipse draws with the same pen and the fill.
  void Circle(const QRect& mark, const QColor& fill);

  // How many marks were copied rather than painted, for tests.
  int Copied() const { return copied_; }

 private:
  struct TStamp {
    bool round = false;
    QSize size;
    QRgb fill = 0;
    bool exact = false;  // every pixel either untouched or fully covered
    QRect bounds;        // the touched pixels, relative to the mark's top-left corner
    std::vector<std::pair<QPoint, QRgb>> pixels;
  };

  // The image the painter draws on, when copying gives exactly what it would draw.
  QImage* Target() const;
  const TStamp& StampFor(bool round, const QRect& mark, const QColor& fill);
  static void Copy(QImage& image, const TStamp& stamp, QPoint at);
  void Paint(bool round, const QRect* marks, int count, const QColor& fill);

  QPainter& painter_;
  std::deque<TStamp> stamps_;  // stable: references to a stamp outlive later additions
  int copied_ = 0;
};
