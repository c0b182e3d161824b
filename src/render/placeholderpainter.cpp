#include "render/placeholderpainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/canvas.h"
#include "render/paintbounds.h"

namespace {

// The part of the box the device can show, grown by a pixel so that borders outside the
// device stay outside; huge boxes at huge zooms then cost no more than the device.
QRect VisiblePart(const QPainter& painter, const QRect& box)
{
  return box & PaintBounds(painter).adjusted(-2, -2, 2, 2);
}

}  // namespace

void TPlaceholderPainter::DrawCross(TCanvas& canvas, const QRect& box)
{
  if (box.isEmpty()) return;
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(VisiblePart(painter, box), Qt::white);
  painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  painter.setBrush(Qt::NoBrush);
  const QRect inner(box.left(), box.top(), box.width() - 1, box.height() - 1);
  painter.drawRect(inner);
  painter.drawLine(inner.topLeft(), inner.bottomRight());
  painter.drawLine(inner.topRight(), inner.bottomLeft());
  painter.restore();
}

void TPlaceholderPainter::DrawMetafile(TCanvas& canvas, const QRect& box)
{
  if (box.isEmpty()) return;
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(VisiblePart(painter, box), QColor(0xEE, 0xEE, 0xEE));
  painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
  const QString word = QStringLiteral("Metafile");
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(std::clamp(std::min(box.height() / 4, box.width() / 6), 6, 72));
  const QFontMetrics metrics(font, painter.device());
  if (metrics.horizontalAdvance(word) < box.width() - 4 && metrics.height() < box.height() - 4) {
    painter.setFont(font);
    painter.setPen(QColor(0x50, 0x50, 0x50));
    painter.drawText(VisiblePart(painter, box) & box, Qt::AlignCenter, word);
  }
  painter.restore();
}
