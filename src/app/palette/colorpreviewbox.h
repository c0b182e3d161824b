// The small picture beside the target buttons of the palette strip: a hexagon in the
// foreground and line colours with a "T" in the text colour and a square in the background
// colour, so the four working colours are seen together.
#pragma once

#include <QWidget>
#include <array>

#include "platform/color.h"

class TColorPreviewBox : public QWidget {
  Q_OBJECT

 public:
  explicit TColorPreviewBox(QWidget* parent = nullptr);

  // Colours by target: foreground, background, text, line.
  void SetColors(const std::array<TColorRef, 4>& colors);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<TColorRef, 4> colors_{};
};
