// The rules that place an arrow's attached ends, for a fixed bend and for a bend through a
// point, the bend of an arc through three points, and the refusal of cycles of arrows.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/arrow.h"
#include "platform/rounding.h"

namespace {

// An object with the given anchors (offsets from its centre) and nothing else.
struct TAnchored : CGPObject {
  TAnchored(TModelPoint centre, TAnchorList anchors)
  {
    X = centre.X;
    Y = centre.Y;
    Anchors = std::move(anchors);
  }
};

TAnchor AtBearing(double bearing)
{
  const TModelPoint p = PointAt({0, 0}, 1.0, bearing);
  return {p.X, p.Y};
}

// How squarely a line whose first step goes from anchor a to q leaves an object centred at
// centre, measured the plain way: every anchor, every arc tangent.
int SquarenessScore(TModelPoint centre, TModelPoint a, TModelPoint q)
{
  const int d = std::abs(RoundHalfEven(Bearing(centre, a) - Bearing(a, q)));
  return d > 180 ? 360 - d : d;
}

// The anchor of object whose line towards other (bent by h) leaves most squarely; a later
// anchor must be better by more than five degrees.
TModelPoint MeasuredBest(const CGPObject& object, TModelPoint other, double h, int* score)
{
  int best = 360;
  TModelPoint chosen = TArrow::AnchorPosition(&object, 1);
  for (int i = 1; i <= static_cast<int>(object.Anchors.size()); ++i) {
    const TModelPoint a = TArrow::AnchorPosition(&object, i);
    const int d = SquarenessScore(object.Centre(), a, TArrow::PointAlong(5, h, a, other));
    if (d < best - 5) {
      best = d;
      chosen = a;
    }
  }
  *score = best;
  return chosen;
}

}  // namespace

TEST(ArcBend, HeightOfTheArcThroughThreePointsSignedByTheSideOfThePoint)
{
  // Left of the travel from (0, 0) to (4, 0) on the screen is up.
  EXPECT_NEAR(TArrow::ArcBend({0, 0}, {2, -1}, {4, 0}), 1.0, 1e-12);
  EXPECT_NEAR(TArrow::ArcBend({0, 0}, {2, 1}, {4, 0}), -1.0, 1e-12);
  // A point off the middle: the arc still crosses the middle's perpendicular at 1.
  EXPECT_NEAR(TArrow::ArcBend({0, 0}, {0.5, -0.5}, {4, 0}), 1.0, 1e-12);
  // More than a half circle: the bulge is higher than the radius.
  EXPECT_NEAR(TArrow::ArcBend({0, 0}, {1, -3}, {2, 0}), 3.0, 1e-12);
  EXPECT_EQ(TArrow::ArcBend({0, 0}, {7, 0}, {4, 0}), 0.0);  // on the line
  EXPECT_EQ(TArrow::ArcBend({1, 1}, {2, 2}, {1, 1}), 0.0);  // no chord
}

TEST(ArcBend, ANegativeBendIsNotZeroedByTheSmallBendRule)
{
  // Only small bends straighten; to the right of the line they are as real as to the left.
  EXPECT_EQ(TArrow::ArcBend({0, 0}, {2, -0.1}, {4, 0}), 0.0);
  EXPECT_EQ(TArrow::ArcBend({0, 0}, {2, 0.1}, {4, 0}), 0.0);
  EXPECT_NEAR(TArrow::ArcBend({0, 0}, {2, 0.5}, {4, 0}), -0.5, 1e-12);
  EXPECT_NEAR(TArrow::ArcBend({0, 0}, {2, -0.5}, {4, 0}), 0.5, 1e-12);
}

TEST(PlaceEnds, ABendThroughAPointNeedsTenDegreesToChangeAnchor)
{
  // Two anchors facing 20 and 13 degrees away from the far start: the later one is 7
  // degrees better, enough for a fixed bend (5) but not while bending (10).
  const TAnchored target({0, 0}, {AtBearing(110), AtBearing(103)});
  const TModelPoint anchor1 = TArrow::AnchorPosition(&target, 1);
  const TModelPoint anchor2 = TArrow::AnchorPosition(&target, 2);
  const TArrowEnds ends{nullptr, &target, -1, -1, {1000, 0.3}, {0, 0}};
  EXPECT_EQ(TArrow::PlaceEnds(ends, 0).End, anchor2);
  // The pointer lies almost on both lines, so both arcs are straight.
  const TModelPoint through{500, 0.3};
  EXPECT_EQ(TArrow::ArcBend({1000, 0.3}, through, anchor1), 0.0);
  EXPECT_EQ(TArrow::ArcBend({1000, 0.3}, through, anchor2), 0.0);
  EXPECT_EQ(TArrow::PlaceEndsThrough(ends, through).End, anchor1);
}

TEST(PlaceEnds, BestPairSearchStartsAboveAnyPossibleSum)
{
  // Each object's only anchor faces away from the other: every pair scores 180 + 180.
  const TAnchored from({0, 0}, {{1, 0}});
  const TAnchored to({-5, 0}, {{-1, 0}});
  const TArrowEnds ends{&from, &to, -1, -1, {40, 40}, {50, 50}};
  for (const TArrowEnds& placed :
       {TArrow::PlaceEnds(ends, 0), TArrow::PlaceEndsThrough(ends, {-2.5, 0})}) {
    EXPECT_EQ(placed.Start, (TModelPoint{1, 0}));
    EXPECT_EQ(placed.End, (TModelPoint{-6, 0}));
  }
}

