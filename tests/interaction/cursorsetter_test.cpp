// Window and screen cursors: animation steps on the setter's timer, hovering does not restart
// it, and the screen cursor is one override level at most, released at the end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "interaction/cursorsetter.h"

namespace {

QImage Shown(const QCursor& cursor)
{
  return cursor.pixmap().toImage();
}

TEST(CursorSetter, AnimatedWindowCursorAdvancesOnItsTimerAndHoverKeepsItRunning)
{
  TCursorLibrary& library = TCursorLibrary::Shared();
  ASSERT_GT(library.FrameCount(crBee), 2);
  QWidget window;
  TCursorSetter setter(&window);
  setter.SetCursor(crBee);
  EXPECT_EQ(Shown(window.cursor()), Shown(library.Cursor(crBee, 0)));
  EXPECT_TRUE(setter.WindowTimer().isActive());
  EXPECT_EQ(setter.WindowTimer().interval(), library.FrameInterval(crBee));

  setter.StepWindowCursor();
  EXPECT_EQ(Shown(window.cursor()), Shown(library.Cursor(crBee, 1)));
  // Hovering sets the same cursor on every move; the animation must go on from where it is.
  setter.SetCursor(crBee);
  setter.StepWindowCursor();
  EXPECT_EQ(setter.WindowFrame(), 2);
  EXPECT_EQ(Shown(window.cursor()), Shown(library.Cursor(crBee, 2)));

  setter.SetCursor(crMove);
  EXPECT_FALSE(setter.WindowTimer().isActive());
  EXPECT_EQ(Shown(window.cursor()), Shown(library.Cursor(crMove)));
  setter.SetCursor(crSizeNESW);
  EXPECT_EQ(window.cursor().shape(), Qt::SizeBDiagCursor);

  // A rebuilt renumber cursor shows although its number is the same.
  library.BuildRenumberCursor(7);
  setter.SetCursor(crRenumber);
  const QImage seven = window.cursor().mask().toImage();
  library.BuildRenumberCursor(8);
  setter.SetCursor(crRenumber);
  EXPECT_NE(window.cursor().mask().toImage(), seven);
}

TEST(CursorSetter, ScreenCursorNeverStacksAndIsReleasedByItsOwner)
{
  ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
  QWidget window;
  {
    TCursorSetter setter(&window);
    setter.ReleaseScreenCursor();  // none set: nothing happens
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    setter.SetScreenCursor(crHandGrab);
    setter.SetScreenCursor(crMove);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Shown(*QGuiApplication::overrideCursor()),
              Shown(TCursorLibrary::Shared().Cursor(crMove)));
    setter.ReleaseScreenCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Two windows share the one screen cursor; the second takes over, and one release ends it.
    TCursorSetter other(&window);
    setter.SetScreenCursor(crHourGlass);
    other.SetScreenCursor(crStinger);
    EXPECT_FALSE(setter.ScreenTimer().isActive());
    EXPECT_TRUE(other.ScreenTimer().isActive());
    other.StepScreenCursor();
    EXPECT_EQ(Shown(*QGuiApplication::overrideCursor()),
              Shown(TCursorLibrary::Shared().Cursor(crStinger, 1)));
    setter.ReleaseScreenCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(other.ScreenTimer().isActive());

    // A gesture cut short by the window closing leaves no override behind.
    setter.SetScreenCursor(crHandGrab);
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
