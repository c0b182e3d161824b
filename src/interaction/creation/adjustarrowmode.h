// Mode 16: a handle of a selected arrow dragged: the start or the end onto another object or
// anchor, or the bend handle, which bends the arrow through the pointer. It lasts from the
// press on the handle to the release.
#pragma once

#include "interaction/creation/anchormarks.h"
#include "interaction/creation/arrowworking.h"
#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"

class TArrow;

class TAdjustArrowMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  // The handles of an arrow.
  static constexpr int kStartHandle = 1;
  static constexpr int kBendHandle = 2;
  static constexpr int kEndHandle = 3;

  void Leave() override;
  QString UndoCaption() const override { return QStringLiteral("Adjust Arrow"); }
  // A press on a handle of the active arrow; the mode is entered here, without a switch.
  bool Begin(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
  void RefreshOverlay() override;
  void ObjectDestroyed(const CGPObject* object) override;

  const TArrowWorking& Working() const { return working_; }

 private:
  // The dragged end or the bend, from the pointer; first: the press that began the drag.
  void Track(const TPointerInput& input, bool first);
  // The dragged end on whatever lies under the pointer.
  void TrackEnd(bool start, bool snap);
  void DrawPreview();
  void Commit();

  TArrow* arrow_ = nullptr;  // not owned
  int handle_ = 0;
  int cursor_ = crDrawArrow;  // what the dragged end's target shows
  TArrowWorking working_;
  TAnchorMarks marks_;
  TInvertedFigure preview_;
};
