#include "document/modelpainter.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "document/modelview.h"
#include "model/arrow.h"
#include "model/kindcast.h"
#include "platform/canvas.h"
#include "platform/measurecanvas.h"
#include "platform/rounding.h"

const QColor TModelPainter::kWindowColor(215, 214, 255);

namespace {

// How far beyond the target the regions objects draw with are built: wider than any frame
// or shadow drawn along a region's edge.
constexpr int kDrawMargin = 32;

// Clears the flag however the paint ends.
class TPaintingGuard {
 public:
  explicit TPaintingGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~TPaintingGuard() { flag_ = false; }

 private:
  bool& flag_;
};

}  // namespace

void TModelPainter::DrawObjects(TCanvas& canvas, const TObjectList& objects, bool fast,
                                double offsetX, double offsetY, double zoom)
{
  // Arrows are drawn after everything else so that they are never hidden.
  for (CGPObject* object : objects)
    if (!TKindCast::Arrow(object)) object->Draw(canvas, fast, offsetX, offsetY, zoom);
  for (CGPObject* object : objects)
    if (TKindCast::Arrow(object)) object->Draw(canvas, fast, offsetX, offsetY, zoom);
}

void TModelPainter::DrawScreen(QImage& target, bool fast)
{
  DrawModelLayer(target, fast);
  if (!fast) DrawSelectionMarks(target);
}

void TModelPainter::DrawModelLayer(QImage& target, bool fast)
{
  if (document_.Painting) return;
  TPaintingGuard guard(document_.Painting);
  TModelDocument& d = document_;
  QPainter painter(&target);
  TCanvas canvas(painter, d.ScreenDpiX, d.ScreenDpiY);
  const double offsetX = -d.ViewOrigin.X;
  const double offsetY = -d.ViewOrigin.Y;
  const TPixelRect client{0, 0, d.ClientSize.width(), d.ClientSize.height()};
  // Regions drawn with are needed only where they show; the margin keeps the edges where they
  // are cut out of sight.
  canvas.SetRegionWindow(
      client.ToQRect().adjusted(-kDrawMargin, -kDrawMargin, kDrawMargin, kDrawMargin));

  d.VisibleObjects.clear();
  for (CGPObject* object : d.Objects)
    if (object->GetScreenBox(canvas, offsetX, offsetY, d.Zoom).Normalized().Intersects(client))
      d.VisibleObjects.push_back(object);
  PaintModelBackground(canvas);
  if (!fast)
    d.ObjectRegion.Set(d.VisibleObjects, offsetX, offsetY, d.Zoom, d.ScreenDpiX, d.ScreenDpiY);
  DrawObjects(canvas, d.VisibleObjects, fast, offsetX, offsetY, d.Zoom);
}

void TModelPainter::DrawSelectionMarks(QImage& target)
{
  if (document_.Painting) return;
  TPaintingGuard guard(document_.Painting);
  TModelDocument& d = document_;
  QPainter painter(&target);
  TCanvas canvas(painter, d.ScreenDpiX, d.ScreenDpiY);
  // The hit region keeps each object's handle box; the shapes are the object's own.
  canvas.SetHandleRegionsWanted(false);
  d.HandleRegion.Clear();
  bool primary = true;
  for (CGPObject* object : d.VisibleObjects) {
    QRegion unused;
    object->DrawSelection(canvas, d.Mode, unused, primary, -d.ViewOrigin.X, -d.ViewOrigin.Y,
                          d.Zoom);
    if (!object->Selected) continue;
    QRect bounds;
    for (const THandleShape& handle : object->HandleRegions)
      bounds |= handle.boundingRect();
    if (!bounds.isEmpty()) d.HandleRegion.Add(object, bounds);
    primary = false;
  }
}

