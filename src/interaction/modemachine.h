// The operation modes of one model window: the single switch between them, the shared
// helpers of every mode (the pointer as a model point, hit tests, snapping, the selection's
// centre, automatic scrolling) and the routing of mouse and key events to the handler of the
// current mode.
#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <memory>

#include "document/modecontroller.h"
#include "document/modeldocument.h"
#include "document/modelview.h"
#include "interaction/gesturestate.h"
#include "interaction/modehandler.h"
#include "interaction/pointerinput.h"

class IInteractionHost;
class IKeyState;

// A selection handle under the pointer and the cursor it shows.
struct THandleHit {
  CGPObject* Object = nullptr;
  int Handle = 0;  // 1-8 box handles, 9 special; arrows 1 start, 2 bend, 3 end
  int Cursor = 0;
};

class TModeMachine : public QObject, public IModeController {
  Q_OBJECT

 public:
  static constexpr int kModeCount = 26;
  static constexpr int kDragThreshold = 5;        // pixels a press may move and still be a click
  static constexpr int kAutoScrollInterval = 40;  // ms between steps while the button is held

  TModeMachine(TModelDocument& document, IInteractionHost& host);
  ~TModeMachine() override;

  // Gives a mode its behaviour; a mode without a handler ignores the mouse.
  void Install(TOperationMode mode, std::unique_ptr<TModeHandler> handler);
  TModeHandler* Handler(int mode) const;

  TModelDocument& Document() const { return document_; }
  TModelView View() const { return TModelView(document_); }
  IInteractionHost& Host() const { return host_; }
  TGestureState& State() { return state_; }
  const TGestureState& State() const { return state_; }
  TOperationMode Mode() const { return document_.Mode; }

  // ---- IModeController
  void SetMode(TOperationMode mode) override;
  bool ObjectsMayBeDeleted() const override;
  void ObjectDestroyed(const CGPObject* object) override;

  // ---- Helpers of every mode
  // The pointer's position as a model point plus (dx, dy), on the quarter-inch grid when
  // snap is asked and the model snaps to the grid.
  TModelPoint MousePoint(bool snap, double dx = 0.0, double dy = 0.0) const;
  // Rounds to the nearest quarter inch, ties to even.
  static TModelPoint GridPoint(TModelPoint point);
  CGPObject* HitTest(QPoint pixel) const;
  // The selected visible object whose handle lies under the pixel, lowest handle first.
  THandleHit HandleHitTest(QPoint pixel) const;
  // The cursor a handle of an object shows (arrows, special handles, turned boxes).
  static int HandleCursor(const CGPObject& object, int handle);
  bool OverHandle(QPoint pixel) const;
  bool OverObject(QPoint pixel) const;
  bool DragStarted() const;
  TModelPoint SelectionCentre() const;
  // Grid snapping unless Alt suspends it; shape snapping switched by Shift.
  void ComputeSnapFlags(const TShiftState& state);
  // One step of automatic scrolling while a confined drag holds the pointer in the window's
  // border; the timer repeats it until the pointer comes back or the button is let go.
  bool AutoScroll(QPoint pixel);
  // One step of this window's view toward a pixel in its border or beyond its edge (none for
  // a pixel well inside). A drag between windows scrolls the window under the pointer so,
  // whichever window holds the gesture; the caller repaints.
  bool ScrollToward(QPoint pixel);
  // Sends the last move again on the auto-scroll timer while the left button stays held, so
  // that a pointer resting in a border keeps a view scrolling; off stops it.
  void RepeatLastMove(bool on);
  void RepaintFully();

  // ---- Shared steps of the select modes
  void SelectClick(const TPointerInput& input);
  void HandleGrab(const TPointerInput& input);
  // Selects what lies wholly inside the box between two model points, deselects what the
  // box only touches.
  void RubberBandSelect(TModelPoint a, TModelPoint b);

  // ---- Events of the drawing surface
  void MouseDown(const TPointerInput& input);
  void MouseMove(const TPointerInput& input);
  void MouseUp(const TPointerInput& input);
  void DoubleClick(const TPointerInput& input);
  // Whether the view keys act in the current mode.
  bool KeysAllowed() const;
  // The view and Delete keys, for every one of them held; true when any acted.
  bool KeyDown(const IKeyState& keys, bool control);
  // Escape, "+", "=" and "-"; true when handled.
  bool KeyPress(int qtKey);

  // True while the press of a gesture has not been released.
  bool ButtonHeld() const { return state_.LeftHeld; }

 private:
  void AutoScrollTick();
  void StopAutoScroll();

  TModelDocument& document_;
  IInteractionHost& host_;
  TGestureState state_;
  std::array<std::unique_ptr<TModeHandler>, kModeCount> handlers_;
  QTimer autoScroll_;
};
