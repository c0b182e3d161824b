// Mode 9: dragging the model surface around under the pointer.
#pragma once

#include "interaction/modehandler.h"

class TPanMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  std::optional<int> EntryCursor() const override;
  void MouseDown(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
};
