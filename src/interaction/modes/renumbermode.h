// Mode 18: each object clicked takes the next number, shown in the cursor.
#pragma once

#include "interaction/modehandler.h"

class TRenumberMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  QString UndoCaption() const override { return QStringLiteral("Renumber Cogis"); }
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;

 private:
  // The largest number was handed out: the next click would need one past it.
  bool exhausted_ = false;
};
