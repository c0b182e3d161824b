// The framed well of the palette strip that shows the spectrum colour under the pointer.
#pragma once

#include <QFrame>

#include "platform/color.h"

class TColorWell : public QFrame {
  Q_OBJECT

 public:
  explicit TColorWell(QWidget* parent = nullptr);

  TColorRef Color() const { return color_; }
  void SetColor(TColorRef color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TColorRef color_ = colors::White;
};
