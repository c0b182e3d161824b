#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <numbers>

#include "model/objectfactory.h"
#include "model/recordtestsupport.h"
#include "model/shapes/freeshape.h"
#include "platform/canvas.h"
#include "platform/measurecanvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

using recordtest::Record;

namespace {

constexpr double kEps = 1e-9;

// A figure as the freeform tool collects it: absolute points, each a straight segment.
TOutline Points(const std::vector<TModelPoint>& points)
{
  TOutline outline;
  for (const TModelPoint& p : points)
    AppendLine(outline, p.X, p.Y);
  return outline;
}

TModelPoint Absolute(const TFreeShape& shape, TModelPoint relative)
{
  return RotateOffset(shape.Centre(), relative.X, relative.Y, shape.Angle);
}

void ExpectPoint(TModelPoint actual, TModelPoint expected, const char* what)
{
  EXPECT_NEAR(actual.X, expected.X, 1e-6) << what;
  EXPECT_NEAR(actual.Y, expected.Y, 1e-6) << what;
}

}  // namespace

TEST(FreeShape, AScribbleIsThinnedToItsTurnsAndStaysOpen)
{
  // An L scribbled with a point every 0.05 inch: 3 inches right, then 2 inches down.
  std::vector<TModelPoint> scribble;
  for (int i = 0; i <= 60; ++i)
    scribble.push_back({1.0 + i * 0.05, 1.0});
  for (int i = 1; i <= 40; ++i)
    scribble.push_back({4.0, 1.0 + i * 0.05});
  TFreeShape shape;
  shape.FillStyle = kFillClear;
  shape.Outline = Points(scribble);
  shape.FitToVertices();
  EXPECT_NEAR(shape.X, 2.5, kEps);
  EXPECT_NEAR(shape.Y, 2.0, kEps);
  EXPECT_NEAR(shape.Width, 3.0, kEps);
  EXPECT_NEAR(shape.Height, 2.0, kEps);
  ExpectPoint(Absolute(shape, shape.Outline.front().End()), {1, 1}, "fitted start");

  shape.SimplifyPoints();
  const TOutline& o = shape.Outline;
  // A few points survive: the ends and the two around the corner that was cut.
  ASSERT_GE(o.size(), 3u);
  ASSERT_LE(o.size(), 5u);
  EXPECT_FALSE(shape.IsClosed());
  ExpectPoint(Absolute(shape, o.front().End()), {1, 1}, "start");
  ExpectPoint(Absolute(shape, o.back().End()), {4, 3}, "end");
  for (const TSegment& s : o) {
    const TModelPoint p = Absolute(shape, s.End());
    EXPECT_TRUE(std::abs(p.Y - 1.0) < kEps || std::abs(p.X - 4.0) < kEps)
        << "kept points lie on the scribble: " << p.X << ", " << p.Y;
  }
  // The ends leave straight towards their neighbours, not towards the far end of the line.
  const TModelPoint start = o[0].End();
  const TModelPoint second = o[1].End();
  EXPECT_NEAR(Bearing(start, {o[1].C1x, o[1].C1y}), Bearing(start, second), 1e-6);
  const TModelPoint end = o.back().End();
  const TModelPoint before = o[o.size() - 2].End();
  EXPECT_NEAR(Bearing(end, {o.back().C2x, o.back().C2y}), Bearing(end, before), 1e-6);
  // The corner is rounded: the curve leaving the first corner is no longer straight.
  EXPECT_NE(o[2].C1x, o[1].Ex);
  // The box is fitted to what is left.
  EXPECT_NEAR(shape.Width, 3.0, 1e-6);
  EXPECT_NEAR(shape.Height, 2.0, 1e-6);

  // A closed scribble stays closed.
  std::vector<TModelPoint> circle;
  for (int i = 0; i <= 120; ++i) {
    const double a = i * 2 * std::numbers::pi / 120;
    circle.push_back({2 + std::cos(a), 2 + std::sin(a)});
  }
  circle.push_back(circle.front());
  TFreeShape loop;
  loop.Outline = Points(circle);
  loop.FitToVertices();
  ASSERT_TRUE(loop.IsClosed());
  loop.SimplifyPoints();
  EXPECT_TRUE(loop.IsClosed());
  EXPECT_LT(loop.Outline.size(), 30u);
  EXPECT_NEAR(loop.X, 2.0, 0.05);
  EXPECT_NEAR(loop.Y, 2.0, 0.05);
}

