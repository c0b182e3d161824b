// The view of a document: conversions between model units and window pixels, zooming,
// the zoom-back stack, the main view and every way the view moves.
#pragma once

#include "document/modeldocument.h"

class IAsyncInput;

class TModelView {
 public:
  static constexpr double kMaxZoom = 400.0;

  explicit TModelView(TModelDocument& document) : document_(document) {}

  // ---- Conversions (pixels of the drawing surface at the screen's resolution)
  double PixelsToModelX(double n) const;
  double PixelsToModelY(double n) const;
  double PixelsToModel(double n) const { return PixelsToModelX(n); }
  double ModelXAt(double px) const;
  double ModelYAt(double py) const;
  int ModelToPixels(double length) const;
  int ScreenX(double x) const;
  int ScreenY(double y) const;
  double HalfWidth() const;
  double HalfHeight() const;
  TViewRect ViewRect() const;

  // ---- Zoom
  double WholeModelZoom() const;
  void ShowWholeModel();
  // zoom 0: fit the rectangle (a, b)-(c, d); otherwise zoom about the centre (a, b), or the
  // current centre when both are 0.
  void SetView(bool redraw, double zoom, double a, double b, double c, double d);
  void AnimateZoomTo(double left, double top, double right, double bottom,
                     IAsyncInput* input = nullptr);
  void PushView();
  void ZoomBack(IAsyncInput* input = nullptr);
  // The zoom step of the +, = and - keys and the quick-zoom button.
  void ZoomStep(bool in);
  void WholeModelCommand();

  // ---- Main view
  bool HasMainView() const;
  void SetMainViewToCurrent();
  void ToMainView();

  // ---- Moving
  void PanBy(double dx, double dy);
  // The view keys: arrows (5 inches with Ctrl), Page Up/Down, Home, End. Returns false for
  // any other key. The caller repaints, once for all the keys held together.
  bool MoveByKey(int qtKey, bool control);
  // One step of the scrolling of a drag whose pointer lies in the 10-pixel border of the
  // window: the view moves 10 pixels towards the pointer. The caller repeats it on a timer
  // while the button stays held there. True when the view moved.
  bool AutoScrollStep(QPoint pixel);

 private:
  int Width() const { return document_.ClientSize.width(); }
  int Height() const { return document_.ClientSize.height(); }
  void FullRepaint();

  TModelDocument& document_;
};
