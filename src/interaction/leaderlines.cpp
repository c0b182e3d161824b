#include "interaction/leaderlines.h"

#include <array>

#include "document/modeldocument.h"
#include "geometry/geometry.h"
#include "model/arrow.h"
#include "model/shapes/label.h"
#include "platform/rounding.h"

namespace {

QPoint ToPixel(const TModelDocument& document, TModelPoint p)
{
  const double scale = document.Zoom / 100.0;
  return QPoint(RoundHalfEven((p.X - document.ViewOrigin.X) * document.ScreenDpiX * scale),
                RoundHalfEven((p.Y - document.ViewOrigin.Y) * document.ScreenDpiY * scale));
}

std::array<TModelPoint, 4> Corners(const CGPObject& object)
{
  if (auto* arrow = dynamic_cast<const TArrow*>(&object))
    return {arrow->Start(), arrow->End(), arrow->End(), arrow->Start()};
  const double angle = object.ObjectAngle();
  const TModelPoint t = RotateOffset(object.Centre(), object.TextOffsetX * object.Width,
                                     object.TextOffsetY * object.Height, angle);
  const double hw = object.Width * object.TextWidth / 2.0;
  const double hh = object.Height * object.TextHeight / 2.0;
  return {RotateOffset(t, -hw, -hh, angle), RotateOffset(t, hw, -hh, angle),
          RotateOffset(t, hw, hh, angle), RotateOffset(t, -hw, hh, angle)};
}

}  // namespace

std::vector<QLine> LeaderLines(const TModelDocument& document, const CGPObject& object,
                               QRect editor)
{
  const std::array<TModelPoint, 4> corners = Corners(object);
  std::array<QPoint, 4> c;
  for (int i = 0; i < 4; ++i)
    c[i] = ToPixel(document, corners[i]);
  const QPoint e1 = editor.topLeft();
  const std::array<QPoint, 4> e = {e1, e1 + QPoint(editor.width(), 0),
                                   e1 + QPoint(editor.width(), editor.height()),
                                   e1 + QPoint(0, editor.height())};
  std::vector<QLine> lines;
  for (int i = 0; i < 4; ++i)
    lines.emplace_back(c[i], e[i]);
  if (dynamic_cast<const TLabel*>(&object))
    for (int i = 0; i < 4; ++i)
      lines.emplace_back(c[i], c[(i + 1) % 4]);
  return lines;
}
