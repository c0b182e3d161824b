#include "model/arrow.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/rounding.h"

namespace {

// The arc through a and b bulging by h to the left of the travel from b to a.
struct TArc {
  TModelPoint Centre;
  double Radius = 0.0;
  double StartAngle = 0.0;  // radians, of a, in screen coordinates
  double Sweep = 0.0;       // signed radians from a to b through the bulge
};

bool MakeArc(double h, TModelPoint a, TModelPoint b, TArc& arc)
{
  const double dx = a.X - b.X;
  const double dy = a.Y - b.Y;
  const double c = std::sqrt(dx * dx + dy * dy);
  if (h == 0.0 || c == 0.0 || !std::isfinite(h) || !std::isfinite(c))
    return false;
  // Left of the travel from b to a on a screen whose y grows downwards.
  const double nx = dy / c;
  const double ny = -dx / c;
  const TModelPoint mid{(a.X + b.X) / 2.0, (a.Y + b.Y) / 2.0};
  arc.Radius = (c * c + 4.0 * h * h) / (8.0 * std::fabs(h));
  const double shift = h - std::copysign(arc.Radius, h);
  arc.Centre = {mid.X + shift * nx, mid.Y + shift * ny};
  const TModelPoint bulge{mid.X + h * nx, mid.Y + h * ny};
  constexpr double kTurn = 2.0 * std::numbers::pi;
  auto angleOf = [&](TModelPoint p) { return std::atan2(p.Y - arc.Centre.Y, p.X - arc.Centre.X); };
  auto positive = [&](double a) { return std::fmod(std::fmod(a, kTurn) + kTurn, kTurn); };
  arc.StartAngle = angleOf(a);
  const double toB = positive(angleOf(b) - arc.StartAngle);
  const double toBulge = positive(angleOf(bulge) - arc.StartAngle);
  arc.Sweep = toBulge < toB ? toB : toB - kTurn;
  return true;
}

}  // namespace

TArrow::TArrow()
{
  TextWidth = 3.0;
  TextHeight = 1.0;
  NumberX = -1.0;
  NumberY = -1.0;
}

TArrow::~TArrow()
{
  // The base destructor no longer sees this object as an arrow, so the ends go here.
  if (FromObject)
    FromObject->DetachArrow(this);
  if (ToObject)
    ToObject->DetachArrow(this);
}

TModelPoint TArrow::PointAlong(double percent, double chordHeight, TModelPoint a, TModelPoint b)
{
  TArc arc;
  if (!MakeArc(chordHeight, a, b, arc))
    return {a.X + percent / 100.0 * (b.X - a.X), a.Y + percent / 100.0 * (b.Y - a.Y)};
  const double angle = arc.StartAngle + arc.Sweep * percent / 100.0;
  return {arc.Centre.X + arc.Radius * std::cos(angle),
          arc.Centre.Y + arc.Radius * std::sin(angle)};
}

double TArrow::ArcLength(double chordHeight, TModelPoint a, TModelPoint b)
{
  TArc arc;
  if (!MakeArc(chordHeight, a, b, arc))
    return Distance(a, b);
  return arc.Radius * std::fabs(arc.Sweep);
}

double TArrow::ArrowLength() const
{
  return ArcLength(ChordHeight, End(), Start());
}

void TArrow::AttachArrowEnd(CGPObject* object, CGPObject* arrowObject, int anchor, TArrowEnd end)
{
  auto* arrow = dynamic_cast<TArrow*>(arrowObject);
  if (!arrow || object == arrow)
    return;
  CGPObject*& current = end == TArrowEnd::Start ? arrow->FromObject : arrow->ToObject;
  if (current) {
    CGPObject* previous = current;
    previous->DetachArrow(arrow);
    if (dynamic_cast<TArrow*>(previous))
      arrow->AttachedArrows.erase(
          std::remove(arrow->AttachedArrows.begin(), arrow->AttachedArrows.end(), previous),
          arrow->AttachedArrows.end());
  }
  if (object)
    object->AttachedArrows.insert(object->AttachedArrows.begin(), arrow);
  if (end == TArrowEnd::Start) {
    arrow->FromObject = object;
    arrow->FromAnchor = anchor;
  } else {
    arrow->ToObject = object;
    arrow->ToAnchor = anchor;
  }
}

