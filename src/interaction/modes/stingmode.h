// Mode 12: every object clicked is deleted, until a right click.
#pragma once

#include "interaction/modehandler.h"

class TStingMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  std::optional<int> EntryCursor() const override;
  QString UndoCaption() const override { return QStringLiteral("Sting Cogis"); }
  void MouseDown(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
};
