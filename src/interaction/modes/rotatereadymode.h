// Mode 7: Free Rotate. The handles of turnable selected objects turn the selection about
// its centre; a click elsewhere selects and leaves the mode.
#pragma once

#include "interaction/modehandler.h"

class TRotateReadyMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  void MouseDown(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
};
