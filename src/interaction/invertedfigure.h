// A feedback figure drawn over the model with the inverting pen. Erasing draws it again,
// which restores the model's pixels exactly, but only while the overlay still holds it: a
// full paint has wiped it already, and drawing it then would show it instead.
#pragma once

#include <functional>

class TOverlay;

class TInvertedFigure {
 public:
  using TDraw = std::function<void(TOverlay&)>;

  // Draws the figure and remembers how, for erasing.
  void Draw(TOverlay& overlay, TDraw draw);
  void Erase(TOverlay& overlay);
  // Whether the figure is on the overlay now.
  bool Shown(const TOverlay& overlay) const;
  void Forget() { draw_ = nullptr; }

 private:
  TDraw draw_;
  int generation_ = -1;
};
