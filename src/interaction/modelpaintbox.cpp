#include "interaction/modelpaintbox.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "document/modeldocument.h"
#include "document/modelpainter.h"
#include "document/modelview.h"
#include "interaction/cursorid.h"
#include "interaction/leaderlines.h"
#include "interaction/modehandlers.h"
#include "interaction/textediting.h"

namespace {

TMouseButton ButtonOf(Qt::MouseButton button)
{
  switch (button) {
    case Qt::LeftButton:
      return TMouseButton::Left;
    case Qt::RightButton:
      return TMouseButton::Right;
    case Qt::MiddleButton:
      return TMouseButton::Middle;
    default:
      return TMouseButton::None;
  }
}

bool IsViewOrDeleteKey(int key)
{
  switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Delete:
      return true;
    default:
      return false;
  }
}

}  // namespace

TModelPaintBox::TModelPaintBox(TModelDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), machine_(document, *this), cursors_(this)
{
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  // Every paint covers the whole surface from the back buffer; no background erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
  document_.ScreenDpiX = logicalDpiX();
  document_.ScreenDpiY = logicalDpiY();
  InstallModeHandlers(machine_);
  SetPreferences(preferences_);
}

TModelPaintBox::~TModelPaintBox() = default;

void TModelPaintBox::SetPreferences(const TInteractionPreferences& preferences)
{
  preferences_ = preferences;
  document_.IdleCursor = static_cast<std::int16_t>(preferences_.BeeCursors ? crBee : crArrow);
  if (document_.Mode == opNone) SetWindowCursor(document_.IdleCursor);
}

// ---- Painting -----------------------------------------------------------------------------

void TModelPaintBox::Repaint()
{
  dirty_ = true;
  layerValid_ = false;
  update();
}

void TModelPaintBox::PaintSelection()
{
  if (!LayerCurrent()) {
    PaintNow(false);
    return;
  }
  selectionOnly_ = true;
  dirty_ = true;
  fastPending_ = false;
  if (!isVisible()) {
    PaintModel(false);
    return;
  }
  repaint();
}

bool TModelPaintBox::LayerCurrent() const
{
  return layerValid_ && layer_.size() == buffer_.size() && layerOrigin_ == document_.ViewOrigin &&
         layerZoom_ == document_.Zoom;
}

void TModelPaintBox::PaintNow(bool fast)
{
  dirty_ = true;
  layerValid_ = false;
  fastPending_ = fast;
  // A surface not on screen paints at its next show; the model must still be laid out
  // for hit tests, so paint the buffer now.
  if (!isVisible()) {
    PaintModel(fast);
    fastPending_ = false;
    return;
  }
  repaint();
}

void TModelPaintBox::PaintModel(bool fast)
{
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (buffer_.size() != pixels) {
    buffer_ = QImage(pixels, QImage::Format_RGB32);
    buffer_.setDevicePixelRatio(ratio);
  }
  TModelPainter painter(document_);
  if (selectionOnly_ && LayerCurrent()) {
    buffer_ = layer_;
    painter.DrawSelectionMarks(buffer_);
  } else if (fast) {
    painter.DrawModelLayer(buffer_, true);
    layerValid_ = false;
  } else {
    painter.DrawModelLayer(buffer_, false);
    layer_ = buffer_;
    layer_.detach();
    layerValid_ = true;
    layerOrigin_ = document_.ViewOrigin;
    layerZoom_ = document_.Zoom;
    painter.DrawSelectionMarks(buffer_);
  }
  selectionOnly_ = false;
  // A new paint of the model wipes any feedback drawn over the previous one.
  overlay_.Reset(size(), ratio);
  overlay_.SetLeaderLines(CurrentLeaderLines());
  dirty_ = false;
}

std::vector<QLine> TModelPaintBox::CurrentLeaderLines() const
{
  if (!textEditing_ || document_.Mode != opEditText) return {};
  const CGPObject* object = textEditing_->EditedObject();
  const std::optional<QRect> frame = textEditing_->EditorFrame();
  if (!object || !frame || document_.IndexOf(object) < 0) return {};
  return LeaderLines(document_, *object, *frame);
}

void TModelPaintBox::RefreshLeaderLines()
{
  overlay_.SetLeaderLines(CurrentLeaderLines());
  update();
}

void TModelPaintBox::paintEvent(QPaintEvent*)
{
  if (dirty_ || buffer_.isNull()) PaintModel(fastPending_);
  fastPending_ = false;
  QPainter painter(this);
  if (overlay_.IsEmpty()) {
    painter.drawImage(QPoint(0, 0), buffer_);
    return;
  }
  painter.drawImage(QPoint(0, 0), buffer_);
  if (overlay_.Mask().size() != buffer_.size() || !overlay_.PaintOver(painter))
    painter.drawImage(QPoint(0, 0), overlay_.Apply(buffer_));
}

void TModelPaintBox::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  document_.ClientSize = size();
  if (!centred_) {
    // A new window shows the middle of its model.
    TModelView view(document_);
    document_.ViewOrigin.X = document_.ModelWidth / 2.0 - view.HalfWidth();
    document_.ViewOrigin.Y = document_.ModelHeight / 2.0 - view.HalfHeight();
    centred_ = true;
  }
  dirty_ = true;
}

// ---- Cursors, hints, pointer --------------------------------------------------------------

