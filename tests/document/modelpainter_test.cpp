#include <gtest/gtest.h>

#include <QPainter>

#include "document/documenttestsupport.h"
#include "document/modelpainter.h"
#include "document/modelview.h"
#include "document/overlay.h"
#include "model/arrow.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "platform/canvas.h"
#include "platform/measurecanvas.h"

namespace {

// An object that paints its unrotated box solid, so its position can be read off pixels.
class TBoxObject : public CGPObject {
 public:
  void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom) override
  {
    const TPixelRect box = GetScreenBox(canvas, offsetX, offsetY, zoom);
    canvas.Painter().fillRect(box.ToQRect(), Qt::darkGreen);
  }
};

struct TPaintFixture {
  TPaintFixture(int w, int h) : document(&printer), painter(document), view(document)
  {
    document.ClientSize = QSize(w, h);
    image = QImage(w, h, QImage::Format_RGB32);
    image.fill(Qt::magenta);
  }
  TBoxObject* Add(double x, double y, double size = 1)
  {
    auto* object = new TBoxObject;
    object->X = x;
    object->Y = y;
    object->Width = object->Height = size;
    document.AppendObject(object);
    return object;
  }
  int CountColor(QColor color) const
  {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        n += QColor(image.pixel(x, y)) == color;
    return n;
  }
  TFixedPrinter printer;
  TModelDocument document;
  TModelPainter painter;
  TModelView view;
  QImage image;
};

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

}  // namespace

TEST(ModelPainter, WholeModelViewShowsWindowColourFrameAndShadow)
{
  TPaintFixture f(1000, 600);
  f.document.ShowGrid = false;
  f.document.ShowPageLines = false;
  f.view.ShowWholeModel();
  f.painter.DrawScreen(f.image, false);
  const int left = f.view.ScreenX(0);
  const int top = f.view.ScreenY(0);
  const int right = f.view.ScreenX(f.document.ModelWidth);
  const int bottom = f.view.ScreenY(f.document.ModelHeight);
  EXPECT_EQ(QColor(f.image.pixel(2, 2)), TModelPainter::kWindowColor);
  EXPECT_EQ(QColor(f.image.pixel(left + 3, top + 3)), QColor(Qt::white));
  EXPECT_EQ(QColor(f.image.pixel(left - 1, top + 50)), QColor(Qt::black));  // frame
  EXPECT_EQ(QColor(f.image.pixel(right + 1, top + 50)), QColor(Qt::black));
  // The drop shadow: 5 pixels wide, offset by 5 to the right and below.
  EXPECT_EQ(QColor(f.image.pixel(right + 4, top + 50)), QColor(Qt::black));
  EXPECT_EQ(QColor(f.image.pixel(right + 7, top + 50)), TModelPainter::kWindowColor);
  EXPECT_EQ(QColor(f.image.pixel(left + 50, bottom + 4)), QColor(Qt::black));
  EXPECT_EQ(QColor(f.image.pixel(right + 4, top + 1)), TModelPainter::kWindowColor);
  EXPECT_EQ(f.CountColor(Qt::magenta), 0);  // every pixel painted
}

TEST(ModelPainter, ZoomedInViewHasNoFrame)
{
  TPaintFixture f(400, 300);
  f.document.ShowGrid = false;
  f.document.ShowPageLines = false;
  f.document.ModelColor = 0x00FFFF;  // yellow
  f.view.SetView(false, 200, 10, 7, 0, 0);
  f.painter.DrawScreen(f.image, false);
  EXPECT_EQ(f.CountColor(QColor(255, 255, 0)), 400 * 300);
}

