// Automatic scrolling while the selection is dragged: the pointer held in a window's border
// or beyond its edge scrolls the view on the timer while the button stays held, and what
// is dragged lands under the pointer in the scrolled view; in a maximised window and in a
// normal one, where moving is a drag that may go on to another window.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <cmath>

#include "geometry/geometry.h"
#include "interaction/modelwindows.h"
#include "model/cluster.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/balloon.h"

namespace {

TCluster* Box(TModelWindow& w, double x, double y)
{
  auto* box = static_cast<TCluster*>(w.document.CreateObject(okCluster));
  box->X = x;
  box->Y = y;
  box->Width = 2;
  box->Height = 1;
  box->ShapeVariant = 3;
  box->Outline = MakeShapeOutline(okCluster, 3, 2, 1);
  box->Recalculate(&w.document.Objects, true);
  return box;
}

void SelectOnly(TModelWindow& w, CGPObject* object)
{
  w.document.DeselectAll(false);
  w.document.SelectObject(object, false);
  w.Paint();
}

// Lets the event loop run until the condition holds; false when it never does.
template <typename F>
bool Eventually(F condition)
{
  QDeadlineTimer deadline(20000);
  while (!condition() && !deadline.hasExpired())
    QTest::qWait(5);
  return condition();
}

// The model point under a pixel of a window.
TModelPoint ModelAt(TModelWindow& w, QPoint pixel)
{
  const TModelPoint origin = w.document.ViewOrigin;
  return {origin.X + pixel.x() / 96.0, origin.Y + pixel.y() / 96.0};
}

class GestureScroll : public ::testing::TestWithParam<bool> {
 protected:
  GestureScroll()
  {
    m.document.SnapToGrid = false;
    m.document.SnapToShape = false;
  }

  // A press, a drag into the right border (one step at once), the pointer held beyond the
  // right edge until the view has gone on scrolling by itself, and back inside to release.
  void ScrollingDrag(QPoint from, QPoint to)
  {
    const int middle = m.box->height() / 2;
    w.Press(m, from);
    w.Move(m, from + QPoint(12, 0));
    w.Move(m, QPoint(m.box->width() - 4, middle));
    const double stepped = m.document.ViewOrigin.X;
    EXPECT_GT(stepped, 0.0);
    w.Move(m, QPoint(m.box->width() + 6, middle));
    EXPECT_TRUE(Eventually([&] { return m.document.ViewOrigin.X > stepped + 0.5; }));
    w.Move(m, to);
    const TModelPoint origin = m.document.ViewOrigin;
    QTest::qWait(4 * TModeMachine::kAutoScrollInterval);
    EXPECT_EQ(m.document.ViewOrigin, origin) << "scrolled on with the pointer back inside";
    w.Release(m, to);
    EXPECT_EQ(m.document.ViewOrigin, origin);
    EXPECT_EQ(m.document.Mode, opNone);
  }

  TModelWindows w{GetParam()};
  TModelWindow& m = w.first;
};

}  // namespace

TEST_P(GestureScroll, AMovedObjectLandsUnderThePointerInTheScrolledView)
{
  TCogi* a = m.Cogi(2, 2);
  SelectOnly(m, a);
  const QPoint to(300, 200);
  ScrollingDrag(w.Pixel(a), to);
  EXPECT_EQ(m.document.Objects.size(), 1u);
  const TModelPoint p = ModelAt(m, to);
  EXPECT_NEAR(a->X, p.X, 1e-9);
  EXPECT_NEAR(a->Y, p.Y, 1e-9);
  EXPECT_GT(a->X, to.x() / 96.0 + 0.5);
  ASSERT_EQ(m.UndoCount(), 1);
  EXPECT_EQ(m.LastCaption(), QStringLiteral("Move Cogis"));
}

TEST_P(GestureScroll, AResizedCornerLandsUnderThePointerInTheScrolledView)
{
  TCluster* box = Box(m, 3, 3);
  SelectOnly(m, box);
  const QPoint to(400, 420);
  ScrollingDrag(w.Pixel(4, 3.5), to);
  const TModelPoint p = ModelAt(m, to);
  // The top-left corner stays; the bottom-right one follows the pointer.
  EXPECT_NEAR(box->X - box->Width / 2, 2.0, 1e-9);
  EXPECT_NEAR(box->Y - box->Height / 2, 2.5, 1e-9);
  EXPECT_NEAR(box->X + box->Width / 2, p.X, 1e-9);
  EXPECT_NEAR(box->Y + box->Height / 2, p.Y, 1e-9);
  ASSERT_EQ(m.UndoCount(), 1);
  EXPECT_EQ(m.LastCaption(), QStringLiteral("Adjust Size"));
}

