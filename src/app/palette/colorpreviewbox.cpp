#include "app/palette/colorpreviewbox.h"

#include <QPainter>
#include <QPolygon>

#include "render/displaycolor.h"

TColorPreviewBox::TColorPreviewBox(QWidget* parent) : QWidget(parent) {}

void TColorPreviewBox::SetColors(const std::array<TColorRef, 4>& colors)
{
  if (colors == colors_) return;
  colors_ = colors;
  update();
}

void TColorPreviewBox::paintEvent(QPaintEvent*)
{
  const auto [fore, back, text, line] = colors_;
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
  const int a = height() - 2;
  const QPen linePen(DisplayColor(line), 0);

  const QPolygon hexagon({{a / 2 + 1, 1},
                          {a + 1, a / 4 + 1},
                          {a + 1, 3 * a / 4 + 1},
                          {a / 2 + 1, a + 1},
                          {1, 3 * a / 4 + 1},
                          {1, a / 4 + 1}});
  painter.setPen(linePen);
  painter.setBrush(DisplayColor(fore));
  painter.drawPolygon(hexagon);

  painter.setPen(DisplayColor(text));
  const QFontMetrics metrics(painter.font());
  const QString letter = QStringLiteral("T");
  const int letterX = a / 2 + 2 - metrics.horizontalAdvance(letter) / 2;
  painter.drawText(letterX, 3 * a / 7 + 1 + metrics.ascent(), letter);

  painter.setPen(linePen);
  painter.setBrush(DisplayColor(back));
  painter.drawRect(QRect(QPoint(a / 2 - 2, a / 4 - 1), QPoint(a / 2 + 5, a / 4 + 6)));
}
