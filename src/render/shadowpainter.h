// Draws the grey shadows objects cast: the box shadow of plain rectangular objects and the
// outline shadow of shaped ones (soft rings under filled shapes, the grey line of unfilled
// ones). Shadows darken what lies below through the mask operation where the device has
// raster operations, and are painted plainly, as they would look over white, elsewhere.
//
// An unfilled object's text (and, for polygon objects, its number) casts a shadow too; the
// object draws that itself with the shadow direction before calling DrawOutlineShadow.
#pragma once

#include <QRegion>

#include "geometry/modelpoint.h"
#include "geometry/outline.h"
#include "platform/color.h"

class TCanvas;

class TShadowPainter {
 public:
  // Shadow codes 1 to 4 cast a shadow; 0 and codes past the table (damaged files) do not.
  static bool HasShadow(int shadow);
  // The shadow's displacement in model units: 5/24 inch with 3-D, 1/12 inch without, to
  // the right and down (1), left and down (2), left and up (3), right and up (4); (0, 0)
  // for codes that cast no shadow.
  static TModelPoint ShadowOffset(int shadow, int style3D);

  // The shadow of an unrotated width x height box about centre (model units).
  static void DrawBoxShadow(TCanvas& canvas, TModelPoint centre, double width, double height,
                            int shadow, int style3D, double offsetX, double offsetY, double zoom);
  // The shadow of an outline relative to centre, turned by angle. Filled objects cast soft
  // rings; unfilled ones the outline stroked in their line style and width, in grey.
  static void DrawOutlineShadow(TCanvas& canvas, const TOutline& outline, TModelPoint centre,
                                double angle, bool filled, int lineStyle, double lineWidth,
                                int shadow, int style3D, double offsetX, double offsetY,
                                double zoom);
  // Darkens a region with a colour through the mask operation (callouts cast their
  // shadow this way).
  static void MaskFillRegion(TCanvas& canvas, const QRegion& region, TColorRef color);
};
