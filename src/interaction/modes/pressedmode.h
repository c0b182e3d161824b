// Mode 4: the left button went down in the idle mode. A release is a click; a drag becomes
// a move of the selection or a rubber band.
#pragma once

#include "interaction/modehandler.h"

class TPressedMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
};
