#include <gtest/gtest.h>

#include "document/documenttestsupport.h"
#include "document/modelview.h"
#include "platform/asyncinput.h"

namespace {

// A document whose model is 21 x 15.5 inches (2 x 2 pages of 10.5 x 7.75).
struct TViewFixture {
  TViewFixture(int w, int h) : document(&printer), view(document)
  {
    document.ClientSize = QSize(w, h);
    document.SetObserver(&observer);
  }
  TFixedPrinter printer;
  TModelDocument document;
  TRecordingObserver observer;
  TModelView view;
};

// Counts the frames and asks to stop after a given number.
class TStopAfter : public IAsyncInput {
 public:
  explicit TStopAfter(int frames) : left_(frames) {}
  bool CancelRequested() override { return left_-- <= 0; }
  QPoint PointerPosition() override { return {}; }
  bool PointerConfined() override { return false; }

 private:
  int left_;
};

}  // namespace

TEST(ModelView, ConversionsRoundHalfToEven)
{
  TViewFixture f(1000, 600);
  f.document.Zoom = 50;
  f.document.ViewOrigin = {1, 2};
  EXPECT_DOUBLE_EQ(f.view.PixelsToModel(48), 1.0);
  EXPECT_DOUBLE_EQ(f.view.ModelXAt(96), 3.0);
  EXPECT_DOUBLE_EQ(f.view.ModelYAt(48), 3.0);
  EXPECT_EQ(f.view.ModelToPixels(1), 48);
  EXPECT_EQ(f.view.ScreenX(3), 96);
  EXPECT_EQ(f.view.ScreenY(1), -48);
  // 1/96 inch at 50 % is half a pixel: ties go to the even neighbour.
  f.document.ViewOrigin = {0, 0};
  EXPECT_EQ(f.view.ScreenX(1.0 / 96.0), 0);
  EXPECT_EQ(f.view.ScreenX(3.0 / 96.0), 2);
  f.document.Zoom = 25;  // 24 pixels an inch: binary fractions land exactly on halves
  EXPECT_EQ(f.view.ScreenX(0.0625), 2);
  EXPECT_EQ(f.view.ScreenX(0.1875), 4);
  EXPECT_EQ(f.view.ScreenY(-0.0625), -2);
  f.document.Zoom = 50;
  f.document.ViewOrigin = {1, 2};
  EXPECT_DOUBLE_EQ(f.view.HalfWidth(), f.view.PixelsToModel(500));
  // Odd client sizes halve towards zero.
  f.document.ClientSize = QSize(1001, 601);
  EXPECT_DOUBLE_EQ(f.view.HalfWidth(), f.view.PixelsToModel(500));
  const TViewRect rect = f.view.ViewRect();
  EXPECT_DOUBLE_EQ(rect.BottomRight.X, 1 + 1001.0 / 48.0);
}

TEST(ModelView, WholeModelZoomCentresTheModel)
{
  TViewFixture f(1000, 600);
  EXPECT_NEAR(f.view.WholeModelZoom(), 600.0 / (16.5 * 96) * 100, 1e-9);  // 37.88
  f.view.ShowWholeModel();
  EXPECT_NEAR(f.document.Zoom, 37.878787, 1e-5);
  // The model's centre is the window's centre.
  EXPECT_NEAR(f.view.ModelXAt(500), 10.5, 1e-9);
  EXPECT_NEAR(f.view.ModelYAt(300), 7.75, 1e-9);
  EXPECT_EQ(f.observer.fullPaints, 1);

  TViewFixture wide(3000, 600);
  EXPECT_NEAR(wide.view.WholeModelZoom(), 600.0 / (16.5 * 96) * 100, 1e-9);
  TViewFixture tall(500, 2000);
  EXPECT_NEAR(tall.view.WholeModelZoom(), 500.0 / (22 * 96) * 100, 1e-9);
  // A tiny window never goes below 1 %.
  TViewFixture tiny(2, 2);
  EXPECT_DOUBLE_EQ(tiny.view.WholeModelZoom(), 1.0);
}

