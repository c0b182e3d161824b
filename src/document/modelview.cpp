#include "document/modelview.h"

#include <algorithm>
#include <cmath>

#include "document/documentobserver.h"
#include "geometry/geometry.h"
#include "platform/asyncinput.h"
#include "platform/rounding.h"

double TModelView::PixelsToModelX(double n) const
{
  return n / document_.ScreenDpiX * 100.0 / document_.Zoom;
}

double TModelView::PixelsToModelY(double n) const
{
  return n / document_.ScreenDpiY * 100.0 / document_.Zoom;
}

double TModelView::ModelXAt(double px) const
{
  return PixelsToModelX(px) + document_.ViewOrigin.X;
}

double TModelView::ModelYAt(double py) const
{
  return PixelsToModelY(py) + document_.ViewOrigin.Y;
}

int TModelView::ModelToPixels(double length) const
{
  return RoundHalfEven(length * document_.Zoom / 100.0 * document_.ScreenDpiX);
}

int TModelView::ScreenX(double x) const
{
  return RoundHalfEven((x - document_.ViewOrigin.X) * document_.Zoom / 100.0 *
                       document_.ScreenDpiX);
}

int TModelView::ScreenY(double y) const
{
  return RoundHalfEven((y - document_.ViewOrigin.Y) * document_.Zoom / 100.0 *
                       document_.ScreenDpiY);
}

double TModelView::HalfWidth() const
{
  return PixelsToModelX(Width() / 2);
}

double TModelView::HalfHeight() const
{
  return PixelsToModelY(Height() / 2);
}

TViewRect TModelView::ViewRect() const
{
  return {document_.ViewOrigin, {ModelXAt(Width()), ModelYAt(Height())}};
}

void TModelView::FullRepaint()
{
  if (IDocumentObserver* observer = document_.Observer()) observer->PaintNow(false);
}

// ---- Zoom ---------------------------------------------------------------------------------

double TModelView::WholeModelZoom() const
{
  const double zx =
      std::max(1.0, Width() / ((document_.ModelWidth + 1.0) * document_.ScreenDpiX) * 100.0);
  const double zy =
      std::max(1.0, Height() / ((document_.ModelHeight + 1.0) * document_.ScreenDpiY) * 100.0);
  return std::min(zx, zy);
}

void TModelView::ShowWholeModel()
{
  document_.Zoom = WholeModelZoom();
  document_.ViewOrigin.X = (document_.ModelWidth - PixelsToModelX(Width())) / 2.0;
  document_.ViewOrigin.Y = (document_.ModelHeight - PixelsToModelY(Height())) / 2.0;
  FullRepaint();
}

void TModelView::SetView(bool redraw, double zoom, double a, double b, double c, double d)
{
  double compared = zoom;
  if (zoom == 0.0) {
    // A degenerate rectangle asks for an unbounded zoom, which the cap turns into 400 %.
    const double w = c - a;
    const double h = d - b;
    const double zx = w > 0 ? Width() / document_.ScreenDpiX / w * 100.0 : kMaxZoom;
    const double zy = h > 0 ? Height() / document_.ScreenDpiY / h * 100.0 : kMaxZoom;
    document_.Zoom = std::min({zx, zy, kMaxZoom});
    document_.ViewOrigin.X = a + w / 2.0 - HalfWidth();
    document_.ViewOrigin.Y = b + h / 2.0 - HalfHeight();
    compared = document_.Zoom;
  } else if (zoom > WholeModelZoom() && zoom <= kMaxZoom) {
    TModelPoint centre{a, b};
    if (a == 0.0 && b == 0.0)
      centre = {document_.ViewOrigin.X + HalfWidth(), document_.ViewOrigin.Y + HalfHeight()};
    document_.Zoom = zoom;
    document_.ViewOrigin = {centre.X - HalfWidth(), centre.Y - HalfHeight()};
  }
  if (WholeModelZoom() >= compared)
    ShowWholeModel();
  else if (redraw)
    FullRepaint();
}