TEST(ModelPainter, GridDotsDependOnTheInchInPixels)
{
  TPaintFixture f(800, 600);
  f.document.ShowPageLines = false;
  f.document.ViewOrigin = {0, 0};
  f.document.Zoom = 10;  // 9.6 pixels an inch: no grid
  f.painter.DrawScreen(f.image, false);
  EXPECT_EQ(f.CountColor(kBlue), 0);

  f.document.Zoom = 20;  // 19.2 pixels: one dot an inch
  f.painter.DrawScreen(f.image, false);
  EXPECT_EQ(QColor(f.image.pixel(f.view.ScreenX(2), f.view.ScreenY(3))), kBlue);
  EXPECT_NE(QColor(f.image.pixel(f.view.ScreenX(2.5), f.view.ScreenY(3))), kBlue);
  const int perInch = f.CountColor(kBlue);

  f.document.Zoom = 32;  // 30.72 pixels: the quarter-inch cross appears
  f.painter.DrawScreen(f.image, false);
  EXPECT_EQ(QColor(f.image.pixel(f.view.ScreenX(2.5), f.view.ScreenY(3))), kBlue);
  EXPECT_EQ(QColor(f.image.pixel(f.view.ScreenX(2.5), f.view.ScreenY(3.5))), kBlue);
  EXPECT_NE(QColor(f.image.pixel(f.view.ScreenX(2.5), f.view.ScreenY(3.25))), kBlue);
  EXPECT_GT(f.CountColor(kBlue), perInch * 2);
}

TEST(ModelPainter, PageLinesStartOnePageIn)
{
  TPaintFixture f(1000, 600);
  f.document.ShowGrid = false;
  f.view.ShowWholeModel();
  f.painter.DrawScreen(f.image, false);
  // One vertical line at one page width and one horizontal at one page height.
  const int x = f.view.ScreenX(f.document.PageWidth);
  const int y = f.view.ScreenY(f.document.PageHeight);
  int verticalRed = 0;
  for (int row = f.view.ScreenY(0); row < f.view.ScreenY(f.document.ModelHeight); ++row)
    verticalRed += QColor(f.image.pixel(x, row)) == kRed;
  EXPECT_GT(verticalRed, 50);
  int horizontalRed = 0;
  for (int column = f.view.ScreenX(0); column < f.view.ScreenX(f.document.ModelWidth); ++column)
    horizontalRed += QColor(f.image.pixel(column, y)) == kRed;
  EXPECT_GT(horizontalRed, 50);
  // No other red columns: count the columns holding red pixels away from the line at y.
  int redColumns = 0;
  for (int column = 0; column < 1000; ++column) {
    bool red = false;
    for (int row = 0; row < 600 && !red; ++row)
      red = row != y && QColor(f.image.pixel(column, row)) == kRed;
    redColumns += red;
  }
  EXPECT_EQ(redColumns, 1);
}

TEST(ModelPainter, VisibleObjectsRegionsAndHandles)
{
  TPaintFixture f(400, 300);
  f.document.Zoom = 100;
  TBoxObject* inside = f.Add(1, 1);
  TBoxObject* outside = f.Add(20, 20);
  TBoxObject* second = f.Add(3, 1);
  inside->Selected = second->Selected = true;
  f.painter.DrawScreen(f.image, false);
  EXPECT_EQ(f.document.VisibleObjects, (TObjectList{inside, second}));
  (void)outside;
  EXPECT_TRUE(f.document.ObjectRegion.contains(QPoint(96, 96)));
  EXPECT_FALSE(f.document.ObjectRegion.contains(QPoint(200, 200)));
  EXPECT_TRUE(f.document.HandleRegion.contains(QPoint(48, 48)));
  EXPECT_EQ(QColor(f.image.pixel(96, 96)), QColor(Qt::darkGreen));
  EXPECT_EQ(QColor(f.image.pixel(47, 47)), QColor(0, 255, 255));

  // A fast paint neither rebuilds the regions nor draws the handles.
  f.document.HandleRegion.Clear();
  f.painter.DrawScreen(f.image, true);
  EXPECT_TRUE(f.document.HandleRegion.isEmpty());
  EXPECT_NE(QColor(f.image.pixel(47, 47)), QColor(0, 255, 255));

  // A paint requested during a paint is ignored.
  f.document.Painting = true;
  f.image.fill(Qt::magenta);
  f.painter.DrawScreen(f.image, false);
  EXPECT_EQ(f.CountColor(Qt::magenta), 400 * 300);
  f.document.Painting = false;
}

