// Modes 6 and 10: a dotted box dragged over the model, which selects what it encloses (6)
// or zooms in to it (10).
#pragma once

#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"

class TRubberBoxMode : public TModeHandler {
 public:
  // zoom: the zoom box of Zoom In rather than the selection band.
  TRubberBoxMode(TModeMachine& machine, bool zoom) : TModeHandler(machine), zoom_(zoom) {}

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  // The band grows out of a press in the idle mode: its first box.
  bool Begin(const TPointerInput& input) override;
  void MouseDown(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;

 private:
  void DrawBox();

  bool zoom_;
  TInvertedFigure box_;
};
