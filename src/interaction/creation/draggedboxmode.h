// Modes 17 and 23: a box dragged on the model makes a label (whose text is then edited) or a
// hotspot (again and again, until a right click).
#pragma once

#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"

class TDraggedBoxMode : public TModeHandler {
 public:
  // label: the label tool rather than the hotspot tool.
  TDraggedBoxMode(TModeMachine& machine, bool label) : TModeHandler(machine), label_(label) {}

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  void Leave() override;
  QString UndoCaption() const override;
  void MouseDown(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;

 private:
  void DrawBox();
  void CreateLabel();
  void CreateHotspot();

  bool label_;
  TInvertedFigure box_;
  bool pressed_ = false;  // a press in this mode began the drag
};
