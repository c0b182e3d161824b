// The working values of the gesture under way in one model window: where the press was,
// where the pointer is, the object and handle it works on. Values every window shares
// (a drag may end in another window) are kept once for the program.
#pragma once

#include <QPoint>

#include "geometry/modelpoint.h"
#include "interaction/pointerinput.h"

class CGPObject;

struct TGestureState {
  QPoint DownPixel;
  QPoint LastPixel;
  TModelPoint AnchorPoint;
  TModelPoint CurrentPoint;
  CGPObject* ActiveObject = nullptr;  // not owned; cleared when the object goes
  int HitHandle = 0;
  // The point selections turn about, taken when free rotation begins.
  TModelPoint RotateCentre;
  // Swallows the release that belongs to a double click.
  bool IgnoreMouse = false;
  // A left press started the gesture and its release has not come yet.
  bool LeftHeld = false;
  // The last event, for the auto-scroll timer and for keys that redraw the feedback.
  TPointerInput LastInput;
};

// Shared by every model window of the program.
struct TProgramGestureValues {
  static inline bool GridSnapActive = false;
  static inline bool ShapeSnapActive = false;
  // The press point minus the centre of the first selected object, taken when a move starts.
  static inline TModelPoint GrabOffset;
};