TEST_P(GestureScroll, ACalloutsTipLandsUnderThePointerInTheScrolledView)
{
  auto* callout = static_cast<TBalloon*>(m.document.CreateObject(okBalloon));
  callout->X = 3;
  callout->Y = 2;
  callout->Width = 2;
  callout->Height = 1;
  callout->MoveTip({5, 4});
  callout->Recalculate(&m.document.Objects, true);
  SelectOnly(m, callout);
  const QPoint to(250, 350);
  ScrollingDrag(w.Pixel(5, 4), to);
  const TModelPoint p = ModelAt(m, to);
  EXPECT_NEAR(callout->Tip().X, p.X, 1e-9);
  EXPECT_NEAR(callout->Tip().Y, p.Y, 1e-9);
  ASSERT_EQ(m.UndoCount(), 1);
  EXPECT_EQ(m.LastCaption(), QStringLiteral("Adjust Special"));
}

TEST_P(GestureScroll, ARotationFollowsThePointerIntoTheScrolledView)
{
  TCluster* box = Box(m, 3, 3);
  SelectOnly(m, box);
  m.document.ChangeMode(opRotateReady);
  m.Paint();
  const QPoint press = w.Pixel(4, 3.5);
  const QPoint to(100, 500);
  ScrollingDrag(press, to);
  // The centre stayed in the model while the view moved under it.
  const TModelPoint c{3, 3};
  const long swept = std::lround(Bearing(c, ModelAt(m, to)) - Bearing(c, {4, 3.5}));
  const double expected = std::fmod(static_cast<double>(swept) + 720.0, 360.0);
  ASSERT_NE(expected, 0.0);
  EXPECT_EQ(box->Angle, expected);
  EXPECT_EQ(box->Centre(), c);
  ASSERT_EQ(m.UndoCount(), 1);
  EXPECT_EQ(m.LastCaption(), QStringLiteral("Rotate Cogis"));
}

INSTANTIATE_TEST_SUITE_P(Windows, GestureScroll, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Maximised" : "Normal"; });

// A drag to another window scrolls that window, at its border and beyond its edge, and
// leaves the window it came from as it was; the drop lands under the pointer there.
TEST(GestureScroll, TheWindowUnderADragScrollsAndTakesTheDropWhereThePointerEnds)
{
  TModelWindows w(false);
  TModelWindow& to = w.second;
  to.document.SnapToGrid = false;
  to.document.SnapToShape = false;
  TCogi* a = w.first.Cogi(2, 2);
  SelectOnly(w.first, a);
  const int middle = to.box->height() / 2;
  w.Press(w.first, w.Pixel(a));
  w.Move(w.first, w.Pixel(a) + QPoint(12, 0));
  w.Move(to, QPoint(200, middle));
  EXPECT_EQ(to.document.ViewOrigin, (TModelPoint{0, 0}));
  w.Move(to, QPoint(to.box->width() - 3, middle));
  const double stepped = to.document.ViewOrigin.X;
  EXPECT_GT(stepped, 0.0);
  w.Move(to, QPoint(to.box->width() + 5, middle));
  EXPECT_TRUE(Eventually([&] { return to.document.ViewOrigin.X > stepped + 0.5; }));
  const QPoint end(320, 240);
  w.Move(to, end);
  const TModelPoint origin = to.document.ViewOrigin;
  w.Release(to, end);
  EXPECT_EQ(to.document.ViewOrigin, origin);
  EXPECT_EQ(w.first.document.ViewOrigin, (TModelPoint{0, 0}));

  EXPECT_TRUE(w.first.document.Objects.empty());
  ASSERT_EQ(to.document.Objects.size(), 1u);
  const TModelPoint p = ModelAt(to, end);
  EXPECT_NEAR(to.document.Objects.front()->X, p.X, 1e-9);
  EXPECT_NEAR(to.document.Objects.front()->Y, p.Y, 1e-9);
  EXPECT_EQ(to.LastCaption(), QStringLiteral("Add Cogis"));
}