CGPObject* TModelPainter::HitTest(QPoint pixel)
{
  TModelDocument& d = document_;
  // The same test as the hover's, so that a click finds what the cursor showed.
  return TObjectHitRegion::ObjectAt(d.VisibleObjects, pixel, -d.ViewOrigin.X, -d.ViewOrigin.Y,
                                    d.Zoom, d.ScreenDpiX, d.ScreenDpiY);
}

void TModelPainter::PaintModelBackground(TCanvas& canvas)
{
  TModelDocument& d = document_;
  TModelView view(d);
  QPainter& painter = canvas.Painter();
  const int w = d.ClientSize.width();
  const int h = d.ClientSize.height();

  if (view.ScreenX(0) > 0 || view.ScreenY(0) > 0 || view.ScreenX(d.ModelWidth) < w ||
      view.ScreenY(d.ModelHeight) < h)
    painter.fillRect(QRect(0, 0, w, h), kWindowColor);

  TPixelRect r{std::max(view.ScreenX(0), 0), std::max(view.ScreenY(0), 0),
               std::min(view.ScreenX(d.ModelWidth), w), std::min(view.ScreenY(d.ModelHeight), h)};
  const QRect area(r.Left, r.Top, r.Right - r.Left + 1, r.Bottom - r.Top + 1);
  // A present picture with no pixels would tile forever; it counts as no picture.
  if (d.Background && !d.Background->IsEmpty()) {
    painter.save();
    painter.setClipRect(area);
    const int pw = d.Background->Width();
    const int ph = d.Background->Height();
    for (int x = r.Left; x < r.Right; x += pw)
      for (int y = r.Top; y < r.Bottom; y += ph)
        d.Background->Draw(painter, QRect(x, y, pw, ph));
    painter.restore();
  } else if (r.Right >= r.Left && r.Bottom >= r.Top) {
    painter.fillRect(area, ToQColor(d.ModelColor));
  }

  if (!(r == TPixelRect{0, 0, w, h})) {
    const TPixelRect frame{r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(frame.Left, frame.Top, frame.Width(), frame.Height()));
    painter.fillRect(QRect(frame.Left + 5, frame.Bottom + 1, frame.Right - frame.Left + 1, 5),
                     Qt::black);
    painter.fillRect(QRect(frame.Right + 1, frame.Top + 5, 5, frame.Bottom - frame.Top + 1),
                     Qt::black);
  }

  const double xr = view.ScreenX(d.ModelWidth) < w ? d.ModelWidth : view.ModelXAt(w);
  const double yb = view.ScreenY(d.ModelHeight) < h ? d.ModelHeight : view.ModelYAt(h);
  if (d.ShowPageLines && d.PageWidth > 0 && d.PageHeight > 0) {
    QPen pen(QColor(255, 0, 0), 1, Qt::CustomDashLine);
    pen.setDashPattern({1, 1});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double y0 = view.ScreenY(0) <= 0 ? d.ViewOrigin.Y : 0.0;
    double x = std::max(std::nearbyint(d.ViewOrigin.X / d.PageWidth) * d.PageWidth, d.PageWidth);
    // Bounded by the window: at most one line per pixel column, whatever the page size.
    for (int n = 0; x < xr && n <= w; x += d.PageWidth, ++n)
      painter.drawLine(view.ScreenX(x), view.ScreenY(y0), view.ScreenX(x), view.ScreenY(yb));
    const double x0 = view.ScreenX(0) <= 0 ? d.ViewOrigin.X : 0.0;
    double y = std::max(std::nearbyint(d.ViewOrigin.Y / d.PageHeight) * d.PageHeight, d.PageHeight);
    for (int n = 0; y < yb && n <= h; y += d.PageHeight, ++n)
      painter.drawLine(view.ScreenX(x0), view.ScreenY(y), view.ScreenX(xr), view.ScreenY(y));
  }

  if (d.ShowGrid && view.ModelToPixels(1) > 10) {
    painter.save();
    painter.setClipRect(area);
    for (double x = std::max(std::nearbyint(d.ViewOrigin.X), 0.0); x < xr; x += 1)
      for (double y = std::max(std::nearbyint(d.ViewOrigin.Y), 0.0); y < yb; y += 1)
        DrawGridMark(canvas, x, y);
    painter.restore();
  }
}

