// Two model windows side by side in one multiple-document area on the offscreen platform,
// each a drawing surface at 100 % with the model's corner in the window's corner (one inch
// is 96 pixels), with its document, undo recorder and an observer; the first window can be
// maximised. Gesture scripts send real mouse events to the surface that holds the pointer
// (the one pressed on), wherever the pointer goes, as the window system does during a drag.
#pragma once

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <memory>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"
#include "io/undorecorder.h"
#include "model/cogi.h"

class TModelWindow : public IDocumentObserver {
 public:
  TModelWindow()
  {
    document.SetUndoRecorder(&recorder);
    document.SetObserver(this);
  }
  ~TModelWindow() override { document.SetObserver(nullptr); }

  TCogi* Cogi(double x, double y, int variant = 7)
  {
    auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
    cogi->SetShape(variant, 0);
    cogi->X = x;
    cogi->Y = y;
    cogi->Recalculate(&document.Objects, true);
    return cogi;
  }
  void Baseline() { TUndoRecorder::TakeBaseline(document); }
  void Paint() { box->PaintNow(false); }
  int UndoCount() const { return static_cast<int>(document.UndoList.size()); }
  QString LastCaption() const
  {
    return document.UndoList.empty() ? QString() : document.UndoList.back().Caption;
  }

  void Repaint() override { box->Repaint(); }
  void UpdateControls() override {}
  void SyncTextToolbar() override {}
  void Beep() override { ++beeps; }
  void ReportError(const QString& message) override { errors << message; }
  void PaintNow(bool fast) override { box->PaintNow(fast); }

  TModelDocument document;
  TUndoRecorder recorder;
  TModelPaintBox* box = nullptr;  // owned by its sub-window
  QMdiSubWindow* sub = nullptr;
  QStringList errors;
  int beeps = 0;
};

class TModelWindows {
 public:
  explicit TModelWindows(bool maximised)
  {
    area.resize(1400, 720);
    for (TModelWindow* w : {&first, &second}) {
      w->box = new TModelPaintBox(w->document);
      w->sub = area.addSubWindow(w->box);
    }
    area.show();
    first.sub->setGeometry(0, 0, 680, 700);
    second.sub->setGeometry(700, 0, 680, 700);
    first.sub->show();
    second.sub->show();
    if (maximised) first.sub->showMaximized();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&area));
    for (TModelWindow* w : {&first, &second}) {
      w->document.ScreenDpiX = w->document.ScreenDpiY = 96;
      w->document.Zoom = 100;
      w->document.ViewOrigin = {0, 0};
      w->Baseline();
      w->Paint();
    }
  }

  static QPoint Pixel(double x, double y) { return QPoint(qRound(x * 96), qRound(y * 96)); }
  static QPoint Pixel(const CGPObject* o) { return Pixel(o->X, o->Y); }

  // ---- Gesture scripts; points are pixels of the window named
  void Press(TModelWindow& w, QPoint at, Qt::KeyboardModifiers keys = {})
  {
    grabber_ = w.box;
    buttons_ = Qt::LeftButton;
    Send(QEvent::MouseButtonPress, w, at, Qt::LeftButton, keys);
  }
  void Move(TModelWindow& w, QPoint to, Qt::KeyboardModifiers keys = {})
  {
    Send(QEvent::MouseMove, w, to, Qt::NoButton, keys);
  }
  void Release(TModelWindow& w, QPoint at, Qt::KeyboardModifiers keys = {})
  {
    buttons_ = {};
    Send(QEvent::MouseButtonRelease, w, at, Qt::LeftButton, keys);
    grabber_ = nullptr;
  }
  void Click(TModelWindow& w, QPoint at, Qt::KeyboardModifiers keys = {})
  {
    Press(w, at, keys);
    Release(w, at, keys);
  }
  // A press in one window, a drag in steps and the release, possibly over another window.
  void Drag(TModelWindow& from, QPoint a, TModelWindow& to, QPoint b,
            Qt::KeyboardModifiers keys = {}, int steps = 4)
  {
    Press(from, a, keys);
    const QPoint ga = from.box->mapToGlobal(a);
    const QPoint gb = to.box->mapToGlobal(b);
    for (int i = 1; i <= steps; ++i)
      MoveGlobal(ga + (gb - ga) * i / steps, keys);
    Release(to, b, keys);
  }
  void Drag(TModelWindow& w, QPoint a, QPoint b, Qt::KeyboardModifiers keys = {})
  {
    Drag(w, a, w, b, keys);
  }
  void Key(TModelWindow& w, int key) { QTest::keyClick(w.box, Qt::Key(key)); }

  // The windows outlive the area, whose surfaces refer to their documents.
  TModelWindow first;
  TModelWindow second;
  QMdiArea area;

 private:
  void MoveGlobal(QPoint global, Qt::KeyboardModifiers keys)
  {
    TModelPaintBox* to = grabber_ ? grabber_ : first.box;
    QMouseEvent event(QEvent::MouseMove, to->mapFromGlobal(global), global, Qt::NoButton, buttons_,
                      keys, QPointingDevice::primaryPointingDevice());
    QApplication::sendEvent(to, &event);
  }
  void Send(QEvent::Type type, TModelWindow& w, QPoint at, Qt::MouseButton button,
            Qt::KeyboardModifiers keys)
  {
    const QPoint global = w.box->mapToGlobal(at);
    TModelPaintBox* to = grabber_ ? grabber_ : w.box;
    QMouseEvent event(type, to->mapFromGlobal(global), global, button, buttons_, keys,
                      QPointingDevice::primaryPointingDevice());
    QApplication::sendEvent(to, &event);
  }

  TModelPaintBox* grabber_ = nullptr;
  Qt::MouseButtons buttons_;
};
