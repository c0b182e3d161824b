#include "app/commands/quickzoom.h"

#include "app/modelform.h"
#include "document/modelview.h"

TQuickZoom::TQuickZoom(QObject* parent) : QObject(parent)
{
  connect(&timer_, &QTimer::timeout, this, [this] {
    timer_.setInterval(kRepeatMs);
    Step();
  });
}

void TQuickZoom::Begin(TModelForm* form, bool in)
{
  End();
  if (!form) return;
  form_ = form;
  in_ = in;
  TModelView(form->Document()).PushView();
  if (!Step()) return;
  timer_.start(kFirstDelayMs);
}

void TQuickZoom::End()
{
  const bool running = timer_.isActive() || form_;
  timer_.stop();
  form_.clear();
  if (running) Q_EMIT Ended();
}

bool TQuickZoom::Step()
{
  if (!form_) {
    End();
    return false;
  }
  TModelView(form_->Document()).ZoomStep(in_);
  form_->Repaint();
  Q_EMIT Stepped();
  return true;
}
