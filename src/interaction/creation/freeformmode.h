// Mode 13: a free shape or a free-form cluster drawn by hand. Clicks add corners, dragging
// scribbles points; closing the figure near its first point makes a filled shape, a right
// click an open line.
#pragma once

#include "geometry/outline.h"
#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"

class TFreeformMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  // Pixels within which a release closes the figure on its first point, in x and in y.
  static constexpr int kCloseDistance = 9;
  // The fewest points of a figure: a closed shape needs a triangle, an open one a line.
  static constexpr int kClosedPoints = 3;
  static constexpr int kOpenPoints = 2;

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  void Leave() override;
  QString UndoCaption() const override { return QStringLiteral("Create Shapes"); }
  void MouseDown(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;

 private:
  // Adds a point at the end of the figure; false when it repeats the last one.
  bool AppendPoint(TModelPoint p);
  bool NearFirstPoint(TModelPoint p) const;
  void DrawRubberLine();
  // The figure's line so far (or its newest piece), drawn until the next paint.
  void DrawTrail(bool whole);
  void Finish(bool closed);

  TOutline newOutline_;
  TModelPoint lastVertex_;
  int vertexCount_ = 0;
  TInvertedFigure rubber_;
  bool pressed_ = false;  // a press in this mode began the gesture
  bool dragged_ = false;  // and the pointer went beyond a click's wiggle since
};
