// A model window's drawing surface on the offscreen platform for the gesture benchmarks: a
// generated model, the real widget, undo recording, and mouse events sent as a hand would.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"
#include "io/undorecorder.h"
#include "support/modelgenerator.h"

class TBenchSurface : public IDocumentObserver {
 public:
  explicit TBenchSurface(int objects)
  {
    TModelGenerator::Build(document, objects);
    document.SetUndoRecorder(&recorder);
    document.SetObserver(this);
    box = std::make_unique<TModelPaintBox>(document);
    box->resize(1920, 1080);
    box->show();
    if (!QTest::qWaitForWindowExposed(box.get())) qWarning("the surface was not shown");
    TUndoRecorder::TakeBaseline(document);
  }
  ~TBenchSurface() override
  {
    box.reset();
    document.SetObserver(nullptr);
  }

  void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
  {
    buttons_ |= button;
    Send(QEvent::MouseButtonPress, at, button, keys);
  }
  void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
  {
    buttons_ &= ~Qt::MouseButtons(button);
    Send(QEvent::MouseButtonRelease, at, button, keys);
  }
  void Move(QPoint to, Qt::KeyboardModifiers keys = {})
  {
    Send(QEvent::MouseMove, to, Qt::NoButton, keys);
  }
  // The pixel of a model point in the current view.
  QPoint Pixel(TModelPoint p)
  {
    const TModelView view(document);
    return QPoint(view.ScreenX(p.X), view.ScreenY(p.Y));
  }

  void Repaint() override { box->Repaint(); }
  void UpdateControls() override {}
  void SyncTextToolbar() override {}
  void Beep() override {}
  void PaintNow(bool fast) override { box->PaintNow(fast); }

  TModelDocument document;
  TUndoRecorder recorder;
  std::unique_ptr<TModelPaintBox> box;

 private:
  void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers keys)
  {
    QMouseEvent event(type, at, box->mapToGlobal(at), button, buttons_, keys,
                      QPointingDevice::primaryPointingDevice());
    QApplication::sendEvent(box.get(), &event);
  }

  Qt::MouseButtons buttons_;
};

// The median of several timed runs, in milliseconds.
template <typename F>
double MedianMs(int runs, F&& work)
{
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    work(i);
    times.push_back(timer.nsecsElapsed() / 1.0e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}
