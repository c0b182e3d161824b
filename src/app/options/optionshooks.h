// The dialogs the Options dialog borrows from elsewhere in the program: Fill Properties and
// Page Setup. A hook left empty disables the control that would open it.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/color.h"

// What Fill Properties is preset with and gives back.
struct TFillChoice {
  TColorRef FaceColor = 0;
  TColorRef BackColor = 0;
  std::uint8_t FillStyle = 0;
  std::uint8_t PatternIndex = 0;
  std::uint8_t GradientIndex = 0;
};

// What Page Setup is preset with and gives back.
struct TPageChoice {
  int PagesAcross = 4;
  int PagesDown = 4;
  int Orientation = 1;  // 0 portrait, 1 landscape
};

struct TOptionsHooks {
  // None when the dialog was cancelled.
  std::function<std::optional<TFillChoice>(QWidget* parent, const TFillChoice& preset)>
      FillProperties;
  std::function<std::optional<TPageChoice>(QWidget* parent, const TPageChoice& preset)> PageSetup;
};