TEST(PlaceEnds, BendingThroughAPointPlacesTheEndsOnThatArc)
{
  // Two objects side by side; bent upwards through a point above the middle, the ends take
  // the anchors from which the arc leaves outward, and the arc passes through the point.
  const TAnchored from({0, 0}, {AtBearing(0), AtBearing(90), AtBearing(180), AtBearing(270)});
  const TAnchored to({6, 0}, {AtBearing(0), AtBearing(90), AtBearing(180), AtBearing(270)});
  const TArrowEnds ends{&from, &to, -1, -1, {}, {}};
  const TArrowEnds straight = TArrow::PlaceEnds(ends, 0);
  EXPECT_EQ(straight.Start, TArrow::AnchorPosition(&from, 2));  // facing right
  EXPECT_EQ(straight.End, TArrow::AnchorPosition(&to, 4));      // facing left
  const TModelPoint through{3, -4};
  const TArrowEnds bent = TArrow::PlaceEndsThrough(ends, through);
  EXPECT_EQ(bent.Start, TArrow::AnchorPosition(&from, 1));  // both leave upwards
  EXPECT_EQ(bent.End, TArrow::AnchorPosition(&to, 1));
  const double h = TArrow::ArcBend(bent.Start, through, bent.End);
  EXPECT_GT(h, 0);
  const TModelPoint middle = TArrow::PointAlong(50, h, bent.End, bent.Start);
  EXPECT_NEAR(middle.X, through.X, 1e-9);
  EXPECT_NEAR(middle.Y, through.Y, 1e-9);
}

TEST(AttachArrowEnd, AttachingAnArrowEndToAnArrowThatLeadsBackIsRefused)
{
  CGPObject box;
  box.Recalculate(nullptr, true);
  TArrow a, b, c;
  for (TArrow* arrow : {&a, &b, &c})
    arrow->Recalculate(nullptr, true);
  // c's end on b, b's end on a: a's end may go to the box but neither to c nor to b.
  TArrow::AttachArrowEnd(&b, &c, 6, TArrowEnd::Finish);
  TArrow::AttachArrowEnd(&a, &b, 6, TArrowEnd::Finish);
  TArrow::AttachArrowEnd(&box, &a, 3, TArrowEnd::Finish);
  EXPECT_TRUE(TArrow::Reaches(&c, &a));
  EXPECT_FALSE(TArrow::Reaches(&a, &c));
  for (TArrow* back : {&c, &b}) {
    TArrow::AttachArrowEnd(back, &a, 4, TArrowEnd::Finish);
    EXPECT_EQ(a.ToObject, nullptr);
    EXPECT_EQ(a.ToAnchor, -1);
    EXPECT_FALSE(back->HasAttachedArrow(&a));
  }
  EXPECT_TRUE(box.AttachedArrows.empty());  // the old end was freed
  // The other way round is no cycle.
  TArrow::AttachArrowEnd(&a, &c, 2, TArrowEnd::Start);
  EXPECT_EQ(c.FromObject, &a);
  for (TArrow* arrow : {&a, &b, &c})
    arrow->DetachAll();
}

TEST(PlaceEnds, AnchorsLeftUnmeasuredChooseAsMeasuringEveryAnchorDoes)
{
  // Objects with many anchors in every direction, lines towards them at angles just either
  // side of the half degrees where scores round the other way, straight and bent.
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int trial = 0; trial < 3000; ++trial) {
    TAnchorList anchors;
    const int count = 4 + static_cast<int>(unit(random) * 24);
    for (int k = 0; k < count; ++k) {
      const TModelPoint p = PointAt({0, 0}, 0.2 + unit(random), 360.0 * unit(random));
      anchors.push_back({p.X, p.Y});
    }
    const TAnchored object({10 * unit(random), 10 * unit(random)}, anchors);
    const TAnchored other({40 * unit(random) - 20, 40 * unit(random) - 20}, anchors);
    const double h = trial % 3 == 0 ? 0.0 : 4.0 * unit(random) - 2.0;
    // Aimed from a random anchor at a random whole angle and a half, give or take a hair.
    const TModelPoint aimedFrom =
        TArrow::AnchorPosition(&object, 1 + static_cast<int>(unit(random) * count));
    const double outward = Bearing(object.Centre(), aimedFrom);
    const double off = std::floor(180.0 * unit(random)) + 0.5 + (unit(random) - 0.5) * 1e-9;
    const TModelPoint point = PointAt(aimedFrom, 5.0 + 50.0 * unit(random), outward + off);
    int score = 0;
    int measuredScore = 0;
    const TModelPoint best = TArrow::BestAnchor(point, &object, h, &score);
    EXPECT_EQ(best, MeasuredBest(object, point, h, &measuredScore)) << "trial " << trial;
    EXPECT_EQ(score, measuredScore) << "trial " << trial;

    // Both ends free: every start anchor with the best end for it, the pair leaving both
    // objects most squarely winning.
    const TArrowEnds placed = TArrow::PlaceEnds({&object, &other, -1, -1, {}, {}}, h);
    double bestTotal = std::numeric_limits<double>::infinity();
    TModelPoint start;
    TModelPoint end;
    for (int i = 1; i <= count; ++i) {
      const TModelPoint s = TArrow::AnchorPosition(&object, i);
      const TModelPoint e = MeasuredBest(other, s, h, &measuredScore);
      const TModelPoint q = TArrow::PointAlong(95, h, e, s);
      const double total =
          measuredScore + BearingDifference(Bearing(s, q), Bearing(object.Centre(), s));
      if (total < bestTotal) {
        bestTotal = total;
        start = s;
        end = e;
      }
    }
    EXPECT_EQ(placed.Start, start) << "trial " << trial;
    EXPECT_EQ(placed.End, end) << "trial " << trial;
  }
}
