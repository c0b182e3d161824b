// Paints a document: the window around the model, the model area with its colour or tiled
// background, frame and drop shadow, page lines, grid, the objects (arrows last) and the
// selection handles; and renders a whole model into a picture.
#pragma once

#include <QImage>
#include <QPainter>
#include <QSizeF>

#include "document/modeldocument.h"

class TCanvas;

class TModelPainter {
 public:
  static const QColor kWindowColor;  // RGB(215, 214, 255) around the model area

  explicit TModelPainter(TModelDocument& document) : document_(document) {}

  // Paints the whole client area into the target image (the window's back buffer, sized
  // to the client area in logical pixels, at any device pixel ratio). A full paint also
  // rebuilds the hit regions and draws the selection marks. Nested calls are ignored.
  void DrawScreen(QImage& target, bool fast);
  // The two halves of a full paint: the model with its objects (and the hit regions of the
  // objects), then the selection marks over it with their hit regions. When only the
  // selection changed, a window can keep the first half and paint the second again.
  void DrawModelLayer(QImage& target, bool fast);
  void DrawSelectionMarks(QImage& target);
  void PaintModelBackground(TCanvas& canvas);
  void DrawGridMark(TCanvas& canvas, double x, double y);
  // The topmost object of the last paint under a pixel of the window, or none.
  CGPObject* HitTest(QPoint pixel);
  // Draws every object, fitted with half an inch of margin and centred, into the image;
  // what the image holds already is the background.
  void RenderToBitmap(QImage& image);
  // The same on any device (a vector page, a printer), into a target of the size in pixels
  // of the given resolution.
  void RenderToDevice(QPainter& painter, QSize size, double dpiX, double dpiY);
  // Where RenderToDevice places the model in a target of that size: the offset and zoom the
  // objects are drawn with. False for a model without objects or an empty target.
  bool PictureFit(QSize size, double dpiX, double dpiY, double& offsetX, double& offsetY,
                  double& zoom) const;
  // The pixels regions are built for when a picture of that size is drawn.
  static QRect PictureRegionWindow(QSize size);
  // The union of the objects' screen boxes at 100 % with no offset, at the model's
  // resolution, so that a picture of the model frames it the same on every machine. False
  // for a model without objects.
  static bool ObjectsBox(const TModelDocument& d, TPixelRect& u);
  // The size in inches of what RenderToBitmap fits: the objects' box plus one inch; empty
  // for a model without objects.
  QSizeF ContentExtent() const;

 private:
  void DrawObjects(TCanvas& canvas, const TObjectList& objects, bool fast, double offsetX,
                   double offsetY, double zoom);

  TModelDocument& document_;
};
