// A model window's drawing surface on the offscreen platform, at 100 % with the model's
// top-left corner in the window's corner (one inch is 96 pixels), with its document, undo
// recorder and an observer that records messages; and gesture scripts of real mouse and key
// events sent to it.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <memory>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"
#include "io/undorecorder.h"
#include "model/cogi.h"

class TGestureSurface : public IDocumentObserver {
 public:
  explicit TGestureSurface(QSize size = QSize(800, 600))
  {
    document.SetUndoRecorder(&recorder);
    document.SetObserver(this);
    box = std::make_unique<TModelPaintBox>(document);
    box->resize(size);
    box->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    document.ScreenDpiX = document.ScreenDpiY = 96;
    document.Zoom = 100;
    document.ViewOrigin = {0, 0};
    TUndoRecorder::TakeBaseline(document);
    Paint();
  }
  ~TGestureSurface() override
  {
    box.reset();
    document.SetObserver(nullptr);
  }

  // ---- The model
  TCogi* Cogi(double x, double y, int variant = 7)
  {
    auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
    cogi->SetShape(variant, 0);
    cogi->X = x;
    cogi->Y = y;
    cogi->Recalculate(&document.Objects, true);
    return cogi;
  }
  // The model as built so far is what undo goes back to.
  void Baseline() { TUndoRecorder::TakeBaseline(document); }
  // A full paint: visible objects, hit and handle regions as the user would see them.
  void Paint() { box->PaintNow(false); }
  static QPoint Pixel(double x, double y) { return QPoint(qRound(x * 96), qRound(y * 96)); }
  static QPoint Pixel(const CGPObject* o) { return Pixel(o->X, o->Y); }
  TOperationMode Mode() const { return document.Mode; }
  int UndoCount() const { return static_cast<int>(document.UndoList.size()); }

  // ---- Gesture scripts
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
  void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
  {
    Press(at, button, keys);
    Release(at, button, keys);
  }
  // A press, a drag in steps and the release, as a hand moves.
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}, int steps = 4)
  {
    Press(from, Qt::LeftButton, keys);
    for (int i = 1; i <= steps; ++i)
      Move(from + (to - from) * i / steps, keys);
    Release(to, Qt::LeftButton, keys);
  }
  // What the platform sends for a double click: press, release, double click, release.
  void DoubleClick(QPoint at)
  {
    Click(at);
    buttons_ |= Qt::LeftButton;
    Send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, {});
    Release(at);
  }
  void Key(int key, Qt::KeyboardModifiers keys = {})
  {
    QTest::keyClick(box.get(), Qt::Key(key), keys);
  }

  // ---- IDocumentObserver
  void Repaint() override { box->Repaint(); }
  void UpdateControls() override {}
  void SyncTextToolbar() override {}
  void Beep() override { ++beeps; }
  void ReportError(const QString& message) override { errors << message; }
  void PaintNow(bool fast) override { box->PaintNow(fast); }

  TModelDocument document;
  TUndoRecorder recorder;
  std::unique_ptr<TModelPaintBox> box;
  QStringList errors;
  int beeps = 0;

 private:
  void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers keys)
  {
    QMouseEvent event(type, at, box->mapToGlobal(at), button, buttons_, keys,
                      QPointingDevice::primaryPointingDevice());
    QApplication::sendEvent(box.get(), &event);
  }

  Qt::MouseButtons buttons_;
};
