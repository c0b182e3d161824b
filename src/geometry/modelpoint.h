// A point in model units: one unit is one inch at 100 % zoom, x to the right, y downwards.
#pragma once

struct TModelPoint {
  double X = 0.0;
  double Y = 0.0;

  friend bool operator==(const TModelPoint&, const TModelPoint&) = default;
};

// A connection point for arrows, relative to an object's centre and unrotated.
struct TAnchor {
  double DX = 0.0;
  double DY = 0.0;

  friend bool operator==(const TAnchor&, const TAnchor&) = default;
};
