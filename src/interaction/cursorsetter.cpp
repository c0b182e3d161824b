#include "interaction/cursorsetter.h"

#include <QGuiApplication>

TCursorSetter* TCursorSetter::screenOwner_ = nullptr;

TCursorSetter::TCursorSetter(QWidget* window, TCursorLibrary& library)
    : window_(window), library_(library)
{
  connect(&windowTimer_, &QTimer::timeout, this, &TCursorSetter::StepWindowCursor);
  connect(&screenTimer_, &QTimer::timeout, this, &TCursorSetter::StepScreenCursor);
}

TCursorSetter::~TCursorSetter()
{
  if (screenOwner_ == this) ReleaseScreenCursor();
}

void TCursorSetter::SetCursor(int id)
{
  if (id == windowId_ && library_.Revision() == windowRevision_) return;
  windowId_ = id;
  windowFrame_ = 0;
  windowRevision_ = library_.Revision();
  ShowWindowCursor();
  Animate(windowTimer_, id);
}

void TCursorSetter::StepWindowCursor()
{
  windowFrame_ = (windowFrame_ + 1) % library_.FrameCount(windowId_);
  ShowWindowCursor();
}

void TCursorSetter::ShowWindowCursor()
{
  if (!window_) return;
  window_->setCursor(library_.Cursor(windowId_, windowFrame_, window_->devicePixelRatioF()));
}

void TCursorSetter::SetScreenCursor(int id)
{
  if (screenOwner_ == this && id == screenId_ && library_.Revision() == screenRevision_) return;
  TCursorSetter* previous = screenOwner_;
  screenOwner_ = this;
  screenId_ = id;
  screenFrame_ = 0;
  screenRevision_ = library_.Revision();
  if (previous) {
    previous->screenTimer_.stop();
    QGuiApplication::changeOverrideCursor(ScreenCursor());
  } else {
    QGuiApplication::setOverrideCursor(ScreenCursor());
  }
  Animate(screenTimer_, id);
}

void TCursorSetter::ReleaseScreenCursor()
{
  if (!screenOwner_) return;
  screenOwner_->screenTimer_.stop();
  screenOwner_ = nullptr;
  QGuiApplication::restoreOverrideCursor();
}

int TCursorSetter::ScreenCursorId() const
{
  return screenOwner_ ? screenOwner_->screenId_ : crDefault;
}

void TCursorSetter::StepScreenCursor()
{
  if (screenOwner_ != this) return;
  screenFrame_ = (screenFrame_ + 1) % library_.FrameCount(screenId_);
  QGuiApplication::changeOverrideCursor(ScreenCursor());
}

QCursor TCursorSetter::ScreenCursor() const
{
  const qreal ratio = window_ ? window_->devicePixelRatioF() : qApp->devicePixelRatio();
  return library_.Cursor(screenId_, screenFrame_, ratio);
}

void TCursorSetter::Animate(QTimer& timer, int id)
{
  const int interval = library_.FrameInterval(id);
  if (interval > 0) {
    timer.start(interval);
  } else {
    timer.stop();
  }
}
