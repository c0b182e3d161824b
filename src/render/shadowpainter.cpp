#include "render/shadowpainter.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

#include "geometry/geometry.h"
#include "platform/canvas.h"
#include "platform/pixelrect.h"
#include "platform/rounding.h"
#include "render/displaycolor.h"
#include "render/extrusionpainter.h"
#include "render/linerenderer.h"

namespace {

constexpr double kOffsetWith3D = 5.0 / 24.0;
constexpr double kOffsetFlat = 1.0 / 12.0;

// Indexed by Shadow - 1: the signs of the displacement.
constexpr std::array<std::pair<int, int>, 4> kDirections = {{{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}};

// Puts the canvas into mask mode for its lifetime and restores the previous mode after.
// Without raster operations the greys are painted as they would come out over white:
// every grey ANDed with all that were painted before it in this mode.
class TMaskMode {
 public:
  explicit TMaskMode(TCanvas& canvas)
      : canvas_(canvas),
        previous_(canvas.Painter().compositionMode()),
        masking_(canvas.SupportsRasterOps())
  {
    canvas_.SetMasking(true);
  }
  ~TMaskMode() { canvas_.Painter().setCompositionMode(previous_); }
  TMaskMode(const TMaskMode&) = delete;
  TMaskMode& operator=(const TMaskMode&) = delete;

  TColorRef Colour(TColorRef grey)
  {
    if (masking_) return grey;
    combined_ &= grey;
    return combined_;
  }

 private:
  TCanvas& canvas_;
  QPainter::CompositionMode previous_;
  bool masking_;
  TColorRef combined_ = colors::White;
};

}  // namespace

bool TShadowPainter::HasShadow(int shadow)
{
  return shadow >= 1 && shadow <= static_cast<int>(kDirections.size());
}

TModelPoint TShadowPainter::ShadowOffset(int shadow, int style3D)
{
  if (!HasShadow(shadow)) return {};
  const double s = TExtrusionPainter::Has3D(style3D) ? kOffsetWith3D : kOffsetFlat;
  const auto [sx, sy] = kDirections[static_cast<std::size_t>(shadow - 1)];
  return {sx * s, sy * s};
}

void TShadowPainter::DrawBoxShadow(TCanvas& canvas, TModelPoint centre, double width, double height,
                                   int shadow, int style3D, double offsetX, double offsetY,
                                   double zoom)
{
  if (!HasShadow(shadow)) return;
  const TModelPoint d = ShadowOffset(shadow, style3D);
  const double x = centre.X + d.X;
  const double y = centre.Y + d.Y;
  const QPoint topLeft = canvas.ToPixel(x - width / 2.0, y - height / 2.0, offsetX, offsetY, zoom);
  const QPoint bottomRight =
      canvas.ToPixel(x + width / 2.0, y + height / 2.0, offsetX, offsetY, zoom);
  TMaskMode mask(canvas);
  const TPixelRect box =
      TPixelRect{topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y()}.Normalized();
  canvas.Painter().fillRect(box.ToQRect(), DisplayColor(mask.Colour(colors::ShadowGrey)));
}

void TShadowPainter::DrawOutlineShadow(TCanvas& canvas, const TOutline& outline, TModelPoint centre,
                                       double angle, bool filled, int lineStyle, double lineWidth,
                                       int shadow, int style3D, double offsetX, double offsetY,
                                       double zoom)
{
  if (!HasShadow(shadow) || outline.empty()) return;
  const TModelPoint d = ShadowOffset(shadow, style3D);
  const TModelPoint displaced{centre.X + d.X, centre.Y + d.Y};
  TMaskMode mask(canvas);
  if (!filled) {
    TLineRenderer::StrokePath(
        canvas, OutlinePath(canvas, outline, angle, zoom, offsetX, offsetY, displaced), lineStyle,
        mask.Colour(colors::ShadowGrey), zoom, lineWidth);
    return;
  }
  // Rings from 110 % down to the outline's own size, lighter outside: combined by the
  // mask they give the shadow a soft edge.
  for (int n = 110; n >= 100; n -= 2) {
    TOutline ring;
    CopyOutline(outline, ring);
    ScaleOutline(ring, n / 100.0, n / 100.0);
    const int g = 227 + RoundHalfEven((n - 100) * 2.8);
    const QPainterPath path = OutlinePath(canvas, ring, angle, zoom, offsetX, offsetY, displaced);
    canvas.Painter().fillPath(path, DisplayColor(mask.Colour(MakeColorRef(g, g, g))));
  }
}

void TShadowPainter::MaskFillRegion(TCanvas& canvas, const QRegion& region, TColorRef color)
{
  if (region.isEmpty()) return;
  TMaskMode mask(canvas);
  const QColor qcolor = DisplayColor(mask.Colour(color));
  for (const QRect& rect : region)
    canvas.Painter().fillRect(rect, qcolor);
}
