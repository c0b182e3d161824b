// The rotation layer: a rotated rectangle, and the place where every drawing, region and
// handle operation of the shapes above it honours the object's Angle.
#pragma once

#include <QPainterPath>
#include <cstdint>

#include "geometry/outline.h"
#include "model/layers/gateway.h"

class TAngled : public TGateway {
 public:
  TAngled() = default;

  std::int32_t Angle = 0;  // whole degrees, clockwise on the screen

  double ObjectAngle() const override { return Angle; }

  void Draw(TCanvas& canvas, bool fast, double offsetX, double offsetY, double zoom) override;
  void DrawShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void Draw3D(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void DrawSelection(TCanvas& canvas, int mode, QRegion& handleRegion, bool primary, double offsetX,
                     double offsetY, double zoom) override;
  QRegion CreateRegion(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  // The pixel area that hits the object, as a path; CreateRegion is its region.
  virtual QPainterPath HitPath(const TCanvas& canvas, double offsetX, double offsetY,
                               double zoom) const;
  // The hit region limited to a rectangle: a huge shape costs no more than the rectangle.
  QRegion ClippedRegion(const TCanvas& canvas, const QRect& clip, double offsetX, double offsetY,
                        double zoom) const;
  TPixelRect GetScreenBox(const TCanvas& canvas, double offsetX, double offsetY,
                          double zoom) const override;
  void DrawOutline(TCanvas& canvas, double extraAngle, double x, double y, double offsetX,
                   double offsetY, double zoom) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  // The shape in pixels, turned by angle and centred on centre.
  virtual QPainterPath ShapePath(const TCanvas& canvas, double angle, TModelPoint centre,
                                 double offsetX, double offsetY, double zoom) const;
  // The unrotated shape the shadow and the side faces of the extrusion are built from.
  virtual TOutline BodyOutline() const { return BoxOutline(Width, Height); }

  // The one place where shapes cast their shadow: filled, or only the line when clear.
  void DrawShapeShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom);
  // The one place where shapes draw their 3-D side faces.
  void ExtrudeOutline(TCanvas& canvas, const TOutline& outline, double offsetX, double offsetY,
                      double zoom) const;
  // The shape filled, then stroked unless it is extruded or has no line.
  void DrawShapeBody(TCanvas& canvas, const QPainterPath& path, double zoom);
};
