// Input a long-running view loop reads without waiting for events: whether the user asks
// to stop, and where the pointer is.
#pragma once

#include <QPoint>

class IAsyncInput {
 public:
  virtual ~IAsyncInput() = default;
  // Escape or the right mouse button is down.
  virtual bool CancelRequested() = 0;
  // The pointer in the drawing surface's pixels.
  virtual QPoint PointerPosition() = 0;
  // The pointer is held inside the window by a drag in progress.
  virtual bool PointerConfined() = 0;
};
