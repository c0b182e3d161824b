// Strokes pixel paths in the twelve line styles of objects. Solid lines go straight to the
// painter; the patterned styles are stepped pixel by pixel along the flattened path with a
// step counter that runs on across the path's segments, so dash rhythms turn corners.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPoint>
#include <QPolygon>
#include <QPolygonF>
#include <QRect>
#include <cstdint>

#include "platform/color.h"

class QPainter;
class TCanvas;

class TLineRenderer {
 public:
  // Line style codes as objects store them.
  enum TStyle : int {
    Solid = 0,
    RoundDots = 1,
    SquareDots = 2,
    Dashes = 3,
    LongDashes = 4,
    NoLine = 5,
    DoubleLine = 6,
    DashedDouble = 7,
    BrokenDouble = 8,
    Wave = 9,
    Zigzag = 10,
    Stars = 11,
  };
  static constexpr int StyleCount = 12;

  // A stored code; codes past the table (from damaged files) draw as solid.
  static int ValidStyle(int style);
  // The period P in pixels of a patterned style at pen width w (0 where unused).
  static int Period(int style, int penWidth);

  // Selects the pen of heads, markers and numbers: none for style 5, otherwise that
  // standard pen style (callers pass 0, solid) at the line's pixel width, in copy mode.
  static void SelectLinePen(TCanvas& canvas, int style, TColorRef color, double zoom,
                            double widthPoints);
  // Strokes a path built in device pixels with a line style, colour and width in points.
  // Draws through the painter's current composition mode, so shadows can mask with it.
  static void StrokePath(TCanvas& canvas, const QPainterPath& path, int style, TColorRef color,
                         double zoom, double widthPoints);

  // The stepping renderer for one path of a patterned style, pen width in pixels.
  // Points are device pixels; work is limited to what the painter can show.
  TLineRenderer(QPainter& painter, int style, const QColor& color, int penWidth);
  ~TLineRenderer();
  TLineRenderer(const TLineRenderer&) = delete;
  TLineRenderer& operator=(const TLineRenderer&) = delete;

  void MoveTo(QPoint point);
  // Steps every pixel from the current point to this one, leaving out this one.
  void LineTo(QPoint point);
  // Paints what has been collected so far.
  void Flush();

 private:
  // Consecutive square dots on one track (the path or its left copy) within a segment
  // merge into one turned rectangle, so that wide dashes cost one shape, not hundreds.
  struct TRun {
    bool Open = false;
    QPoint First;
    QPoint Last;
  };

  void StepPixel(int x, int y, int q);
  void SquareDot(TRun& run, bool on, int x, int y);
  void CloseRun(TRun& run);
  void WavePoint(int x, int y);
  void CloseWave();
  void CloseRuns();
  void AddRoundDot(int x, int y);
  void AddStar(int x, int y);
  void FlushIfFull();

  QPainter& painter_;
  int style_;
  QColor color_;
  int w_;
  int period_;
  std::int64_t counter_ = 0;
  double cos_ = 1.0;  // (cos, sin) of the segment's bearing points to the right of travel
  double sin_ = 0.0;
  QPoint current_;
  QRect reach_;  // pixels that can still show a dot: device bounds plus dot size
  TRun self_;
  TRun left_;
  QPolygonF wave_;   // dot centres of a wave or zigzag drawn so far without a break
  QPolygon pixels_;  // hairline dots
  QPainterPath squares_;
  QPainterPath rounds_;
  QPainterPath waves_;
  QPainterPath stars_;
  int pending_ = 0;
};
