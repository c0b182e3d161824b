// The polygon layer: a closed outline of cubic segments replaces the rectangle, and shapes
// can snap onto each other's vertices.
#pragma once

#include <optional>

#include "geometry/outline.h"
#include "model/layers/angled.h"

class TPointed : public TAngled {
 public:
  TPointed() = default;

  TOutline Outline;  // relative to the centre, unrotated, built for Width x Height

  void DrawShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void Draw3D(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  QRegion CreateRegion(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  QPainterPath HitPath(const TCanvas& canvas, double offsetX, double offsetY,
                       double zoom) const override;
  TPixelRect RegionBox(const TCanvas& canvas, double offsetX, double offsetY,
                       double zoom) const override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

  // Centres the object on the box of its outline's points and takes that box's size; the
  // outline becomes relative to the new centre and the shape stays where it was drawn.
  void FitToVertices();

  // Snap distance of vertex snapping, in inches: pairs closer than this snap.
  static constexpr double kSnapDistance = 0.51;
  // The position that puts a vertex of the moving outline (turned by angle, centred on point)
  // exactly onto the nearest vertex of one of the objects, or none when no pair is close.
  // The caller leaves out the moving object and anything moving with it.
  static std::optional<TModelPoint> SnapOutline(const TOutline& moving, double angle,
                                                TModelPoint point, const TObjectList& objects);

 protected:
  QPainterPath ShapePath(const TCanvas& canvas, double angle, TModelPoint centre, double offsetX,
                         double offsetY, double zoom) const override;
  TOutline BodyOutline() const override { return Outline; }
};
