// Mode 21: a colour picked with nothing selected paints the objects clicked, or the model
// surface.
#pragma once

#include "interaction/modehandler.h"

class TPaintMode : public TModeHandler {
 public:
  using TModeHandler::TModeHandler;

  std::optional<int> EntryCursor() const override;
  void Enter() override;
  QString UndoCaption() const override { return QStringLiteral("Paint Cogis"); }
  void MouseUp(const TPointerInput& input) override;

  // Paints what lies under the pixel with the colour of the palette's target; true when a
  // colour changed.
  bool PaintClick(QPoint pixel);
};