TEST(FreeShape, FittingATurnedShapeLeavesItWhereItWas)
{
  TFreeShape shape;
  shape.X = 3;
  shape.Y = 2;
  shape.Angle = 30;
  shape.Outline = Points({{0.5, 0.5}, {1.5, 0.5}, {1.5, 1.0}});
  std::vector<TModelPoint> before;
  for (const TSegment& s : shape.Outline)
    before.push_back(Absolute(shape, s.End()));
  shape.FitToVertices();
  EXPECT_NEAR(shape.Width, 1.0, kEps);
  EXPECT_NEAR(shape.Height, 0.5, kEps);
  for (std::size_t i = 0; i < before.size(); ++i)
    ExpectPoint(Absolute(shape, shape.Outline[i].End()), before[i], "vertex");
}

TEST(FreeShape, OnlyAnUnfilledShapeEndsInAHead)
{
  std::unique_ptr<CGPObject> made(TObjectFactory::Create(11));
  auto* shape = dynamic_cast<TFreeShape*>(made.get());
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->FreeHead, 10);
  EXPECT_EQ(shape->ClassDisplayName(), QStringLiteral("Freeform"));
  shape->X = 2;
  shape->Y = 2;
  shape->Angle = 90;
  shape->FreeHead = 1;
  shape->Outline = Points({{-1, 0}, {0, -0.5}});
  AppendSegment(shape->Outline, 0.4, -0.5, 1, -0.2, 1, 0);
  shape->FillStyle = kFillClear;
  const std::optional<THeadLine> head = shape->HeadLine();
  ASSERT_TRUE(head);
  // The head sits on the last point and comes from three quarters along the last curve,
  // both turned with the shape.
  ExpectPoint(head->To, RotateOffset({2, 2}, 1, 0, 90), "tip");
  const TModelPoint from = CubicPoint(0.75, {0, -0.5}, {0.4, -0.5}, {1, -0.2}, {1, 0});
  ExpectPoint(head->From, RotateOffset({2, 2}, from.X, from.Y, 90), "tail");

  shape->FreeHead = 10;
  EXPECT_FALSE(shape->HeadLine());
  shape->FreeHead = 1;
  shape->FillStyle = kFillSolid;
  EXPECT_FALSE(shape->HeadLine());
  shape->FillStyle = kFillClear;
  shape->Outline = Points({{0, 0}});
  EXPECT_FALSE(shape->HeadLine());
}

TEST(FreeShape, AnOpenLineIsNotClosedWhenDrawnOrHit)
{
  // A clear V: the chord between its two ends is not part of the line.
  TFreeShape open;
  open.X = 2;
  open.Y = 2;
  open.Width = 2;
  open.Height = 1;
  open.FillStyle = kFillClear;
  open.LineWidth = 2;
  open.Outline = Points({{-1, -0.5}, {0, 0.5}, {1, -0.5}});
  const QPoint chord(192, 144);  // (2, 1.5): on the chord, away from the line
  const QPoint line(144, 192);   // (1.5, 2): halfway down the first stroke
  QImage image(400, 300, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  open.Draw(canvas, false, 0, 0, 100);
  const QRegion region = open.CreateRegion(canvas, 0, 0, 100);
  TFreeShape closed;
  closed.X = 2;
  closed.Y = 2;
  closed.FillStyle = kFillClear;
  closed.Outline = Points({{-1, -0.5}, {0, 0.5}, {1, -0.5}, {-1, -0.5}});
  EXPECT_TRUE(closed.IsClosed());
  const QRegion closedRegion = closed.CreateRegion(canvas, 0, 0, 100);
  painter.end();
  EXPECT_EQ(image.pixel(chord), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(line), qRgb(0, 0, 0));
  EXPECT_FALSE(region.contains(chord));
  EXPECT_TRUE(region.contains(line));
  EXPECT_TRUE(closedRegion.contains(chord));
}

TEST(FreeShape, TheRecordRoundTrips)
{
  TFreeShape shape;
  shape.Outline = Points({{-1, -0.5}, {0, 0.5}, {1, -0.5}});
  shape.FreeHead = 3;
  shape.FreeHeadSize = 2;
  shape.Angle = -15;
  const QByteArray bytes = Record(shape);
  EXPECT_EQ(bytes.size(), 144 + 52 * 3 + 2);
  TBinaryReader reader(bytes);
  ASSERT_EQ(reader.ReadInt32(), 11);
  TFreeShape loaded;
  loaded.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(loaded.FreeHead, 3);
  EXPECT_EQ(loaded.FreeHeadSize, 2);
  EXPECT_EQ(loaded.Outline, shape.Outline);
  EXPECT_EQ(Record(loaded), bytes);
}