void TModelPaintBox::SetWindowCursor(int id)
{
  cursors_.SetCursor(id);
}

void TModelPaintBox::SetScreenCursor(int id)
{
  if (id == crDefault)
    cursors_.ReleaseScreenCursor();
  else
    cursors_.SetScreenCursor(id);
}

void TModelPaintBox::SetRenumberCursor(int number)
{
  TCursorLibrary::Shared().BuildRenumberCursor(number);
  // The rebuilt cursor shows at once when it is the one on the window.
  if (cursors_.CursorId() == crRenumber) cursors_.SetCursor(crRenumber);
}

void TModelPaintBox::SetHint(const QString& hint)
{
  if (hint == hint_) return;
  hint_ = hint;
  Q_EMIT HintChanged(hint_);
}

void TModelPaintBox::CentreCursor()
{
  QCursor::setPos(mapToGlobal(rect().center()));
}

bool TModelPaintBox::IsMaximised() const
{
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) return sub->isMaximized();
  return true;
}

void TModelPaintBox::TakeFocus()
{
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
}

bool TModelPaintBox::CancelRequested()
{
  return keys_.IsDown(Qt::Key_Escape) || (QApplication::mouseButtons() & Qt::RightButton);
}

QPoint TModelPaintBox::PointerPosition()
{
  return machine_.State().LastInput.Pixel;
}

// ---- The shell's services -----------------------------------------------------------------

void TModelPaintBox::ShowModelMenu(QPoint pixel, CGPObject* underPointer)
{
  Q_EMIT ModelMenuRequested(pixel, underPointer);
}

void TModelPaintBox::FollowGateway(CGPObject* gateway)
{
  Q_EMIT GatewayFollowRequested(gateway);
}

void TModelPaintBox::UpdateMagnifier(TModelPoint point)
{
  Q_EMIT MagnifierPointChanged(point.X, point.Y);
}

void TModelPaintBox::SetPaletteTextTarget(bool text)
{
  Q_EMIT PaletteTargetChanged(text);
}

TDropSite TModelPaintBox::DropSiteAt(QPoint pixel)
{
  // The widget on top at the point, found from the windows' own geometry (the window
  // system's answer ends at the screens it knows): this surface's window first, then any
  // other window of the program. The surface is that widget or holds it.
  const QPoint global = mapToGlobal(pixel);
  QList<QWidget*> windows = QApplication::topLevelWidgets();
  windows.removeOne(window());
  windows.prepend(window());
  for (QWidget* top : windows) {
    if (!top->isVisible()) continue;
    const QPoint local = top->mapFromGlobal(global);
    if (!top->rect().contains(local)) continue;
    QWidget* widget = top->childAt(local);
    for (widget = widget ? widget : top; widget; widget = widget->parentWidget())
      if (auto* box = qobject_cast<TModelPaintBox*>(widget))
        return {&box->machine_, box->mapFromGlobal(global)};
    return {};
  }
  return {};
}

// ---- Events -------------------------------------------------------------------------------

TPointerInput TModelPaintBox::Translate(const QMouseEvent& event) const
{
  TPointerInput input;
  input.Pixel = event.position().toPoint();
  // The platform cannot confine the pointer; while a gesture holds the button the implicit
  // grab still reports every position, and they are kept inside the window.
  if (confined_) {
    input.Pixel.setX(std::clamp(input.Pixel.x(), 0, std::max(0, width() - 1)));
    input.Pixel.setY(std::clamp(input.Pixel.y(), 0, std::max(0, height() - 1)));
  }
  input.Button = ButtonOf(event.button());
  const Qt::MouseButtons buttons = event.buttons();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  input.State.Shift = modifiers & Qt::ShiftModifier;
  input.State.Alt = modifiers & Qt::AltModifier;
  input.State.Ctrl = modifiers & Qt::ControlModifier;
  input.State.Left = buttons & Qt::LeftButton;
  input.State.Right = buttons & Qt::RightButton;
  input.State.Middle = buttons & Qt::MiddleButton;
  return input;
}

void TModelPaintBox::mousePressEvent(QMouseEvent* event)
{
  machine_.MouseDown(Translate(*event));
}

void TModelPaintBox::mouseMoveEvent(QMouseEvent* event)
{
  machine_.MouseMove(Translate(*event));
}

void TModelPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
  machine_.MouseUp(Translate(*event));
}

void TModelPaintBox::mouseDoubleClickEvent(QMouseEvent* event)
{
  machine_.DoubleClick(Translate(*event));
}

void TModelPaintBox::keyPressEvent(QKeyEvent* event)
{
  keys_.Press(event->key(), event->isAutoRepeat());
  const bool control = event->modifiers() & Qt::ControlModifier;
  bool handled = false;
  if (IsViewOrDeleteKey(event->key()))
    handled = machine_.KeyDown(keys_, control);
  else
    handled = machine_.KeyPress(event->key());
  if (!handled) QWidget::keyPressEvent(event);
}

void TModelPaintBox::keyReleaseEvent(QKeyEvent* event)
{
  keys_.Release(event->key(), event->isAutoRepeat());
  QWidget::keyReleaseEvent(event);
}

void TModelPaintBox::focusOutEvent(QFocusEvent* event)
{
  keys_.Clear();
  QWidget::focusOutEvent(event);
}