TEST(ModelPainter, RenderToBitmapFitsAndCentresWithHalfAnInchAround)
{
  TPaintFixture f(10, 10);
  f.Add(1, 1);
  f.Add(4, 1);  // objects span 0.5 .. 4.5 by 0.5 .. 1.5 inches
  QImage picture(500, 500, QImage::Format_RGB32);
  picture.fill(Qt::white);
  f.painter.RenderToBitmap(picture);
  // Extent with one inch of margin: 5 x 2 inches; 500 pixels wide gives 100 pixels an inch.
  QRect ink;
  for (int y = 0; y < 500; ++y)
    for (int x = 0; x < 500; ++x)
      if (QColor(picture.pixel(x, y)) != QColor(Qt::white)) ink = ink.united(QRect(x, y, 1, 1));
  EXPECT_NEAR(ink.left(), 50, 1);
  EXPECT_NEAR(ink.right() + 1, 450, 1);
  EXPECT_NEAR(ink.top(), 250 - 50, 1);  // centred vertically
  EXPECT_NEAR(ink.bottom() + 1, 250 + 50, 1);

  // An empty model leaves the picture as it was.
  TPaintFixture empty(10, 10);
  QImage untouched(50, 50, QImage::Format_RGB32);
  untouched.fill(Qt::cyan);
  empty.painter.RenderToBitmap(untouched);
  for (int y = 0; y < 50; y += 7)
    EXPECT_EQ(QColor(untouched.pixel(y, y)), QColor(Qt::cyan));
}

TEST(ModelPainter, EmptyBackgroundPictureIsTreatedAsAbsent)
{
  // A zero-sized tile would step by nothing and never finish.
  TPaintFixture f(200, 200);
  f.document.Background =
      TPicture::FromEncoded(TPicture::TKind::Bitmap, QByteArray(), QImage(), QSize(0, 0));
  f.document.ShowGrid = false;
  f.view.SetView(false, 200, 3, 3, 0, 0);
  f.painter.DrawScreen(f.image, false);
  EXPECT_EQ(QColor(f.image.pixel(100, 100)), QColor(Qt::white));

  QImage tile(10, 10, QImage::Format_RGB32);
  tile.fill(Qt::red);
  tile.setPixel(0, 0, qRgb(0, 0, 0));
  f.document.Background = TPicture::FromImage(tile);
  f.painter.DrawScreen(f.image, false);
  // Tiles start at the window corner when the model fills the window.
  EXPECT_EQ(QColor(f.image.pixel(0, 0)), QColor(Qt::black));
  EXPECT_EQ(QColor(f.image.pixel(10, 20)), QColor(Qt::black));
  EXPECT_EQ(QColor(f.image.pixel(11, 20)), QColor(Qt::red));
}

TEST(ModelPainter, OverlayDrawnTwiceDisappears)
{
  TPaintFixture f(100, 100);
  QImage base(100, 100, QImage::Format_RGB32);
  base.fill(QColor(10, 200, 30));
  TOverlay overlay;
  overlay.Reset(QSize(100, 100));
  overlay.RubberBox(QPoint(10, 10), QPoint(60, 40));
  const QImage once = overlay.Apply(base);
  // A dotted edge: every other pixel along the top is inverted, the inside untouched.
  int inverted = 0;
  for (int x = 10; x <= 60; ++x)
    inverted += QColor(once.pixel(x, 10)) == QColor(245, 55, 225);
  EXPECT_NEAR(inverted, 25, 2);
  EXPECT_EQ(QColor(once.pixel(30, 30)), QColor(10, 200, 30));
  overlay.RubberBox(QPoint(10, 10), QPoint(60, 40));
  const QImage twice = overlay.Apply(base);
  for (int i = 0; i < 100; ++i)
    ASSERT_EQ(twice.pixel(i, 10), base.pixel(i, 10)) << i;

  f.document.Zoom = 100;
  overlay.BoxOutline(f.document, {0.5, 0.5}, 0.5, 0.5, 0);
  EXPECT_EQ(QColor(overlay.Apply(base).pixel(24, 30)), QColor(245, 55, 225));
  TOutline trail;
  AppendLine(trail, 0.1, 0.9);
  AppendLine(trail, 0.9, 0.9);
  overlay.FreeformTrail(f.document, trail);
  EXPECT_EQ(QColor(overlay.Apply(base).pixel(50, 86)), QColor(Qt::black));
  overlay.Reset(QSize(100, 100));
  EXPECT_TRUE(overlay.IsEmpty());
}

