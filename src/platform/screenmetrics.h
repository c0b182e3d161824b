// Two resolutions: the fixed one every model is measured at, and the screen's, which only
// drawing, the view and sizes meant to look natural on the screen use.
#pragma once

#include <optional>

// Cluster membership, reading order, sizes given in pixels and text layout are measured at
// this resolution whatever screen the model is shown on, or none: the same file then has the
// same members and the same line breaks on every machine.
inline constexpr double kModelPixelsPerInch = 96.0;

struct TScreenResolution {
  double DpiX = 96.0;
  double DpiY = 96.0;
};

// The primary screen's resolution; 96 DPI when there is no screen.
TScreenResolution ScreenResolution();
// Makes ScreenResolution report another resolution, the way a test stands in for another
// screen; no value goes back to the real one.
void OverrideScreenResolution(std::optional<TScreenResolution> resolution);