void TModelView::AnimateZoomTo(double left, double top, double right, double bottom,
                               IAsyncInput* input)
{
  const TViewRect from = ViewRect();
  const int frames = std::max(1, document_.ZoomFrames);
  IDocumentObserver* observer = document_.Observer();
  for (int i = 1; i <= frames; ++i) {
    if (input && input->CancelRequested()) break;
    const double f = static_cast<double>(i) / frames;
    SetView(false, 0, from.TopLeft.X + f * (left - from.TopLeft.X),
            from.TopLeft.Y + f * (top - from.TopLeft.Y),
            from.BottomRight.X + f * (right - from.BottomRight.X),
            from.BottomRight.Y + f * (bottom - from.BottomRight.Y));
    if (observer) observer->PaintNow(true);
  }
  FullRepaint();
}

void TModelView::PushView()
{
  document_.ViewStack.push_back(ViewRect());
}

void TModelView::ZoomBack(IAsyncInput* input)
{
  if (document_.ViewStack.empty()) {
    if (IDocumentObserver* observer = document_.Observer())
      observer->ReportError(QStringLiteral("error"));
    return;
  }
  const TViewRect target = document_.ViewStack.back();
  document_.ViewStack.pop_back();
  AnimateZoomTo(target.TopLeft.X, target.TopLeft.Y, target.BottomRight.X, target.BottomRight.Y,
                input);
}

void TModelView::ZoomStep(bool in)
{
  double step = document_.Zoom * 0.1;
  if (!(step > 0)) step = 0.1;
  SetView(true, in ? document_.Zoom + step : document_.Zoom - step, 0, 0, 0, 0);
}

void TModelView::WholeModelCommand()
{
  if (document_.Zoom != WholeModelZoom()) PushView();
  ShowWholeModel();
}

// ---- Main view ----------------------------------------------------------------------------

bool TModelView::HasMainView() const
{
  return document_.MainViewTopLeft.X != document_.MainViewBottomRight.X &&
         document_.MainViewTopLeft.Y != document_.MainViewBottomRight.Y;
}

void TModelView::SetMainViewToCurrent()
{
  document_.MainViewTopLeft = document_.ViewOrigin;
  document_.MainViewBottomRight = {ModelXAt(Width()), ModelYAt(Height())};
  document_.ChangePending = true;
  document_.RecordUndo(QStringLiteral("Set Main View"));
}

void TModelView::ToMainView()
{
  if (!HasMainView()) {
    if (IDocumentObserver* observer = document_.Observer()) observer->ReportError(QString());
    return;
  }
  SetView(true, 0, document_.MainViewTopLeft.X, document_.MainViewTopLeft.Y,
          document_.MainViewBottomRight.X, document_.MainViewBottomRight.Y);
}

// ---- Moving -------------------------------------------------------------------------------

void TModelView::PanBy(double dx, double dy)
{
  document_.ViewOrigin.X += dx;
  document_.ViewOrigin.Y += dy;
}

bool TModelView::MoveByKey(int qtKey, bool control)
{
  const double step = control ? 5.0 : 1.0;
  TModelPoint& origin = document_.ViewOrigin;
  switch (qtKey) {
    case Qt::Key_Left:
      origin.X -= step;
      break;
    case Qt::Key_Right:
      origin.X += step;
      break;
    case Qt::Key_Up:
      origin.Y -= step;
      break;
    case Qt::Key_Down:
      origin.Y += step;
      break;
    case Qt::Key_PageUp:
      origin.Y -= PixelsToModelY(Height());
      break;
    case Qt::Key_PageDown:
      origin.Y += PixelsToModelY(Height());
      break;
    case Qt::Key_Home:
      origin = {0, 0};
      break;
    case Qt::Key_End:
      origin = {document_.ModelWidth - PixelsToModelX(Width()),
                document_.ModelHeight - PixelsToModelY(Height())};
      break;
    default:
      return false;
  }
  return true;
}

bool TModelView::AutoScrollStep(QPoint pixel)
{
  const QRect inner(QPoint(10, 10), QPoint(Width() - 10 - 1, Height() - 10 - 1));
  if (inner.contains(pixel)) return false;
  const TModelPoint centre{static_cast<double>(Width() / 2), static_cast<double>(Height() / 2)};
  const double bearing =
      Bearing(centre, {static_cast<double>(pixel.x()), static_cast<double>(pixel.y())});
  if (bearing < 0) return false;
  const double radians = bearing * 3.14159265358979323846 / 180.0;
  PanBy(PixelsToModelX(10.0 * std::sin(radians)), PixelsToModelY(-10.0 * std::cos(radians)));
  if (IDocumentObserver* observer = document_.Observer()) observer->PaintNow(true);
  return true;
}
