// Mode 20: dragging the special handle of a selected object: a callout's pointer tip or a
// cluster's text box. The preview follows the pointer and the release commits.
#pragma once

#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"

class TAdjustSpecialMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  void Enter() override;
  void Leave() override;
  QString UndoCaption() const override { return QStringLiteral("Adjust Special"); }
  bool Begin(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
  // Escape: the outlines go and nothing changes.
  bool Cancel() override;
  bool HoldsObjects() const override { return true; }
  void ObjectDestroyed(const CGPObject* object) override;

 private:
  bool IsCluster() const;
  void DrawPreview();
  void ErasePreview();

  TInvertedFigure preview_;
  CGPObject* object_ = nullptr;  // not owned
};
