#include "app/palette/colorwell.h"

#include <QPainter>

#include "render/displaycolor.h"

TColorWell::TColorWell(QWidget* parent) : QFrame(parent)
{
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
}

void TColorWell::SetColor(TColorRef color)
{
  if (color == color_) return;
  color_ = color;
  update();
}

void TColorWell::paintEvent(QPaintEvent* event)
{
  QFrame::paintEvent(event);
  QPainter(this).fillRect(QRect(QPoint(2, 2), QPoint(width() - 3, height() - 3)),
                          DisplayColor(color_));
}
