// Mode 0: nothing under way. Hovering shows what a click would do, a press selects or grabs
// a handle, and a right click opens the model menu.
#pragma once

#include <QPoint>

#include "interaction/modehandler.h"

class TIdleMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  void MouseDown(const TPointerInput& input) override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;

  // The cursor and hint over a selection handle; rotate-ready mode shows the same over the
  // handles of objects that cannot turn.
  void HoverHandle(QPoint pixel);

 private:
  void HoverObject(const TPointerInput& input);
  void ShowContextMenu(QPoint pixel);
};
