// The window side of a drag between model windows: where a pixel of one drawing surface lies
// in another, and bringing the model window that took a drop to the front of the main
// window's document area. Hosts that are no widgets (benchmarks) have no windows.
#pragma once

#include <QPoint>
#include <optional>

class TModeMachine;

class TDragWindows {
 public:
  // A pixel of one surface as a pixel of another; none when either is no window.
  static std::optional<QPoint> MapPixel(const TModeMachine& from, QPoint pixel,
                                        const TModeMachine& to);
  // Makes the model window that holds the surface the active one.
  static void Activate(const TModeMachine& machine);
};