TEST(ModelView, SetViewZoomsAboutTheCentreWithinLimits)
{
  TViewFixture f(1000, 600);
  f.view.ShowWholeModel();
  const double wholeZoom = f.document.Zoom;

  // "10 %" is below the whole-model zoom: the whole model is shown.
  f.view.SetView(true, 10, 0, 0, 0, 0);
  EXPECT_DOUBLE_EQ(f.document.Zoom, wholeZoom);

  // "400 %" zooms about the current centre.
  f.view.SetView(true, 400, 0, 0, 0, 0);
  EXPECT_DOUBLE_EQ(f.document.Zoom, 400);
  EXPECT_NEAR(f.document.ViewOrigin.X + f.view.HalfWidth(), 10.5, 1e-9);
  EXPECT_NEAR(f.document.ViewOrigin.Y + f.view.HalfHeight(), 7.75, 1e-9);

  // 450 is ignored entirely.
  const TModelPoint before = f.document.ViewOrigin;
  f.view.SetView(true, 450, 3, 3, 0, 0);
  EXPECT_DOUBLE_EQ(f.document.Zoom, 400);
  EXPECT_EQ(f.document.ViewOrigin, before);

  // A centre given explicitly.
  f.view.SetView(true, 100, 5, 4, 0, 0);
  EXPECT_NEAR(f.document.ViewOrigin.X, 5 - 500.0 / 96.0, 1e-12);
  EXPECT_NEAR(f.document.ViewOrigin.Y, 4 - 300.0 / 96.0, 1e-12);

  // A fitted rectangle of 0.1 x 0.1 inch stops at 400 %, centred on the box.
  f.view.SetView(true, 0, 2, 2, 2.1, 2.1);
  EXPECT_DOUBLE_EQ(f.document.Zoom, 400);
  EXPECT_NEAR(f.document.ViewOrigin.X + f.view.HalfWidth(), 2.05, 1e-9);
  // A fitted rectangle: 10 x 3 inches in 1000 x 600 pixels is limited by its width.
  f.view.SetView(true, 0, 1, 1, 11, 4);
  EXPECT_DOUBLE_EQ(f.document.Zoom, 1000.0 / 96.0 / 10.0 * 100.0);
  EXPECT_NEAR(f.document.ViewOrigin.Y + f.view.HalfHeight(), 2.5, 1e-9);

  // Zoom steps: + at 100 asks for 110, - at the whole-model zoom shows the whole model.
  f.view.SetView(true, 100, 5, 4, 0, 0);
  f.view.ZoomStep(true);
  EXPECT_DOUBLE_EQ(f.document.Zoom, 110);
  f.view.ShowWholeModel();
  f.view.ZoomStep(false);
  EXPECT_DOUBLE_EQ(f.document.Zoom, wholeZoom);
}

TEST(ModelView, AnimationZoomBackAndTheMainView)
{
  TViewFixture f(1000, 600);
  f.view.SetView(false, 100, 5, 4, 0, 0);
  f.view.PushView();
  const TViewRect pushed = f.view.ViewRect();
  f.view.SetView(false, 0, 1, 1, 3, 2);
  f.observer.fastPaints = 0;
  f.view.ZoomBack();
  EXPECT_EQ(f.observer.fastPaints, 10);  // ZoomFrames
  EXPECT_NEAR(f.view.ViewRect().TopLeft.X, pushed.TopLeft.X, 1e-9);
  EXPECT_NEAR(f.view.ViewRect().BottomRight.Y, pushed.BottomRight.Y, 1e-9);
  EXPECT_TRUE(f.document.ViewStack.empty());

  // An empty stack reports the error.
  f.view.ZoomBack();
  EXPECT_EQ(f.observer.errors, QStringList{QStringLiteral("error")});

  // Escape stops the animation at the frame reached.
  f.observer.fastPaints = 0;
  const double startZoom = f.document.Zoom;
  TStopAfter stop(3);
  f.view.AnimateZoomTo(8, 6, 8.5, 6.5, &stop);
  EXPECT_EQ(f.observer.fastPaints, 3);
  EXPECT_GT(f.document.Zoom, startZoom);
  EXPECT_LT(f.document.Zoom, 400);

  // One frame jumps at once.
  f.document.ZoomFrames = 1;
  f.observer.fastPaints = 0;
  f.view.AnimateZoomTo(2, 2, 6, 5);
  EXPECT_EQ(f.observer.fastPaints, 1);
  EXPECT_NEAR(f.document.ViewOrigin.X + f.view.HalfWidth(), 4, 1e-9);

  EXPECT_FALSE(f.view.HasMainView());
  f.view.ToMainView();
  EXPECT_EQ(f.observer.errors.size(), 2);
  EXPECT_TRUE(f.observer.errors.back().isEmpty());
  f.view.SetMainViewToCurrent();
  EXPECT_TRUE(f.view.HasMainView());
  f.view.SetView(false, 0, 0, 0, 20, 15);
  f.view.ToMainView();
  EXPECT_NEAR(f.document.ViewOrigin.X, f.document.MainViewTopLeft.X, 1e-9);
}

TEST(ModelView, KeysMoveTheView)
{
  TViewFixture f(1000, 600);
  f.document.Zoom = 100;
  EXPECT_TRUE(f.view.MoveByKey(Qt::Key_Right, false));
  EXPECT_TRUE(f.view.MoveByKey(Qt::Key_Down, true));
  EXPECT_EQ(f.document.ViewOrigin, (TModelPoint{1, 5}));
  f.view.MoveByKey(Qt::Key_PageDown, false);
  EXPECT_DOUBLE_EQ(f.document.ViewOrigin.Y, 5 + 600.0 / 96.0);
  f.view.MoveByKey(Qt::Key_Home, false);
  EXPECT_EQ(f.document.ViewOrigin, (TModelPoint{0, 0}));
  EXPECT_FALSE(f.view.MoveByKey(Qt::Key_A, false));

  // End on a model smaller than the window gives a negative origin.
  TViewFixture big(4000, 3000);
  big.document.Zoom = 100;
  big.view.MoveByKey(Qt::Key_End, false);
  EXPECT_LT(big.document.ViewOrigin.X, 0);
  EXPECT_LT(big.document.ViewOrigin.Y, 0);
}
