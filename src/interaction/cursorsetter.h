// Shows cursors from the library on a window, and the program's one "screen cursor": an
// application override that hides every window's cursor during a gesture or while busy.
// Animated cursors step through their frames on timers the setter owns.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "interaction/cursorlibrary.h"

class TCursorSetter : public QObject {
  Q_OBJECT

 public:
  explicit TCursorSetter(QWidget* window, TCursorLibrary& library = TCursorLibrary::Shared());
  // Releases the screen cursor when this setter set it last.
  ~TCursorSetter() override;

  // The window's cursor. Setting the one already shown keeps its animation running, so that
  // hovering can set it on every move; a rebuilt cursor of the same number is shown anew.
  void SetCursor(int id);
  int CursorId() const { return windowId_; }

  // The screen cursor: set once as an override and changed in place after that, so that it
  // never stacks; releasing when none is set does nothing.
  void SetScreenCursor(int id);
  void ReleaseScreenCursor();
  bool ScreenCursorSet() const { return screenOwner_ != nullptr; }
  int ScreenCursorId() const;

  // The timers call these to show the next frame; a test can call them instead of waiting.
  void StepWindowCursor();
  void StepScreenCursor();
  int WindowFrame() const { return windowFrame_; }
  const QTimer& WindowTimer() const { return windowTimer_; }
  const QTimer& ScreenTimer() const { return screenTimer_; }

 private:
  void ShowWindowCursor();
  QCursor ScreenCursor() const;
  // Starts or stops `timer` for the animation of `id`.
  void Animate(QTimer& timer, int id);

  // The setter whose cursor the override shows, if any: the override is one for the whole
  // program, whichever window set it.
  static TCursorSetter* screenOwner_;

  QPointer<QWidget> window_;
  TCursorLibrary& library_;
  int windowId_ = crDefault;
  int windowFrame_ = 0;
  int windowRevision_ = -1;
  int screenId_ = crDefault;
  int screenFrame_ = 0;
  int screenRevision_ = -1;
  QTimer windowTimer_;
  QTimer screenTimer_;
};