TEST(ModelPainter, HitTestFindsTheTopmostVisibleObject)
{
  TPaintFixture f(400, 300);
  f.document.Zoom = 100;
  TBoxObject* below = f.Add(1, 1, 1);
  TBoxObject* above = f.Add(1.4, 1, 1);
  f.painter.DrawScreen(f.image, false);
  EXPECT_EQ(f.painter.HitTest(QPoint(60, 96)), below);
  EXPECT_EQ(f.painter.HitTest(QPoint(120, 96)), above);  // both cover it; the top one wins
  EXPECT_EQ(f.painter.HitTest(QPoint(300, 250)), nullptr);
}

TEST(ModelPainter, ClickHoverAndRegionAgreeAroundAClearShapeAndAnArrow)
{
  TPaintFixture f(640, 480);
  f.document.Zoom = 200;
  // A clear hexagon hit along a band around its 10-point line, and a bent arrow hit along a
  // band around its curve: both reach beyond their screen boxes.
  auto* shape = static_cast<TCogi*>(f.document.CreateObject(okCogi));
  shape->X = 1.5;
  shape->Y = 1.2;
  shape->SetShape(kCogiVariantHexagon, kCogiSmall);
  shape->FillStyle = kFillClear;
  shape->LineWidth = 10;
  shape->Recalculate(&f.document.Objects, true);
  auto* arrow = static_cast<TArrow*>(f.document.CreateObject(okArrow));
  arrow->FromX = 2.6;
  arrow->FromY = 0.6;
  arrow->ToX = 3.0;
  arrow->ToY = 1.4;
  arrow->ChordHeight = 0.3;
  arrow->Recalculate(&f.document.Objects, true);
  f.painter.DrawScreen(f.image, false);

  TMeasureCanvas measure(96, 96);
  for (CGPObject* object : {static_cast<CGPObject*>(shape), static_cast<CGPObject*>(arrow)}) {
    const QRegion region = object->CreateRegion(measure.Canvas(), 0, 0, 200);
    const QRect box = object->GetScreenBox(measure.Canvas(), 0, 0, 200).Normalized().ToQRect();
    int beyondBox = 0;
    int disagreements = 0;
    // Out to beyond the widest band; every third pixel of the shape (whose band is slow to
    // build), every pixel of the arrow (whose band passes its box by a pixel or two).
    const int step = object == arrow ? 1 : 3;
    const int margin = object == arrow ? 12 : 40;
    for (int y = box.top() - margin; y <= box.bottom() + margin; y += step)
      for (int x = box.left() - margin; x <= box.right() + margin; x += step) {
        const QPoint pixel(x, y);
        const bool onObject = region.contains(pixel);
        CGPObject* clicked = f.painter.HitTest(pixel);
        const bool hovered = f.document.ObjectRegion.contains(pixel);
        if ((clicked == object) != onObject || hovered != (clicked != nullptr)) {
          if (disagreements++ == 0)
            ADD_FAILURE() << "first at " << x << "," << y << ": region " << onObject << ", click "
                          << (clicked == object) << ", hover " << hovered;
        }
        beyondBox += onObject && !box.contains(pixel);
      }
    EXPECT_EQ(disagreements, 0) << object->KindCode();
    EXPECT_GT(beyondBox, 0) << object->KindCode();
  }
}
