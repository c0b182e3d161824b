// A drawing surface for object code: a painter on any paint device (window image, QImage,
// PDF page, printer) together with that device's own resolution and the model-to-pixel rule.
#pragma once

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <memory>

#include "platform/pixelregion.h"

class TMarkStamps;

class TCanvas {
 public:
  // Uses the resolution the painter's device reports for itself.
  explicit TCanvas(QPainter& painter);
  // Uses an explicit resolution, for devices drawn at a scale (high-DPI back buffers).
  TCanvas(QPainter& painter, double dpiX, double dpiY);

  QPainter& Painter() const { return *painter_; }
  double DpiX() const { return dpiX_; }
  double DpiY() const { return dpiY_; }

  // pixel = Round((model + offset) x DPI x Zoom / 100), ties to even.
  int ToPixelX(double x, double offsetX, double zoom) const;
  int ToPixelY(double y, double offsetY, double zoom) const;
  QPoint ToPixel(double x, double y, double offsetX, double offsetY, double zoom) const;
  // Pixels per model unit at a zoom.
  double ScaleX(double zoom) const { return dpiX_ * zoom / 100.0; }
  double ScaleY(double zoom) const { return dpiY_ * zoom / 100.0; }

  // Raster operations need a pixel device; vector devices (PDF, SVG) draw plainly instead.
  bool SupportsRasterOps() const;
  // Not-XOR pen and brush mode: drawing the same figure twice restores the pixels.
  void SetInverting(bool on);
  // Mask mode: the destination is ANDed with the colour, so greys darken what lies below.
  void SetMasking(bool on);
  // The drawing goes onto a layer that its owner inverts the destination with afterwards
  // (the raster engine's own inverting mode is slow): inverting then draws plainly.
  void SetDeferredInverting(bool on) { deferredInverting_ = on; }

  // Set while a print job draws, for the few primitives that behave differently on paper.
  bool Printing() const { return printing_; }
  void SetPrinting(bool on) { printing_ = on; }

  // Set while several threads draw the same model at once, each its own part of a picture:
  // objects then only read themselves and the model, using what was prepared beforehand.
  bool SharedDrawing() const { return sharedDrawing_; }
  void SetSharedDrawing(bool on) { sharedDrawing_ = on; }

  // The pixels that regions built for this canvas are wanted for: objects build their regions
  // only there, so that a shape reaching far off costs no more than the part looked at (a
  // window for painting, a pixel for a hit test). By default all that regions can reach.
  const QRect& RegionWindow() const { return regionWindow_; }
  void SetRegionWindow(const QRect& window) { regionWindow_ = window; }

  // Selection marks drawn through this canvas; their pictures are kept for the canvas's life.
  TMarkStamps& Marks();
  // Whether selection handles add their shapes to the region handed to them. A painter that
  // reads the objects' own handle shapes afterwards switches it off: uniting thousands of
  // small regions costs more than drawing the marks.
  bool HandleRegionsWanted() const { return handleRegionsWanted_; }
  void SetHandleRegionsWanted(bool on) { handleRegionsWanted_ = on; }

 private:
  QPainter* painter_;
  double dpiX_;
  double dpiY_;
  bool printing_ = false;
  QRect regionWindow_ = RegionReach();
  bool deferredInverting_ = false;
  std::shared_ptr<TMarkStamps> marks_;
  bool handleRegionsWanted_ = true;
  bool sharedDrawing_ = false;
};
