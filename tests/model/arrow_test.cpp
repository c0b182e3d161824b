// Arrows: ends that follow their objects, automatic and fixed anchors, arrows on arrows,
// bends, hit bands, handles, gaps, text and the record.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>

#include "document/modeldocument.h"
#include "model/arrow.h"
#include "model/cogi.h"
#include "model/shapes/blockarrow.h"
#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "platform/text/rtfwriter.h"
#include "render/rendertest.h"

namespace {

QImage White(int width, int height)
{
  return rendertest::WhiteImage(width, height);
}

int Ink(const QImage& image, const QRect& rect)
{
  return rendertest::InkCount(image, rect);
}

TCogi* Hexagon(TModelDocument& document, double x, double y)
{
  auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
  cogi->X = x;
  cogi->Y = y;
  cogi->SetShape(7, 0);
  cogi->Recalculate(&document.Objects, true);
  return cogi;
}

TArrow* Connect(TModelDocument& document, CGPObject* from, int fromAnchor, CGPObject* to,
                int toAnchor)
{
  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(from, arrow, fromAnchor, TArrowEnd::Start);
  TArrow::AttachArrowEnd(to, arrow, toAnchor, TArrowEnd::Finish);
  arrow->ComputeArrowEnds();
  arrow->Recalculate(&document.Objects, true);
  return arrow;
}

bool IsAnchorOf(const CGPObject& object, TModelPoint p)
{
  int index = 0;
  TModelPoint at;
  return object.FindAnchor(p, index, at) && Distance(at, p) < 1e-9;
}

void MoveObject(TModelDocument& document, CGPObject* object, double x, double y)
{
  object->MoveTo(&document.Objects, x, y);
  object->Recalculate(&document.Objects, false);
}

// Counts its refreshes, to show that one pass refreshes each arrow once.
class TCountingArrow : public TArrow {
 public:
  void Recalculate(TObjectList* list, bool full) override
  {
    ++refreshes;
    TArrow::Recalculate(list, full);
  }
  int refreshes = 0;
};

}  // namespace

