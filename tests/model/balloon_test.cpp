#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "model/cluster.h"
#include "model/objectfactory.h"
#include "model/outlines/cloudoutline.h"
#include "model/outlines/shapegenerator.h"
#include "model/recordtestsupport.h"
#include "model/shapes/balloon.h"
#include "platform/canvas.h"
#include "platform/measurecanvas.h"
#include "platform/pixelregion.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

using recordtest::Record;

namespace {

void Place(TBalloon& balloon, int style, double x, double y, TModelPoint tip)
{
  balloon.BalloonStyle = static_cast<std::uint8_t>(style);
  balloon.X = x;
  balloon.Y = y;
  balloon.Width = 2;
  balloon.Height = 1;
  balloon.MoveTip(tip);
}

QPoint Pixel(TModelPoint p)
{
  return {static_cast<int>(p.X * 96), static_cast<int>(p.Y * 96)};
}

// The body alone, as the outline of its shape fills it.
QRegion BodyRegion(const TCanvas& canvas, const TOutline& outline, TModelPoint centre)
{
  QPainterPath path = OutlinePath(canvas, outline, 0, 100, 0, 0, centre);
  path.closeSubpath();
  return PathRegion(path);
}

}  // namespace

TEST(Balloon, TheTipTravelsWithTheBodyButMovesAlone)
{
  std::unique_ptr<CGPObject> made(TObjectFactory::Create(10));
  auto* balloon = dynamic_cast<TBalloon*>(made.get());
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(balloon->ClassDisplayName(), QStringLiteral("Callout"));
  Place(*balloon, TBalloon::Rectangle, 3, 2, {2, 3.5});
  balloon->MoveTo(nullptr, 4.5, 1.25);
  EXPECT_EQ(balloon->X, 4.5);
  EXPECT_EQ(balloon->Y, 1.25);
  EXPECT_EQ(balloon->TipX, 3.5);
  EXPECT_EQ(balloon->TipY, 2.75);

  // Dragging the tip changes the pointer, not the body or its box.
  TMeasureCanvas measure;
  TCanvas& canvas = measure.Canvas();
  const TPixelRect box = balloon->GetScreenBox(canvas, 0, 0, 100);
  const QRegion before = balloon->CreateRegion(canvas, 0, 0, 100);
  balloon->MoveTip({6.5, 3});
  EXPECT_EQ(balloon->X, 4.5);
  EXPECT_EQ(balloon->Y, 1.25);
  EXPECT_EQ(balloon->GetScreenBox(canvas, 0, 0, 100), box);
  const QRegion after = balloon->CreateRegion(canvas, 0, 0, 100);
  EXPECT_TRUE(before.contains(Pixel({3.6, 2.6})));
  EXPECT_FALSE(after.contains(Pixel({3.6, 2.6})));
  EXPECT_TRUE(after.contains(Pixel({5.5, 2.125})));
  EXPECT_TRUE(after.contains(Pixel({4.5, 1.25})));

  // While the tip is dragged its outline is drawn inverting: twice leaves no trace.
  QImage image(800, 400, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  TCanvas drawn(painter, 96, 96);
  balloon->DrawTipOutline(drawn, {7, 3.5}, 0, 0, 100);
  const QImage once = image.copy();
  balloon->DrawTipOutline(drawn, {7, 3.5}, 0, 0, 100);
  painter.end();
  EXPECT_EQ(once.pixel(Pixel({7, 3.5}) + QPoint(-1, -1)), qRgb(0, 0, 0));
  EXPECT_EQ(once.pixel(Pixel({4.5, 0.75})), qRgb(0, 0, 0));  // the body's top edge
  EXPECT_EQ(once.pixel(Pixel({4.5, 1.25})), qRgb(255, 255, 255));
  QImage white(800, 400, QImage::Format_RGB32);
  white.fill(Qt::white);
  EXPECT_EQ(image, white);
  EXPECT_EQ(balloon->Tip(), (TModelPoint{6.5, 3}));
}

TEST(Balloon, ThePointerIsATriangleOrAStringOfPuffs)
{
  TMeasureCanvas measure;
  TCanvas& canvas = measure.Canvas();
  // A pointer from a box at (3, 3) to a tip 3 inches to the right.
  TBalloon box;
  Place(box, TBalloon::Rectangle, 3, 3, {6, 3});
  const QRegion triangle = box.CreateRegion(canvas, 0, 0, 100);
  EXPECT_TRUE(triangle.contains(Pixel({5.9, 3})));
  EXPECT_TRUE(triangle.contains(Pixel({4.5, 3.1})));  // base half-width is H/4 at the centre
  EXPECT_FALSE(triangle.contains(Pixel({4.5, 3.3})));
  EXPECT_FALSE(triangle.contains(Pixel({6.1, 3})));

  // The cloud's three puffs sit at the tip and 40 % and 80 % of the way to the box's edge
  // (E = (4, 3), so at 6, 5.2 and 4.4), growing towards the body, with gaps between them.
  TBalloon cloud;
  Place(cloud, TBalloon::Cloud, 3, 3, {6, 3});
  const QRegion puffs = cloud.CreateRegion(canvas, 0, 0, 100);
  EXPECT_TRUE(puffs.contains(Pixel({6.0, 3})));
  EXPECT_FALSE(puffs.contains(Pixel({6.12, 3})));  // the tip's puff is 1/6 inch wide
  EXPECT_TRUE(puffs.contains(Pixel({5.32, 3})));   // 0.3 inch wide at 5.2
  EXPECT_FALSE(puffs.contains(Pixel({5.6, 3})));
  EXPECT_TRUE(puffs.contains(Pixel({4.55, 3})));    // 0.43 inch wide at 4.4
  EXPECT_FALSE(puffs.contains(Pixel({4.4, 3.2})));  // and 0.22 high

  // A tip inside the body: no puffs for the cloud, and a triangle hidden in the body.
  Place(cloud, TBalloon::Cloud, 3, 3, {3.5, 3.2});
  EXPECT_EQ(cloud.CreateRegion(canvas, 0, 0, 100), BodyRegion(canvas, CloudOutline(2, 1), {3, 3}));
  Place(box, TBalloon::Rectangle, 3, 3, {3.5, 3.2});
  EXPECT_EQ(box.CreateRegion(canvas, 0, 0, 100),
            BodyRegion(canvas, CogiShapeOutline(10, 2, 1), {3, 3}));

  // A style past the table is drawn as the box but keeps its stored byte.
  TBalloon odd;
  Place(odd, 9, 3, 3, {6, 3});
  EXPECT_EQ(odd.CreateRegion(canvas, 0, 0, 100), triangle);
  EXPECT_EQ(odd.BalloonStyle, 9);
}

TEST(Balloon, TheTipHandleIsHitOutsideTheBox)
{
  TBalloon balloon;
  Place(balloon, TBalloon::Ellipse, 2, 2, {4.5, 3.5});
  balloon.Selected = true;
  QImage image(600, 400, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  QRegion handles;
  balloon.DrawSelection(canvas, 0, handles, true, 0, 0, 100);
  const QPoint tip = Pixel({4.5, 3.5});
  // The pointer lies outside the box that hit testing looks at first; its handle does not.
  EXPECT_FALSE(balloon.GetScreenBox(canvas, 0, 0, 100).ToQRect().contains(tip));
  EXPECT_TRUE(balloon.HandleRegions[8].contains(tip));
  EXPECT_TRUE(handles.contains(tip));
  EXPECT_EQ(image.pixel(tip), qRgb(255, 255, 0));
  // Format painting shows the box handles only.
  QRegion painting;
  balloon.DrawSelection(canvas, opFormatPaint, painting, true, 0, 0, 100);
  painter.end();
  EXPECT_TRUE(balloon.HandleRegions[8].isEmpty());
  EXPECT_FALSE(painting.contains(tip));
  EXPECT_FALSE(balloon.HandleRegions[0].isEmpty());
}

TEST(Balloon, TheOutlineIsFramedSolidAndNotExtruded)
{
  TBalloon balloon;
  Place(balloon, TBalloon::Rectangle, 2, 1.5, {1, 3});
  balloon.FillStyle = kFillSolid;
  balloon.FaceColor = 0xFFFFFF;
  balloon.LineStyle = 3;  // dashes
  balloon.LineWidth = 1.5f;
  balloon.LineColor = 0x0000FF;
  QImage image(400, 350, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  balloon.Draw(canvas, false, 0, 0, 100);
  painter.end();
  // The top edge (y = 1 inch) is unbroken from x = 1.1 to 2.9 inches, two pixels deep.
  for (int x = 106; x < 278; ++x) {
    ASSERT_EQ(image.pixel(x, 96), qRgb(255, 0, 0)) << x;
    ASSERT_EQ(image.pixel(x, 97), qRgb(255, 0, 0)) << x;
  }
  EXPECT_EQ(image.pixel(192, 99), qRgb(255, 255, 255));

  // With 3-D set no side faces are drawn and the frame is left out.
  QImage flat(400, 350, QImage::Format_RGB32);
  flat.fill(Qt::white);
  QPainter flatPainter(&flat);
  TCanvas flatCanvas(flatPainter, 96, 96);
  balloon.Style3D = 1;
  balloon.FaceColor = 0x00FF00;
  balloon.Draw(flatCanvas, false, 0, 0, 100);
  flatPainter.end();
  EXPECT_EQ(flat.pixel(192, 96), qRgb(0, 255, 0));
  EXPECT_EQ(flat.pixel(Pixel({3.05, 2.05})), qRgb(255, 255, 255));  // where a face would be
}

TEST(Balloon, TheRecordRoundTrips)
{
  TBalloon balloon;
  Place(balloon, TBalloon::Cloud, 1, 2, {-3.5, 7.25});
  balloon.Shadow = 1;
  const QByteArray bytes = Record(balloon);
  EXPECT_EQ(bytes.size(), 136 + 17);
  TBinaryReader reader(bytes);
  ASSERT_EQ(reader.ReadInt32(), 10);
  TBalloon loaded;
  loaded.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(loaded.BalloonStyle, TBalloon::Cloud);
  EXPECT_EQ(loaded.TipX, -3.5);
  EXPECT_EQ(loaded.TipY, 7.25);
  EXPECT_EQ(loaded.Shadow, 1);
  EXPECT_EQ(Record(loaded), bytes);
}

TEST(Balloon, APointerRunningMilesAwayKeepsABoundedRegionAndItsCluster)
{
  TMeasureCanvas measure;
  TCanvas& canvas = measure.Canvas();
  constexpr double kFar = 1e9 / 96;  // a billion pixels at 100 %
  struct TCase {
    TModelPoint Tip;
    TModelPoint OnPointer;  // just beyond the body towards the tip
    TModelPoint Behind;     // as far beyond it the other way
  };
  for (const TCase& c :
       {TCase{{kFar, 3}, {5.5, 3}, {2.5, 3}}, TCase{{4, -kFar}, {4, 2.2}, {4, 3.8}},
        TCase{{-kFar, -kFar}, {3.3, 2.3}, {4.7, 3.7}}}) {
    const std::string where = std::to_string(c.Tip.X) + "," + std::to_string(c.Tip.Y);
    TCluster cluster;
    cluster.X = 4;
    cluster.Y = 3;
    cluster.Width = 4;
    cluster.Height = 3;
    cluster.ShapeVariant = 3;
    cluster.Outline = MakeShapeOutline(okCluster, 3, 4, 3);
    TBalloon callout;
    Place(callout, TBalloon::Rectangle, 4, 3, c.Tip);
    TObjectList list{&cluster, &callout};

    // Slanted, the whole reach would take seconds to build; straight, it is quick.
    if (c.Tip.X == 4 || c.Tip.Y == 3) {
      const QRegion region = callout.CreateRegion(canvas, 0, 0, 100);
      EXPECT_TRUE(RegionReach().contains(region.boundingRect())) << where;
      EXPECT_EQ(region.boundingRect().right() == kRegionReach, c.Tip.X > 4) << where;
      EXPECT_TRUE(region.contains(Pixel({4, 3}))) << where;
      EXPECT_TRUE(region.contains(Pixel(c.OnPointer))) << where;
      EXPECT_FALSE(region.contains(Pixel(c.Behind))) << where;
    }
    // Membership looks only near the overlap, however far the pointer runs.
    TCluster::UpdateClusterMembership(list, &callout);
    EXPECT_EQ(callout.Cluster, &cluster) << where;
    TCluster::RemoveFromCluster(&callout, &cluster);
  }
}
