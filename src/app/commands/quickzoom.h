// The quick zoom of the rocker button: while it is held the model zooms in (or out) a step
// at a time on a timer. The model window may close meanwhile (a keyboard shortcut, the
// window menu): every step first checks that it still exists and stops otherwise.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class TModelForm;

class TQuickZoom : public QObject {
  Q_OBJECT

 public:
  static constexpr int kFirstDelayMs = 250;
  static constexpr int kRepeatMs = 60;

  explicit TQuickZoom(QObject* parent = nullptr);

  // The button went down over one half: the view is pushed on the zoom-back stack once and
  // the first step is taken at once.
  void Begin(TModelForm* form, bool in);
  // The pointer crossed the button's middle while held.
  void SetDirection(bool in) { in_ = in; }
  void End();
  bool Running() const { return timer_.isActive(); }
  // One step, as the timer takes it; false (and the loop ended) when the window is gone.
  bool Step();

 Q_SIGNALS:
  void Stepped();
  void Ended();

 private:
  QPointer<TModelForm> form_;
  QTimer timer_;
  bool in_ = true;
};