TEST(Arrow, EndsFollowTheirObjectsAndChooseTheSquarestAnchor)
{
  TModelDocument document;
  TCogi* left = Hexagon(document, 2, 2);
  TCogi* right = Hexagon(document, 6, 2);
  TArrow* arrow = Connect(document, left, -1, right, -1);
  // Side by side: the arrow leaves the right vertex and enters the left one.
  EXPECT_NEAR(arrow->FromX, 2 + 1.25 / 2, 1e-9);
  EXPECT_NEAR(arrow->FromY, 2, 1e-9);
  EXPECT_NEAR(arrow->ToX, 6 - 1.25 / 2, 1e-9);
  EXPECT_NEAR(arrow->ToY, 2, 1e-9);

  // One below the other: the ends move to the bottom and the top of the hexagons.
  MoveObject(document, right, 2, 6);
  EXPECT_TRUE(IsAnchorOf(*left, arrow->Start()));
  EXPECT_TRUE(IsAnchorOf(*right, arrow->End()));
  EXPECT_NEAR(arrow->FromX, 2, 1e-9);
  EXPECT_NEAR(arrow->FromY, 2 + 1.25 / 2, 1e-9);
  EXPECT_NEAR(arrow->ToY, 6 - 1.25 / 2, 1e-9);

  // A free end: the attached end faces the free point.
  auto* free = static_cast<TArrow*>(document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(left, free, -1, TArrowEnd::Start);
  free->ToX = -3;
  free->ToY = 2;
  free->ComputeArrowEnds();
  EXPECT_NEAR(free->FromX, 2 - 1.25 / 2, 1e-9);
  EXPECT_NEAR(free->FromY, 2, 1e-9);
  EXPECT_NEAR(free->ToX, -3, 0);  // the free end stays

  // A later anchor must be more than 5 degrees better to win over an earlier one.
  CGPObject box;
  box.Recalculate(nullptr, true);
  int score = 0;
  const TModelPoint best = TArrow::BestAnchor({10, 0}, &box, 0, &score);
  EXPECT_EQ(best, (TModelPoint{0.5, 0}));
  EXPECT_EQ(score, 0);
  // Towards bearing 282 anchor 1 (-0.5, -0.25) scores 15 and anchor 2 (-0.5, 0) 12: not
  // enough to win. Towards 280 anchor 2 scores 10 against 17 and wins.
  EXPECT_EQ(TArrow::BestAnchor(PointAt({-0.5, 0}, 1000, 282), &box, 0, &score),
            (TModelPoint{-0.5, -0.25}));
  EXPECT_EQ(score, 15);
  EXPECT_EQ(TArrow::BestAnchor(PointAt({-0.5, 0}, 1000, 280), &box, 0, &score),
            (TModelPoint{-0.5, 0}));
  EXPECT_EQ(score, 10);
}

TEST(Arrow, FixedAnchorsStayWhereverTheOtherEndGoes)
{
  TModelDocument document;
  TCogi* a = Hexagon(document, 2, 2);
  TCogi* b = Hexagon(document, 6, 2);
  TArrow* arrow = Connect(document, a, 3, b, -1);
  const TModelPoint anchored = TArrow::AnchorPosition(a, 3);
  EXPECT_EQ(arrow->Start(), anchored);
  for (const TModelPoint p : {TModelPoint{2, 7}, TModelPoint{-3, 2}, TModelPoint{2, -4}}) {
    MoveObject(document, b, p.X, p.Y);
    EXPECT_EQ(arrow->Start(), anchored);
    EXPECT_EQ(arrow->FromAnchor, 3);
    EXPECT_TRUE(IsAnchorOf(*b, arrow->End()));
  }
  // Anchor 0 is the first anchor; one past the list is (1, 1) from the centre, turned.
  EXPECT_EQ(TArrow::AnchorPosition(a, 0), TArrow::AnchorPosition(a, 1));
  a->Angle = 90;
  const TModelPoint beyond = TArrow::AnchorPosition(a, 999);
  EXPECT_NEAR(beyond.X, 2 - 1, 1e-9);
  EXPECT_NEAR(beyond.Y, 2 + 1, 1e-9);
}

TEST(Arrow, DeletingAnEndObjectLeavesAFreeEndInPlace)
{
  TModelDocument document;
  TCogi* a = Hexagon(document, 2, 2);
  TCogi* b = Hexagon(document, 6, 2);
  TCogi* c = Hexagon(document, 6, 6);
  TArrow* ab = Connect(document, a, 2, b, -1);
  TArrow* bc = Connect(document, b, -1, c, 4);
  const TModelPoint abEnd = ab->End();
  const TModelPoint bcStart = bc->Start();
  const TModelPoint bcEnd = bc->End();

  // b carries the end of one arrow and the start of the other.
  document.StingObject(b);
  EXPECT_EQ(ab->ToObject, nullptr);
  EXPECT_EQ(ab->ToAnchor, -1);
  EXPECT_EQ(ab->End(), abEnd);
  EXPECT_EQ(ab->FromObject, a);
  EXPECT_EQ(bc->FromObject, nullptr);
  EXPECT_EQ(bc->FromAnchor, -1);
  EXPECT_EQ(bc->Start(), bcStart);

  // Deleting the selection frees the other end too; moving what is left does not move it.
  document.SelectObject(c, false);
  document.DeleteSelection();
  EXPECT_EQ(bc->ToObject, nullptr);
  EXPECT_EQ(bc->ToAnchor, -1);
  EXPECT_EQ(bc->End(), bcEnd);
  EXPECT_TRUE(a->HasAttachedArrow(ab));
  MoveObject(document, a, 2, 4);
  EXPECT_EQ(ab->End(), abEnd);
  EXPECT_NE(ab->Start().Y, 2 - 1.25 / 2);
}

TEST(Arrow, AnArrowOnAnArrowFollowsIt)
{
  TModelDocument document;
  TCogi* a = Hexagon(document, 2, 2);
  TCogi* b = Hexagon(document, 6, 2);
  TCogi* c = Hexagon(document, 4, 6);
  TArrow* carrier = Connect(document, a, -1, b, -1);
  // The second arrow runs from the carrier's middle (anchor 6) to c.
  TArrow* branch = Connect(document, carrier, 6, c, -1);
  ASSERT_EQ(carrier->Anchors.size(), 11u);
  EXPECT_NEAR(branch->FromX, 4, 1e-9);
  EXPECT_NEAR(branch->FromY, 2, 1e-9);
  EXPECT_TRUE(IsAnchorOf(*c, branch->End()));

  MoveObject(document, b, 6, 4);
  const TModelPoint middle = TArrow::PointAlong(50, 0, carrier->End(), carrier->Start());
  EXPECT_NEAR(branch->FromX, middle.X, 1e-9);
  EXPECT_NEAR(branch->FromY, middle.Y, 1e-9);
  EXPECT_GT(branch->FromY, 2.5);

  // The arrow's own anchors run from its start (1) to its end (11).
  EXPECT_EQ(TArrow::AnchorPosition(carrier, 1), carrier->Start());
  EXPECT_EQ(TArrow::AnchorPosition(carrier, 11), carrier->End());
  int index = 0;
  TModelPoint at;
  EXPECT_TRUE(carrier->FindAnchor({middle.X + 0.05, middle.Y - 0.05}, index, at));
  EXPECT_EQ(index, 6);
  EXPECT_FALSE(carrier->FindAnchor({middle.X, middle.Y + 0.2}, index, at));
}

TEST(Arrow, LeavingAnArrowPartsItFromThisOneWithoutDanglingEnds)
{
  CGPObject box;
  box.X = 5;
  box.Recalculate(nullptr, true);
  TArrow b;
  b.Recalculate(nullptr, true);
  auto* a = new TArrow;
  a->Recalculate(nullptr, true);
  // a's end on b and b's end on a; attaching refuses the second, so it is tied by hand.
  TArrow::AttachArrowEnd(&b, a, 6, TArrowEnd::Finish);
  b.ToObject = a;
  b.ToAnchor = 6;
  a->AttachedArrows.insert(a->AttachedArrows.begin(), &b);
  ASSERT_TRUE(a->HasAttachedArrow(&b));
  // Moving a's end from b to the box parts the two both ways.
  TArrow::AttachArrowEnd(&box, a, -1, TArrowEnd::Finish);
  EXPECT_FALSE(b.HasAttachedArrow(a));
  EXPECT_FALSE(a->HasAttachedArrow(&b));
  EXPECT_EQ(b.ToObject, nullptr);
  EXPECT_EQ(b.ToAnchor, -1);
  EXPECT_EQ(a->ToObject, &box);
  delete a;  // must leave nothing in b that names a
  EXPECT_EQ(b.ToObject, nullptr);
  EXPECT_TRUE(box.AttachedArrows.empty());
  b.ComputeArrowEnds();
}

TEST(Arrow, ObjectsWithoutAnchorsHoldArrowsAtTheirCentre)
{
  // A block arrow whose variant has no outline has no anchors either.
  TBlockArrow bare;
  bare.X = 3;
  bare.Y = 4;
  bare.SetShape(9);
  bare.Recalculate(nullptr, true);
  ASSERT_TRUE(bare.Anchors.empty());
  CGPObject box;
  box.X = 8;
  box.Y = 4;
  box.Recalculate(nullptr, true);
  for (int anchor : {-1, 0, 2}) {
    TArrow arrow;
    TArrow::AttachArrowEnd(&bare, &arrow, anchor, TArrowEnd::Start);
    TArrow::AttachArrowEnd(&box, &arrow, -1, TArrowEnd::Finish);
    arrow.ComputeArrowEnds();
    EXPECT_EQ(arrow.Start(), (TModelPoint{3, 4})) << anchor;
    EXPECT_EQ(arrow.End(), (TModelPoint{7.5, 4})) << anchor;
    // Reversed: the free-standing end and the automatic end on the bare object.
    TArrow back;
    TArrow::AttachArrowEnd(&bare, &back, -1, TArrowEnd::Finish);
    back.FromX = 0;
    back.FromY = 0;
    back.ComputeArrowEnds();
    EXPECT_EQ(back.End(), (TModelPoint{3, 4}));
  }
  // An arrow that has not been refreshed yet holds arrows at its middle.
  TArrow unrefreshed;
  unrefreshed.FromX = 2;
  unrefreshed.FromY = 2;
  unrefreshed.ToX = 4;
  unrefreshed.ToY = 2;
  ASSERT_TRUE(unrefreshed.Anchors.empty());
  EXPECT_EQ(TArrow::AnchorPosition(&unrefreshed, 3), (TModelPoint{3, 2}));
}

TEST(Arrow, ArrowsOnArrowsInCyclesAndChainsRefreshOncePerPass)
{
  CGPObject box;
  box.Recalculate(nullptr, true);
  TCountingArrow a, b, c, d;
  TObjectList list{&box, &a, &b, &c, &d};
  TArrow::AttachArrowEnd(&box, &a, -1, TArrowEnd::Start);
  for (TArrow* arrow : {&a, &b, &c, &d})
    arrow->Recalculate(nullptr, true);
  // a -> b -> c -> a is a cycle; d sits on both a and b (a diamond). Attaching refuses the
  // end that closes a cycle, so the cycle is tied by hand: the refresh must end even then.
  TArrow::AttachArrowEnd(&b, &a, 6, TArrowEnd::Finish);
  TArrow::AttachArrowEnd(&c, &b, 6, TArrowEnd::Finish);
  c.ToObject = &a;
  c.ToAnchor = 6;
  a.AttachedArrows.insert(a.AttachedArrows.begin(), &c);
  TArrow::AttachArrowEnd(&a, &d, 1, TArrowEnd::Start);
  TArrow::AttachArrowEnd(&b, &d, 11, TArrowEnd::Finish);
  for (TCountingArrow* arrow : {&a, &b, &c, &d})
    arrow->refreshes = 0;
  box.X = 3;
  box.Recalculate(&list, false);
  for (TCountingArrow* arrow : {&a, &b, &c, &d})
    EXPECT_EQ(arrow->refreshes, 1);
  EXPECT_NEAR(a.FromX, 3, 0.5 + 1e-9);
  // d was refreshed after both of its carriers, so it sits on their current anchors.
  EXPECT_EQ(d.Start(), TArrow::AnchorPosition(&a, 1));
  EXPECT_EQ(d.End(), TArrow::AnchorPosition(&b, 11));
  // Refreshing an arrow of the cycle refreshes the others once and not itself again.
  for (TCountingArrow* arrow : {&a, &b, &c, &d})
    arrow->refreshes = 0;
  b.Recalculate(&list, true);
  EXPECT_EQ(b.refreshes, 1);
  EXPECT_EQ(a.refreshes, 1);
  EXPECT_EQ(c.refreshes, 1);
  EXPECT_EQ(d.refreshes, 1);
  for (TArrow* arrow : {&a, &b, &c, &d})
    arrow->DetachAll();

  // A long chain of arrows on arrows is walked without deep recursion.
  constexpr int kChain = 50000;
  std::vector<std::unique_ptr<TArrow>> chain;
  CGPObject root;
  root.Recalculate(nullptr, true);
  CGPObject* previous = &root;
  for (int i = 0; i < kChain; ++i) {
    chain.push_back(std::make_unique<TArrow>());
    TArrow* arrow = chain.back().get();
    arrow->ToX = arrow->FromX = i;
    TArrow::AttachArrowEnd(previous, arrow, previous == &root ? 10 : 1, TArrowEnd::Start);
    arrow->Recalculate(nullptr, true);
    previous = arrow;
  }
  root.X = 100;
  root.Recalculate(&list, false);
  EXPECT_EQ(chain.back()->FromX, 100.5);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    it->reset();  // from the far end, so every arrow detaches from a live carrier
}

TEST(Arrow, BentArrowsFollowTheirArc)
{
  // A half circle bulging upwards, to the left of travel; negative heights bulge the other way.
  EXPECT_NEAR(TArrow::PointAlong(50, 0.5, {1, 0}, {0, 0}).X, 0.5, 1e-12);
  EXPECT_NEAR(TArrow::PointAlong(50, 0.5, {1, 0}, {0, 0}).Y, -0.5, 1e-12);
  EXPECT_NEAR(TArrow::PointAlong(50, -0.5, {1, 0}, {0, 0}).Y, 0.5, 1e-12);

  TArrow arrow;
  arrow.FromX = 1;
  arrow.FromY = 1;
  arrow.ToX = 5;
  arrow.ToY = 1;
  arrow.ChordHeight = 1;
  const TModelPoint middle = TArrow::PointAlong(50, 1, arrow.End(), arrow.Start());
  EXPECT_NEAR(middle.X, 3, 1e-12);
  EXPECT_NEAR(middle.Y, 0, 1e-12);  // the chord's middle moved up by the chord height
  // r = (c^2 + 4h^2) / 8h = 2.5 with the centre 1.5 below the chord.
  const TModelPoint centre{3, 2.5};
  for (int percent = 0; percent <= 100; percent += 10)
    EXPECT_NEAR(Distance(TArrow::PointAlong(percent, 1, arrow.End(), arrow.Start()), centre), 2.5,
                1e-9)
        << percent;
  const double span = 2 * std::asin(2 / 2.5);
  EXPECT_NEAR(arrow.ArrowLength(), 2.5 * span, 1e-9);
  // More than a half circle: the centre lies on the bulge side.
  EXPECT_NEAR(TArrow::PointAlong(50, 3, {5, 1}, {1, 1}).Y, -2, 1e-12);
  EXPECT_NEAR(TArrow::ArcLength(3, {5, 1}, {1, 1}),
              (13.0 / 6) * (2 * M_PI - 2 * std::asin(2 / (13.0 / 6))), 1e-9);

  // A bend too slight for a finite circle counts as straight rather than giving no points.
  const TModelPoint slight = TArrow::PointAlong(50, 1e-300, {5, 1}, {1, 1});
  EXPECT_EQ(slight, (TModelPoint{3, 1}));
  EXPECT_EQ(TArrow::ArcLength(1e-300, {5, 1}, {1, 1}), 4);

  // Anchors of a bent arrow lie on its arc, 1 at the start and 11 at the end.
  arrow.Recalculate(nullptr, true);
  ASSERT_EQ(arrow.Anchors.size(), 11u);
  EXPECT_NEAR(arrow.Anchors[5].DX, 3, 1e-12);
  EXPECT_NEAR(arrow.Anchors[5].DY, 0, 1e-12);
  EXPECT_EQ(TArrow::AnchorPosition(&arrow, 1), arrow.Start());
}

TEST(Arrow, HitBandScreenBoxAndHandles)
{
  QImage image = White(800, 600);
  QPainter painter(&image);
  TCanvas canvas(painter);
  TArrow arrow;
  arrow.FromX = 1;
  arrow.FromY = 1;
  arrow.ToX = 5;
  arrow.ToY = 1;
  // At 100 % on 96 DPI the band is 13 pixels wide: y = 96 +- 6.
  const QRegion band = arrow.CreateRegion(canvas, 0, 0, 100);
  EXPECT_TRUE(band.contains(QPoint(288, 96)));
  EXPECT_TRUE(band.contains(QPoint(288, 101)));
  EXPECT_TRUE(band.contains(QPoint(288, 91)));
  EXPECT_FALSE(band.contains(QPoint(288, 104)));
  EXPECT_FALSE(band.contains(QPoint(288, 88)));
  EXPECT_FALSE(band.contains(QPoint(90, 96)));  // beyond the start
  // The same width in pixels at another zoom, and for a slanted arrow.
  arrow.ToY = 4;
  const QRegion slanted = arrow.CreateRegion(canvas, 0, 0, 50);
  const QPoint mid = canvas.ToPixel(3, 2.5, 0, 0, 50);
  EXPECT_TRUE(slanted.contains(mid + QPoint(4, -3)));   // 5 pixels across the line
  EXPECT_FALSE(slanted.contains(mid + QPoint(8, -6)));  // 10 pixels across

  // Bent: the arc's middle hits, the chord's middle does not.
  arrow.ToY = 1;
  arrow.ChordHeight = 1;
  const QRegion arc = arrow.CreateRegion(canvas, 0, 0, 100);
  EXPECT_TRUE(arc.contains(QPoint(288, 0 + 3)));
  EXPECT_FALSE(arc.contains(QPoint(288, 96)));
  EXPECT_TRUE(arc.contains(canvas.ToPixel(TArrow::PointAlong(25, 1, arrow.End(), arrow.Start()).X,
                                          TArrow::PointAlong(25, 1, arrow.End(), arrow.Start()).Y,
                                          0, 0, 100)));

  // Screen box: the ends and the arc, 5 pixels larger all round.
  EXPECT_EQ(arrow.GetScreenBox(canvas, 0, 0, 100), (TPixelRect{96 - 5, 0 - 5, 480 + 5, 96 + 5}));
  arrow.ChordHeight = 0;
  EXPECT_EQ(arrow.GetScreenBox(canvas, 0, 0, 100), (TPixelRect{91, 91, 485, 102}));

  // Three round handles: start, middle, end; none when not selected.
  QRegion handles;
  arrow.DrawSelection(canvas, 0, handles, true, 0, 0, 100);
  EXPECT_TRUE(handles.isEmpty());
  arrow.Selected = true;
  arrow.DrawSelection(canvas, 0, handles, true, 0, 0, 100);
  EXPECT_TRUE(arrow.HandleRegions[0].contains(QPoint(96, 96)));
  EXPECT_TRUE(arrow.HandleRegions[1].contains(QPoint(288, 96)));
  EXPECT_TRUE(arrow.HandleRegions[2].contains(QPoint(480, 96)));
  EXPECT_TRUE(arrow.HandleRegions[3].isEmpty());
  EXPECT_TRUE(handles.contains(QPoint(288 + 6, 96)));
  EXPECT_FALSE(handles.contains(QPoint(288 + 12, 96)));
  // At small zooms the handles keep 5 pixels and a 4-pixel margin.
  QRegion small;
  arrow.DrawSelection(canvas, 0, small, true, 0, 0, 10);
  EXPECT_EQ(arrow.HandleRegions[0].boundingRect().width(), 5 + 8);

  // Moving by (x, y) moves both ends.
  arrow.MoveTo(nullptr, 0.5, -0.25);
  EXPECT_EQ(arrow.Start(), (TModelPoint{1.5, 0.75}));
  EXPECT_EQ(arrow.End(), (TModelPoint{5.5, 0.75}));
}

TEST(Arrow, MiddleMarkersTenAndElevenCutAGap)
{
  const auto draw = [](int marker, double chordHeight) {
    QImage image = White(600, 300);
    QPainter painter(&image);
    TCanvas canvas(painter);
    TArrow arrow;
    arrow.FromX = 1;
    arrow.FromY = 1.5;
    arrow.ToX = 5;
    arrow.ToY = 1.5;
    arrow.ChordHeight = chordHeight;
    arrow.MidMarker = static_cast<std::uint8_t>(marker);
    arrow.LineWidth = 3;
    // The line alone: the marker drawn into the gap is the heads' business.
    arrow.StrokeArea(canvas, arrow.LinePath(canvas, 0, 0, 100, true), 100);
    painter.end();
    return image;
  };
  // Pixels in a one-pixel column across the line at a distance (inches) from the middle.
  const auto column = [](const QImage& image, double fromMiddle, int y) {
    const int x = static_cast<int>(std::lround((3 + fromMiddle) * 96));
    return Ink(image, QRect(x, y - 6, 1, 13));
  };
  const QImage plain = draw(0, 0);
  EXPECT_GT(column(plain, 0, 144), 0);
  const QImage wide = draw(10, 0);
  EXPECT_EQ(column(wide, 0, 144), 0);
  EXPECT_EQ(column(wide, 0.2, 144), 0);
  EXPECT_EQ(column(wide, -0.2, 144), 0);
  EXPECT_GT(column(wide, 0.3, 144), 0);
  EXPECT_GT(column(wide, -0.3, 144), 0);
  const QImage narrow = draw(11, 0);
  EXPECT_EQ(column(narrow, 0, 144), 0);
  EXPECT_GT(column(narrow, 0.06, 144), 0);
  EXPECT_GT(column(narrow, -0.06, 144), 0);
  // A bent arrow has its gap at the middle of the arc.
  const QImage bent = draw(10, 0.5);
  EXPECT_EQ(column(bent, 0, 96), 0);
  EXPECT_GT(column(draw(0, 0.5), 0, 96), 0);
}

TEST(Arrow, TextStandsBesideTheLineUprightAndFastPaintsSkipItOnArcs)
{
  TArrow arrow;
  arrow.FromX = 1;
  arrow.FromY = 2;
  arrow.ToX = 5;
  arrow.ToY = 2;
  arrow.Text = TRtfWriter::CentredText(QStringLiteral("Because"));
  arrow.Recalculate(nullptr, true);
  EXPECT_GT(arrow.TextWidth, 0.3);
  EXPECT_LT(arrow.TextWidth, 3.0);  // measured, not the initial 3 inches
  EXPECT_LT(arrow.TextHeight, 1.0);
  QImage image = White(600, 400);
  QPainter painter(&image);
  TCanvas canvas(painter);
  for (const bool leftwards : {false, true}) {
    if (leftwards) std::swap(arrow.FromX, arrow.ToX);
    const std::vector<TPlacedGlyph> glyphs = arrow.TextGlyphs(canvas, 0, 0, 100);
    ASSERT_EQ(glyphs.size(), 7u);
    for (const TPlacedGlyph& g : glyphs) {
      EXPECT_EQ(g.Angle, 0) << leftwards;  // never upside down
      EXPECT_LT(g.Pixel.y(), 192);         // above the line
      EXPECT_GT(g.Pixel.y(), 192 - 40);
    }
    EXPECT_LT(glyphs.front().Pixel.x(), glyphs.back().Pixel.x()) << leftwards;
    EXPECT_NEAR((glyphs.front().Pixel.x() + glyphs.back().Pixel.x()) / 2.0, 288, 40);
  }
  // Bent upwards: the text stands outside the arc and follows it.
  arrow.FromX = 1;
  arrow.ToX = 5;
  arrow.ChordHeight = 1;
  const TModelPoint centre{3, 3.5};  // radius 2.5
  const std::vector<TPlacedGlyph> bent = arrow.TextGlyphs(canvas, 0, 0, 100);
  ASSERT_EQ(bent.size(), 7u);
  for (const TPlacedGlyph& g : bent) {
    const double r = Distance({g.Pixel.x() / 96.0, g.Pixel.y() / 96.0}, centre);
    EXPECT_GT(r, 2.5);
    EXPECT_LT(r, 2.5 + 0.5);
  }
  EXPECT_LT(bent.front().Angle, 360);
  EXPECT_GT(bent.front().Angle, 270);  // turned left of upright at the rising end
  EXPECT_GT(bent.back().Angle, 0);
  EXPECT_LT(bent.back().Angle, 90);
  painter.end();

  // Along an arc, upright characters follow turned ones and must land where they are placed.
  {
    QImage picture = White(400, 200);
    QPainter p(&picture);
    TCanvas c(p);
    TTextDrawer drawer(c, 0, 0, 100);
    std::vector<TPlacedGlyph> mixed = {bent.front(), bent.front()};
    mixed[0].Pixel = QPoint(50, 100);
    mixed[0].Angle = 300;
    mixed[1].Pixel = QPoint(300, 100);
    mixed[1].Angle = 0;
    drawer.DrawGlyphs(mixed, QPolygonF());
    p.end();
    EXPECT_GT(Ink(picture, QRect(295, 80, 25, 25)), 5);
  }

  // The line is drawn either way; the text of a bent arrow only in a full paint.
  const auto paint = [&](bool fast) {
    QImage picture = White(600, 400);
    QPainter p(&picture);
    TCanvas c(p);
    arrow.Draw(c, fast, 0, 0, 100);
    p.end();
    return Ink(picture, picture.rect());
  };
  const int full = paint(false);
  const int fast = paint(true);
  EXPECT_GT(fast, 100);
  EXPECT_GT(full, fast + 50);
  arrow.ChordHeight = 0;
  EXPECT_EQ(paint(true), paint(false));
}

TEST(Arrow, RecordRoundTrip)
{
  TModelDocument document;
  TCogi* a = Hexagon(document, 2, 2);
  TCogi* b = Hexagon(document, 6, 2);
  TArrow* arrow = Connect(document, a, 4, b, -1);
  arrow->ToHead = 3;
  arrow->MidMarker = 10;
  arrow->FromHead = 1;
  arrow->ToHeadSize = 2;
  arrow->MidMarkerSize = 1;
  arrow->FromHeadSize = 2;
  arrow->ChordHeight = -0.75;
  arrow->LineStyle = 3;
  arrow->LineWidth = 2.5f;
  arrow->LineColor = 0x123456;
  arrow->Shadow = 1;
  a->SaveIndex = 0;
  b->SaveIndex = 1;
  QByteArray bytes;
  {
    TBinaryWriter writer(bytes);
    arrow->SaveToStream(writer);
  }
  ASSERT_EQ(bytes.size(), 103 + 9 + 62);
  TBinaryReader reader(bytes);
  ASSERT_EQ(reader.ReadInt32(), 1);
  TArrow copy;
  copy.LoadFromStream(reader);
  EXPECT_EQ(copy.ToHead, 3);
  EXPECT_EQ(copy.MidMarker, 10);
  EXPECT_EQ(copy.FromHead, 1);
  EXPECT_EQ(copy.ToHeadSize, 2);
  EXPECT_EQ(copy.MidMarkerSize, 1);
  EXPECT_EQ(copy.FromHeadSize, 2);
  EXPECT_EQ(copy.Start(), arrow->Start());
  EXPECT_EQ(copy.End(), arrow->End());
  EXPECT_EQ(copy.ChordHeight, -0.75);
  EXPECT_EQ(copy.FromIndex, 0);
  EXPECT_EQ(copy.ToIndex, 1);
  EXPECT_EQ(copy.FromAnchor, 4);
  EXPECT_EQ(copy.ToAnchor, -1);
  EXPECT_EQ(copy.FromObject, nullptr);  // reconnected by the model reader
  EXPECT_EQ(copy.LineStyle, 3);
  EXPECT_EQ(copy.LineWidth, 2.5f);
  EXPECT_EQ(copy.LineColor, 0x123456u);
  EXPECT_EQ(copy.Shadow, 1);
  EXPECT_EQ(copy.ClassDisplayName(), QStringLiteral("Arrow"));
  // A free end is stored as -1.
  TArrow::AttachArrowEnd(nullptr, arrow, -1, TArrowEnd::Finish);
  QByteArray freeEnd;
  {
    TBinaryWriter writer(freeEnd);
    arrow->SaveToStream(writer);
  }
  TBinaryReader again(freeEnd);
  again.ReadInt32();
  TArrow loose;
  loose.LoadFromStream(again);
  EXPECT_EQ(loose.ToIndex, -1);
  EXPECT_FALSE(b->HasAttachedArrow(arrow));
  // A record cut short fails.
  TBinaryReader cut(bytes.left(bytes.size() - 3));
  cut.ReadInt32();
  TArrow broken;
  EXPECT_ANY_THROW(broken.LoadFromStream(cut));
}
