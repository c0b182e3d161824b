// Modes 25 and 1: Edit Text's pick mode, where a click on an object opens the text editor
// on it, and text editing itself, where a click moves the editor to another object. Leaving
// text editing writes the editors back and records one entry for the whole period.
#pragma once

#include "interaction/modehandler.h"

class TTextPickMode : public TModeHandler {
 public:
  // editing: mode 1 (an editor is open) rather than mode 25.
  TTextPickMode(TModeMachine& machine, bool editing) : TModeHandler(machine), editing_(editing) {}

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  void Leave() override;
  QString UndoCaption() const override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;

 private:
  bool editing_;
};