TModelPoint TArrow::AnchorPosition(const CGPObject* object, int k)
{
  const bool isArrow = dynamic_cast<const TArrow*>(object) != nullptr;
  const TModelPoint centre = isArrow ? TModelPoint{0, 0} : object->Centre();
  const double angle = isArrow ? 0.0 : object->ObjectAngle();
  // An object without anchors holds its arrows at its centre.
  if (object->Anchors.empty())
    return object->Centre();
  TAnchor anchor;
  if (k < 1)
    anchor = object->Anchors.front();
  else if (static_cast<std::size_t>(k) > object->Anchors.size())
    anchor = {1.0, 1.0};
  else
    anchor = object->Anchors[static_cast<std::size_t>(k) - 1];
  return RotateOffset(centre, anchor.DX, anchor.DY, angle);
}

TModelPoint TArrow::BestAnchor(TModelPoint point, const CGPObject* object, double chordHeight,
                               int* score)
{
  if (object->Anchors.empty()) {
    if (score)
      *score = 180;
    return object->Centre();
  }
  int best = 360;
  TModelPoint chosen = AnchorPosition(object, 1);
  for (std::size_t i = 0; i < object->Anchors.size(); ++i) {
    const TModelPoint a = AnchorPosition(object, static_cast<int>(i) + 1);
    const TModelPoint q = PointAlong(5, chordHeight, a, point);
    int d = std::abs(RoundHalfEven(Bearing(object->Centre(), a) - Bearing(a, q)));
    if (d > 180)
      d = 360 - d;
    // A later anchor must be clearly better, so arrows do not flicker between anchors.
    if (d < best - 5) {
      best = d;
      chosen = a;
    }
  }
  if (score)
    *score = best;
  return chosen;
}

void TArrow::ComputeArrowEnds()
{
  CGPObject* from = FromObject;
  CGPObject* to = ToObject == FromObject ? nullptr : ToObject;
  const double h = ChordHeight;
  TModelPoint start = Start();
  TModelPoint end = End();
  if (from && to) {
    if (FromAnchor != -1 && ToAnchor != -1) {
      start = AnchorPosition(from, FromAnchor);
      end = AnchorPosition(to, ToAnchor);
    } else if (FromAnchor != -1) {
      start = AnchorPosition(from, FromAnchor);
      end = BestAnchor(start, to, h);
    } else if (ToAnchor != -1) {
      end = AnchorPosition(to, ToAnchor);
      start = BestAnchor(end, from, -h);
    } else if (from->Anchors.empty()) {
      start = from->Centre();
      end = BestAnchor(start, to, h);
    } else {
      double bestTotal = 720;
      for (std::size_t i = 0; i < from->Anchors.size(); ++i) {
        const TModelPoint s = AnchorPosition(from, static_cast<int>(i) + 1);
        int score = 0;
        const TModelPoint e = BestAnchor(s, to, h, &score);
        const TModelPoint q = PointAlong(95, h, e, s);
        const double total =
            score + BearingDifference(Bearing(s, q), Bearing(from->Centre(), s));
        if (total < bestTotal) {
          bestTotal = total;
          start = s;
          end = e;
        }
      }
    }
  } else if (from) {
    start = FromAnchor != -1 ? AnchorPosition(from, FromAnchor) : BestAnchor(end, from, -h);
  } else if (to) {
    end = ToAnchor != -1 ? AnchorPosition(to, ToAnchor) : BestAnchor(start, to, h);
  }
  FromX = start.X;
  FromY = start.Y;
  ToX = end.X;
  ToY = end.Y;
}

void TArrow::MoveTo(TObjectList*, double x, double y)
{
  const double dx = x - X;
  const double dy = y - Y;
  FromX += dx;
  FromY += dy;
  ToX += dx;
  ToY += dy;
}

bool TArrow::FindAnchor(TModelPoint point, int& index, TModelPoint& position) const
{
  for (std::size_t i = 0; i < Anchors.size(); ++i) {
    const TAnchor& a = Anchors[i];
    if (std::abs(a.DX - point.X) < 0.1 && std::abs(a.DY - point.Y) < 0.1) {
      index = static_cast<int>(i) + 1;
      position = {a.DX, a.DY};
      return true;
    }
  }
  return false;
}

TAnchorList TArrow::AnchorRule() const
{
  TAnchorList anchors;
  for (int p = 100; p >= 0; p -= 10) {
    const TModelPoint point = PointAlong(p, ChordHeight, End(), Start());
    anchors.push_back({point.X, point.Y});
  }
  return anchors;
}
