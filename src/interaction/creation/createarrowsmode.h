// Mode 15: each line dragged on the model makes an arrow whose ends attach to the objects
// under its start and its end, until a right click.
#pragma once

#include "interaction/creation/anchormarks.h"
#include "interaction/creation/arrowworking.h"
#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"

class TCreateArrowsMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  void Leave() override;
  QString UndoCaption() const override { return QStringLiteral("Create Arrows"); }
  void MouseDown(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
  void RefreshOverlay() override;
  void ObjectDestroyed(const CGPObject* object) override;

  // The ends as the user sees them now.
  const TArrowWorking& Working() const { return working_; }

 private:
  // The start of the next arrow under the pointer, with its marks, cursor and hint.
  void FindStart(const TPointerInput& input);
  // The end of the arrow being dragged under the pointer, with the line to it.
  void FindEnd(const TPointerInput& input);
  void DrawLine();
  void CreateArrow();

  TArrowWorking working_;
  TAnchorMarks marks_;
  TInvertedFigure line_;
  bool dragging_ = false;  // a press in this mode began a line
  bool dragged_ = false;   // and the pointer went beyond a click's wiggle since
};
