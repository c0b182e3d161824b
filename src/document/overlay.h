// Feedback drawn over a painted model while the user drags: rubber bands, outlines and
// arrow paths with the inverting pen, and the freeform trail. Inverting drawings are kept
// in a mask, so drawing the same figure twice removes it exactly, as on a raster screen;
// the next paint of the model clears everything.
#pragma once

#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPolygon>
#include <QRect>
#include <functional>
#include <vector>

#include "geometry/modelpoint.h"
#include "geometry/outline.h"

class CGPObject;
class TCanvas;
class TModelDocument;

class TOverlay {
 public:
  // Starts an empty overlay for a drawing surface (logical pixels, device pixel ratio).
  void Reset(QSize size, qreal devicePixelRatio = 1.0);
  bool IsEmpty() const { return !inverted_ && trails_.empty() && leaders_.empty(); }
  // Counts the resets: a figure drawn before the last one is gone already and must not be
  // drawn again to erase it.
  int Generation() const { return generation_; }

  // Draws with the inverting pen set up on a canvas at the screen's resolution.
  void DrawInverting(double dpiX, double dpiY, const std::function<void(TCanvas&)>& draw);

  // The feedback figures, in window pixels or model units through the document's view.
  void RubberBox(QPoint a, QPoint b);
  void RubberLine(const TModelDocument& document, TModelPoint a, TModelPoint b);
  void OutlinePath(const TModelDocument& document, const TOutline& outline, TModelPoint at,
                   double angle);
  void BoxOutline(const TModelDocument& document, TModelPoint centre, double width, double height,
                  double angle);
  void ArrowPath(const TModelDocument& document, TModelPoint from, TModelPoint to,
                 double chordHeight);
  // The marks on an object's anchors where an arrow end can attach; drawn twice they go.
  void AnchorMarks(const TModelDocument& document, CGPObject& object);
  // Solid black, not inverting; it stays until the next paint.
  void FreeformTrail(const TModelDocument& document, const TOutline& outline);

  // The dotted lines joining an object to its text editor (window pixels); they replace the
  // previous ones and stay until the next paint.
  void SetLeaderLines(const std::vector<QLine>& lines) { leaders_ = lines; }
  const std::vector<QLine>& LeaderLines() const { return leaders_; }

  // The painted model with the feedback on top.
  QImage Apply(const QImage& base) const;
  // Draws the feedback over the model that the painter's device shows already; false when
  // the device cannot invert, and Apply must make the picture instead.
  bool PaintOver(QPainter& painter) const;
  const QImage& Mask() const { return mask_; }

 private:
  void DrawLeaders(QPainter& painter) const;

  QImage mask_;
  // The layer each inverting figure is drawn on before it inverts the mask.
  QImage layer_;
  bool inverted_ = false;
  int generation_ = 0;
  std::vector<QPolygon> trails_;
  std::vector<QLine> leaders_;
};
