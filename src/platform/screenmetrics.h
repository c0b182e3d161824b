// The resolution of the screen the program shows on, for what the model measures "on
// screen" (cluster membership, reading order); 96 DPI when there is no screen.
#pragma once

struct TScreenResolution {
  double DpiX = 96.0;
  double DpiY = 96.0;
};

TScreenResolution ScreenResolution();
