// Mode 2: the window follows a gateway; the busy cursor shows until the mode ends.
#pragma once

#include "interaction/modehandler.h"

class TBusyMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  void Enter() override;
};
