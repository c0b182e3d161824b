#include "app/text/editorframe.h"

#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

namespace {

constexpr int kMinimumSide = 3 * TEditorFrame::kFrame + 24;

// The box takes only text from the clipboard or a drop, and no more of it than an object's
// text can sensibly hold: what another program offers is not trusted.
class TEditorBox : public QTextEdit {
 public:
  using QTextEdit::QTextEdit;

  static constexpr qsizetype kMaxInsertedText = 65536;

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override
  {
    return source && source->hasText();
  }
  void insertFromMimeData(const QMimeData* source) override
  {
    if (!canInsertFromMimeData(source)) return;
    QTextCursor cursor = textCursor();
    cursor.insertText(source->text().left(kMaxInsertedText));
    setTextCursor(cursor);
    ensureCursorVisible();
  }
};

}  // namespace

TEditorFrame::TEditorFrame(QWidget* surface, QColor pattern)
    : QFrame(surface), box_(new TEditorBox(this)), pattern_(pattern)
{
  setAutoFillBackground(false);
  setMouseTracking(true);
  box_->setFrameShape(QFrame::NoFrame);
  box_->setAcceptRichText(true);
  box_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(box_, &QWidget::customContextMenuRequested, this, &TEditorFrame::ShowTextMenu);
  hide();
}

void TEditorFrame::resizeEvent(QResizeEvent* event)
{
  QFrame::resizeEvent(event);
  box_->setGeometry(rect().adjusted(kFrame, kFrame, -kFrame, -kFrame));
  PlaceButtons();
}

std::array<QRect, 8> TEditorFrame::GripRects() const
{
  const int w = width();
  const int h = height();
  const int g = kGrip;
  return {QRect(0, 0, g, g),         QRect(w / 2 - 2, 0, 4, g),
          QRect(w - g, 0, g, g),     QRect(w - g, h / 2 - 2, g, 4),
          QRect(w - g, h - g, g, g), QRect(w / 2 - 2, h - g, 4, g),
          QRect(0, h - g, g, g),     QRect(0, h / 2 - 2, g, 4)};
}

int TEditorFrame::GripAt(QPoint point) const
{
  if (!grips_) return 0;
  const std::array<QRect, 8> grips = GripRects();
  for (int i = 0; i < 8; ++i)
    if (grips[i].adjusted(-1, -1, 1, 1).contains(point)) return i + 1;
  return 0;
}

void TEditorFrame::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  painter.fillRect(rect(), QBrush(pattern_, Qt::Dense4Pattern));
  if (!grips_) return;
  for (const QRect& grip : GripRects())
    painter.fillRect(grip, Qt::black);
}

void TEditorFrame::KeepInside()
{
  QWidget* surface = parentWidget();
  if (!surface) return;
  const QSize client = surface->size();
  QRect r = geometry();
  r.setWidth(std::max(kMinimumSide, std::min(r.width(), client.width() / 2)));
  r.setHeight(std::max(kMinimumSide, std::min(r.height(), client.height() / 2)));
  r.moveLeft(std::max(10, std::min(r.left(), client.width() - r.width())));
  r.moveTop(std::max(10, std::min(r.top(), client.height() - r.height())));
  setGeometry(r);
}

void TEditorFrame::DragBy(int grip, QRect start, QPoint delta)
{
  QRect r = start;
  if (grip == 0) {
    r.translate(delta);
  } else {
    const int dx = delta.x();
    const int dy = delta.y();
    if (grip == 1 || grip == 7 || grip == 8)
      r.setLeft(std::min(r.left() + dx, r.right() - kMinimumSide));
    if (grip == 3 || grip == 4 || grip == 5)
      r.setRight(std::max(r.right() + dx, r.left() + kMinimumSide));
    if (grip == 1 || grip == 2 || grip == 3)
      r.setTop(std::min(r.top() + dy, r.bottom() - kMinimumSide));
    if (grip == 5 || grip == 6 || grip == 7)
      r.setBottom(std::max(r.bottom() + dy, r.top() + kMinimumSide));
  }
  if (QWidget* surface = parentWidget()) {
    // Kept inside the surface whichever way it was dragged.
    const QRect area = surface->rect();
    if (grip == 0) {
      r.moveLeft(std::clamp(r.left(), 0, std::max(0, area.width() - r.width())));
      r.moveTop(std::clamp(r.top(), 0, std::max(0, area.height() - r.height())));
    } else {
      r = r.intersected(area);
    }
  }
  setGeometry(r);
  if (grip == 0)
    Q_EMIT FrameMoved();
  else
    Q_EMIT FrameResized();
}

void TEditorFrame::mousePressEvent(QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton) return;
  dragGrip_ = GripAt(event->position().toPoint());
  pressGlobal_ = event->globalPosition().toPoint();
  startGeometry_ = geometry();
}

void TEditorFrame::mouseMoveEvent(QMouseEvent* event)
{
  if (dragGrip_ < 0) {
    static const Qt::CursorShape shapes[] = {
        Qt::SizeAllCursor,   Qt::SizeFDiagCursor, Qt::SizeVerCursor,
        Qt::SizeBDiagCursor, Qt::SizeHorCursor,   Qt::SizeFDiagCursor,
        Qt::SizeVerCursor,   Qt::SizeBDiagCursor, Qt::SizeHorCursor};
    setCursor(shapes[GripAt(event->position().toPoint())]);
    return;
  }
  DragBy(dragGrip_, startGeometry_, event->globalPosition().toPoint() - pressGlobal_);
}

void TEditorFrame::mouseReleaseEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) dragGrip_ = -1;
}

void TEditorFrame::ShowTextMenu(QPoint at)
{
  QMenu menu(this);
  QAction* undo = menu.addAction(QStringLiteral("&Undo"), box_, &QTextEdit::undo);
  undo->setEnabled(box_->document()->isUndoAvailable());
  menu.addSeparator();
  const bool selection = box_->textCursor().hasSelection();
  menu.addAction(QStringLiteral("Cu&t"), box_, &QTextEdit::cut)->setEnabled(selection);
  menu.addAction(QStringLiteral("&Copy"), box_, &QTextEdit::copy)->setEnabled(selection);
  menu.addAction(QStringLiteral("&Paste"), box_, &QTextEdit::paste)->setEnabled(box_->canPaste());
  menu.addSeparator();
  menu.addAction(QStringLiteral("Select &All"), box_, &QTextEdit::selectAll);
  menu.exec(box_->mapToGlobal(at));
}
