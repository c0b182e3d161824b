// What a mouse event tells the operation modes, as plain values: the widget translates its
// events into these once, so that tests and benchmarks can drive gestures without a window.
#pragma once

#include <QPoint>

enum class TMouseButton { None, Left, Right, Middle };

// The keys and buttons held when the event happened.
struct TShiftState {
  bool Shift = false;
  bool Alt = false;
  bool Ctrl = false;
  bool Left = false;
  bool Right = false;
  bool Middle = false;
};

struct TPointerInput {
  QPoint Pixel;                              // client pixels of the drawing surface
  TMouseButton Button = TMouseButton::None;  // pressed or released; None for moves
  TShiftState State;
};