void TModelPainter::DrawGridMark(TCanvas& canvas, double x, double y)
{
  TModelView view(document_);
  QPainter& painter = canvas.Painter();
  painter.setPen(QPen(QColor(0, 0, 255), 0));
  painter.drawPoint(view.ScreenX(x), view.ScreenY(y));
  if (view.ModelToPixels(1) <= 30) return;
  static constexpr double kQuarterDots[][2] = {{0.25, 0}, {0.5, 0},   {0.75, 0}, {0, 0.25},
                                               {0, 0.5},  {0.5, 0.5}, {0, 0.75}};
  for (const auto& dot : kQuarterDots)
    painter.drawPoint(view.ScreenX(x + dot[0]), view.ScreenY(y + dot[1]));
}

bool TModelPainter::ObjectsBox(const TModelDocument& d, TPixelRect& u)
{
  TMeasureCanvas measure;
  bool first = true;
  for (CGPObject* object : d.Objects) {
    const TPixelRect box = object->GetScreenBox(measure.Canvas(), 0, 0, 100).Normalized();
    if (first) {
      u = box;
      first = false;
    } else {
      u = {std::min(u.Left, box.Left), std::min(u.Top, box.Top), std::max(u.Right, box.Right),
           std::max(u.Bottom, box.Bottom)};
    }
  }
  return !first;
}

QSizeF TModelPainter::ContentExtent() const
{
  TPixelRect u;
  if (!ObjectsBox(document_, u)) return QSizeF();
  return {u.Width() / kModelPixelsPerInch + 1.0, u.Height() / kModelPixelsPerInch + 1.0};
}

void TModelPainter::RenderToBitmap(QImage& image)
{
  if (image.isNull()) return;
  QPainter painter(&image);
  // A bitmap has no resolution of its own; the model's keeps previews and exported pictures
  // the same wherever they are made.
  RenderToDevice(painter, image.size(), kModelPixelsPerInch, kModelPixelsPerInch);
}

bool TModelPainter::PictureFit(QSize size, double dpiX, double dpiY, double& offsetX,
                               double& offsetY, double& zoom) const
{
  TPixelRect u;
  if (!ObjectsBox(document_, u) || size.isEmpty()) return false;
  const double ppiX = kModelPixelsPerInch;
  const double ppiY = kModelPixelsPerInch;
  // Extents in pixels at 100 %, with one inch of margin, scaled to the target's resolution.
  const double ew = (u.Width() + ppiX) / ppiX * dpiX;
  const double eh = (u.Height() + ppiY) / ppiY * dpiY;
  zoom = std::min(size.width() / ew * 100.0, size.height() / eh * 100.0);
  double left = u.Left / ppiX - 0.5;
  double top = u.Top / ppiY - 0.5;
  left -= (size.width() - zoom * ew / 100.0) / 2.0 / dpiX / zoom * 100.0;
  top -= (size.height() - zoom * eh / 100.0) / 2.0 / dpiY / zoom * 100.0;
  offsetX = -left;
  offsetY = -top;
  return true;
}

void TModelPainter::RenderToDevice(QPainter& painter, QSize size, double dpiX, double dpiY)
{
  double offsetX = 0.0;
  double offsetY = 0.0;
  double zoom = 100.0;
  if (!PictureFit(size, dpiX, dpiY, offsetX, offsetY, zoom)) return;
  TCanvas canvas(painter, dpiX, dpiY);
  canvas.SetRegionWindow(PictureRegionWindow(size));
  DrawObjects(canvas, document_.Objects, false, offsetX, offsetY, zoom);
}

QRect TModelPainter::PictureRegionWindow(QSize size)
{
  return QRect(QPoint(0, 0), size).adjusted(-kDrawMargin, -kDrawMargin, kDrawMargin, kDrawMargin);
}
