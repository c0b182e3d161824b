#include "app/publishing/reportruler.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

namespace {

constexpr int kMarkerHalf = 4;
constexpr int kGrab = 6;

}  // namespace

TReportRuler::TReportRuler(QTextEdit& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
  setAccessibleName(QStringLiteral("Ruler"));
  connect(&editor_, &QTextEdit::cursorPositionChanged, this, qOverload<>(&QWidget::update));
  connect(&editor_, &QTextEdit::textChanged, this, qOverload<>(&QWidget::update));
}

QSize TReportRuler::sizeHint() const
{
  return {400, fontMetrics().height() + 2 * kMarkerHalf + 6};
}

int TReportRuler::TextWidth() const
{
  return editor_.viewport()->width();
}

int TReportRuler::MarkerX(TMarker marker) const
{
  const QTextBlockFormat format = editor_.textCursor().blockFormat();
  switch (marker) {
    case TMarker::FirstLine:
      return kLeftEdge + int(format.leftMargin() + format.textIndent());
    case TMarker::Left:
      return kLeftEdge + int(format.leftMargin());
    case TMarker::Right:
      return kLeftEdge + TextWidth() - int(format.rightMargin());
    case TMarker::None:
      break;
  }
  return -1;
}

void TReportRuler::MoveMarker(TMarker marker, int x)
{
  QTextCursor cursor = editor_.textCursor();
  QTextBlockFormat format = cursor.blockFormat();
  const int width = TextWidth();
  const double at = std::clamp(x - kLeftEdge, 0, std::max(0, width - 1));
  switch (marker) {
    case TMarker::FirstLine:
      format.setTextIndent(at - format.leftMargin());
      break;
    case TMarker::Left: {
      // The first line keeps its place, as word processors' rulers do.
      const double first = format.leftMargin() + format.textIndent();
      format.setLeftMargin(std::min(at, width - format.rightMargin() - 1));
      format.setTextIndent(first - format.leftMargin());
      break;
    }
    case TMarker::Right:
      format.setRightMargin(std::max(0.0, width - std::max(at, format.leftMargin() + 1)));
      break;
    case TMarker::None:
      return;
  }
  cursor.mergeBlockFormat(format);
  update();
}

TReportRuler::TMarker TReportRuler::MarkerAt(QPoint point) const
{
  const int middle = height() / 2;
  // The first-line marker hangs from the top, the left and right markers stand at the bottom.
  if (point.y() < middle && std::abs(point.x() - MarkerX(TMarker::FirstLine)) <= kGrab)
    return TMarker::FirstLine;
  if (std::abs(point.x() - MarkerX(TMarker::Left)) <= kGrab) return TMarker::Left;
  if (std::abs(point.x() - MarkerX(TMarker::Right)) <= kGrab) return TMarker::Right;
  return TMarker::None;
}

void TReportRuler::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.fillRect(QRect(kLeftEdge, 2, TextWidth(), height() - 4), palette().base());
  painter.setPen(palette().text().color());
  // Tick marks where the default tab stops are.
  const double stop = std::max(8.0, editor_.tabStopDistance());
  for (double x = stop; x < TextWidth(); x += stop)
    painter.drawLine(QPointF(kLeftEdge + x, height() / 2.0 - 2),
                     QPointF(kLeftEdge + x, height() / 2.0 + 2));
  painter.setBrush(palette().highlight());
  const int first = MarkerX(TMarker::FirstLine);
  painter.drawPolygon(QPolygon({QPoint(first - kMarkerHalf, 1), QPoint(first + kMarkerHalf, 1),
                                QPoint(first, 1 + kMarkerHalf * 2)}));
  const int bottom = height() - 2;
  for (TMarker marker : {TMarker::Left, TMarker::Right}) {
    const int x = MarkerX(marker);
    painter.drawPolygon(QPolygon({QPoint(x - kMarkerHalf, bottom), QPoint(x + kMarkerHalf, bottom),
                                  QPoint(x, bottom - kMarkerHalf * 2)}));
  }
}

void TReportRuler::mousePressEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) dragging_ = MarkerAt(event->position().toPoint());
}

void TReportRuler::mouseMoveEvent(QMouseEvent* event)
{
  if (dragging_ != TMarker::None) MoveMarker(dragging_, event->position().toPoint().x());
}

void TReportRuler::mouseReleaseEvent(QMouseEvent* event)
{
  if (dragging_ != TMarker::None) MoveMarker(dragging_, event->position().toPoint().x());
  dragging_ = TMarker::None;
}
