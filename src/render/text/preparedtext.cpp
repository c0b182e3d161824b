#include "render/text/preparedtext.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

void TPreparedText::Prepare(const QString& text, const QFont& font, const QPaintDevice* device)
{
  const int dpiX = device ? device->logicalDpiX() : 0;
  const int dpiY = device ? device->logicalDpiY() : 0;
  if (prepared_ && text == text_ && font == font_ && dpiX == dpiX_ && dpiY == dpiY_) return;
  const QFontMetrics metrics = device ? QFontMetrics(font, device) : QFontMetrics(font);
  text_ = text;
  font_ = font;
  dpiX_ = dpiX;
  dpiY_ = dpiY;
  width_ = metrics.horizontalAdvance(text);
  height_ = metrics.height();
  ascent_ = metrics.ascent();
  staticText_.emplace(text);
  staticText_->setTextFormat(Qt::PlainText);
  staticText_->setPerformanceHint(QStaticText::AggressiveCaching);
  prepared_ = true;
}

void TPreparedText::Draw(QPainter& painter, int left, int top) const
{
  painter.setFont(font_);
  // The static text keeps its glyph positions between paints as long as the painter's
  // font and transform stay the same, which they do from one paint to the next.
  if (staticText_) painter.drawStaticText(QPoint(left, top), *staticText_);
}
