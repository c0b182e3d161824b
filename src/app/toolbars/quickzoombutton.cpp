#include "app/toolbars/quickzoombutton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

TQuickZoomButton::TQuickZoomButton(QWidget* parent) : QToolButton(parent)
{
  setObjectName(QStringLiteral("QuickZoom"));
  setAccessibleName(QStringLiteral("Quick Zoom"));
  setAutoRaise(true);
  setFixedSize(44, 24);
}

void TQuickZoomButton::mousePressEvent(QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton) return;
  held_ = true;
  in_ = InHalf(event->position().toPoint());
  update();
  Q_EMIT Pressed(in_);
}

void TQuickZoomButton::mouseMoveEvent(QMouseEvent* event)
{
  if (!held_) return;
  const bool in = InHalf(event->position().toPoint());
  if (in == in_) return;
  in_ = in;
  update();
  Q_EMIT DirectionChanged(in_);
}

void TQuickZoomButton::mouseReleaseEvent(QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton || !held_) return;
  held_ = false;
  update();
  Q_EMIT Released();
}

void TQuickZoomButton::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF all = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const QColor frame = palette().color(isEnabled() ? QPalette::WindowText : QPalette::Mid);
  if (held_) {
    QRectF half = all;
    if (in_)
      half.setRight(all.center().x());
    else
      half.setLeft(all.center().x());
    painter.fillRect(half, palette().color(QPalette::Highlight).lighter(160));
  }
  painter.setPen(QPen(frame, 1.0));
  painter.drawRoundedRect(all, 4, 4);
  painter.drawLine(QPointF(all.center().x(), all.top() + 3),
                   QPointF(all.center().x(), all.bottom() - 3));
  // A plus on the zoom-in half and a minus on the zoom-out half.
  const double cy = all.center().y();
  const double lx = all.left() + all.width() / 4;
  const double rx = all.right() - all.width() / 4;
  painter.setPen(QPen(frame, 2.0));
  painter.drawLine(QPointF(lx - 4, cy), QPointF(lx + 4, cy));
  painter.drawLine(QPointF(lx, cy - 4), QPointF(lx, cy + 4));
  painter.drawLine(QPointF(rx - 4, cy), QPointF(rx + 4, cy));
}
