// One operation mode's behaviour: its cursor and entry and leave actions, the undo caption
// recorded when it ends, and its answers to the mouse. The mode machine owns one handler per
// mode of a window and calls the one of the current mode.
#pragma once

#include <QString>
#include <optional>

#include "interaction/pointerinput.h"

class CGPObject;
class TModeMachine;

class TModeHandler {
 public:
  explicit TModeHandler(TModeMachine& machine) : machine_(machine) {}
  virtual ~TModeHandler() = default;
  TModeHandler(const TModeHandler&) = delete;
  TModeHandler& operator=(const TModeHandler&) = delete;

  // ---- Entering and leaving (through the machine's SetMode)
  // The window cursor the mode shows on entry; none keeps the cursor as it is.
  virtual std::optional<int> EntryCursor() const { return std::nullopt; }
  virtual void Enter() {}
  virtual void Leave() {}
  // Recorded when the mode is left, if anything changed while it lasted.
  virtual QString UndoCaption() const { return {}; }

  // ---- Starting from another mode
  // Starts this mode's gesture from a press or drag that began in another mode (a handle
  // grabbed, a drag that became a move); false when it cannot start, and the caller then
  // treats the press as it would without this mode.
  virtual bool Begin(const TPointerInput& input)
  {
    (void)input;
    return false;
  }
  // Draws the feedback that marks where the gesture would start (the move marker left by a
  // select click).
  virtual void Mark() {}

  // ---- Events of the drawing surface
  virtual void MouseDown(const TPointerInput& input) { (void)input; }
  virtual void MouseMove(const TPointerInput& input) { (void)input; }
  virtual void MouseUp(const TPointerInput& input) { (void)input; }
  // A key repainted the window (and may have moved the view): draw the feedback again.
  virtual void RefreshOverlay() {}
  // Escape during the gesture: take its feedback away and end it without a change; false
  // when the mode has nothing to cancel and Escape does what it does elsewhere.
  virtual bool Cancel() { return false; }

  // ---- Safety
  // True while the gesture works on objects that deleting would free.
  virtual bool HoldsObjects() const { return false; }
  // An object is about to be destroyed: forget it.
  virtual void ObjectDestroyed(const CGPObject* object) { (void)object; }

 protected:
  TModeMachine& machine_;
};
