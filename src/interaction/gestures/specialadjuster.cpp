#include "interaction/gestures/specialadjuster.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>

#include "document/modeldocument.h"
#include "document/overlay.h"
#include "geometry/geometry.h"
#include "model/cluster.h"
#include "model/shapes/balloon.h"
#include "platform/canvas.h"

bool TSpecialAdjuster::HasSpecial(const CGPObject& object)
{
  return dynamic_cast<const TBalloon*>(&object) || dynamic_cast<const TCluster*>(&object);
}

TModelPoint TSpecialAdjuster::TextOffsetsFor(const CGPObject& object, TModelPoint p)
{
  const TModelPoint o = RotateOffset({0, 0}, p.X - object.X, p.Y - object.Y, -object.ObjectAngle());
  TModelPoint offsets{object.TextOffsetX, object.TextOffsetY};
  const double x = o.X / object.Width + object.TextWidth / 2.0;
  const double y = o.Y / object.Height + object.TextHeight / 2.0;
  if (std::isfinite(x)) offsets.X = x;
  if (std::isfinite(y)) offsets.Y = y;
  return offsets;
}

void TSpecialAdjuster::DrawPreview(CGPObject& object, TModelPoint p, const TModelDocument& document,
                                   TOverlay& overlay)
{
  const double offsetX = -document.ViewOrigin.X;
  const double offsetY = -document.ViewOrigin.Y;
  const double zoom = document.Zoom;
  if (const auto* balloon = dynamic_cast<const TBalloon*>(&object)) {
    overlay.DrawInverting(document.ScreenDpiX, document.ScreenDpiY, [&](TCanvas& canvas) {
      balloon->DrawTipOutline(canvas, p, offsetX, offsetY, zoom);
    });
    return;
  }
  if (!dynamic_cast<const TCluster*>(&object)) return;
  const TModelPoint offsets = TextOffsetsFor(object, p);
  const double angle = object.ObjectAngle();
  const TModelPoint centre =
      RotateOffset(object.Centre(), offsets.X * object.Width, offsets.Y * object.Height, angle);
  const double w = object.TextWidth * object.Width / 2.0;
  const double h = object.TextHeight * object.Height / 2.0;
  overlay.DrawInverting(document.ScreenDpiX, document.ScreenDpiY, [&](TCanvas& canvas) {
    QPolygon corners;
    for (const auto& [dx, dy] : {std::pair{-w, -h}, {w, -h}, {w, h}, {-w, h}}) {
      const TModelPoint c = RotateOffset(centre, dx, dy, angle);
      corners << canvas.ToPixel(c.X, c.Y, offsetX, offsetY, zoom);
    }
    QPen dotted(Qt::black, 1, Qt::CustomDashLine);
    dotted.setDashPattern({1, 1});
    canvas.Painter().setPen(dotted);
    canvas.Painter().drawPolygon(corners);
  });
}

bool TSpecialAdjuster::AdjustSpecial(TModelDocument& document, CGPObject& object, TModelPoint p)
{
  if (auto* balloon = dynamic_cast<TBalloon*>(&object)) {
    if (balloon->Tip() == p) return false;
    balloon->MoveTip(p);
    balloon->Recalculate(&document.Objects, false);
    return true;
  }
  if (!dynamic_cast<TCluster*>(&object)) return false;
  const TModelPoint offsets = TextOffsetsFor(object, p);
  if (offsets.X == object.TextOffsetX && offsets.Y == object.TextOffsetY) return false;
  object.TextOffsetX = offsets.X;
  object.TextOffsetY = offsets.Y;
  // The text is laid out again for its new box, so that nothing kept from the old one is
  // drawn; the cluster keeps the box it was given.
  object.Recalculate(&document.Objects, true);
  return true;
}
