// Mode 14: dragging one of the eight box handles of a selected object resizes the selection;
// the dotted boxes follow the pointer and the release commits.
#pragma once

#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"

class TResizingMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  void Enter() override;
  void Leave() override;
  QString UndoCaption() const override { return QStringLiteral("Adjust Size"); }
  bool Begin(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
  // Escape: the outlines go and nothing changes.
  bool Cancel() override;
  bool HoldsObjects() const override { return true; }
  void ObjectDestroyed(const CGPObject* object) override;

 private:
  void DrawPreview();
  void ErasePreview();

  TInvertedFigure preview_;
  CGPObject* grabbed_ = nullptr;  // not owned
  int handle_ = 0;
};
