// Mode 8: free rotation. A press on a handle of a turnable object in rotate-ready mode turns
// the selection about the centre taken when that mode began, by the angle the pointer has
// swept round it; outlines preview the turn and the release commits it.
#pragma once

#include <optional>

#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"

class TRotatingMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  void Leave() override;
  QString UndoCaption() const override { return QStringLiteral("Rotate Cogis"); }
  // Entered directly from rotate-ready mode, without the switch's entry actions.
  bool Begin(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
  // Escape: the outlines go and nothing changes.
  bool Cancel() override;
  bool HoldsObjects() const override { return true; }
  void ObjectDestroyed(const CGPObject* object) override;

  // The whole degrees swept since the press.
  int SweptAngle() const;

 private:
  // Follows the pointer round the centre; a pointer on the centre has no bearing and the
  // angle stays as it was rather than jumping.
  void TrackPointer();
  void DrawPreview();
  void ErasePreview();

  TInvertedFigure preview_;
  std::optional<double> startAngle_;  // none while the pointer has not left the centre
  double angle_ = 0.0;
};
