// Mode 5: the outline of the next shape follows the pointer, snapped to the grid and to the
// vertices of other shapes, and every left click puts a shape of the prepared kind, variant
// and size there, until a right click.
#pragma once

#include "geometry/outline.h"
#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"
#include "model/outlines/vertexindex.h"

class TPlaceShapeMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  void Leave() override;
  QString UndoCaption() const override { return QStringLiteral("Create Shapes"); }
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
  void RefreshOverlay() override;
  void ObjectDestroyed(const CGPObject* object) override;

  // Where the next shape goes.
  TModelPoint PlacePoint() const { return placePoint_; }

 private:
  void DrawOutline();
  // The shape snapped onto the nearest vertex of another shape, if one is close.
  void SnapToShapes();
  void CreateShape();

  TOutline newOutline_;
  TModelPoint placePoint_;
  TInvertedFigure outline_;
  // The vertices of the model's shapes, filed when snapping first needs them and kept up to
  // date with each shape placed; an object destroyed meanwhile makes them be filed afresh.
  TVertexIndex vertices_;
  bool verticesFiled_ = false;
};
