// Mode 19: each box dragged makes a cluster whose outline fits the box, put underneath every
// other object, until a right click.
#pragma once

#include "geometry/outline.h"
#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"

class TClusterMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  void Leave() override;
  QString UndoCaption() const override { return QStringLiteral("Create Clusters"); }
  void MouseDown(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;

 private:
  // The outline for the dragged box, drawn about the box's middle.
  void DrawOutline();
  void CreateCluster();

  TOutline newOutline_;
  TInvertedFigure outline_;
  bool pressed_ = false;  // a press in this mode began the drag
};
