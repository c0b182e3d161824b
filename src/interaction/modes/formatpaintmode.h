// Mode 24: each object clicked takes the chosen attributes of the first selected object,
// the standard.
#pragma once

#include "interaction/modehandler.h"

class TFormatPaintMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  std::optional<int> EntryCursor() const override;
  QString UndoCaption() const override { return QStringLiteral("Format Paint"); }
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
};
