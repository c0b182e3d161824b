#include "model/arrow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <unordered_set>

#include "model/kindcast.h"
#include "model/outlines/arrowheads.h"
#include "platform/canvas.h"
#include "platform/markstamps.h"
#include "platform/pixelregion.h"
#include "platform/rounding.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/linerenderer.h"
#include "render/text/textmeasurer.h"

namespace {

// Arrows with a shadow show their text in a mid grey instead of casting a text shadow.
constexpr TColorRef kShadowTextColor = 0x808080;

// The arc through a and b bulging by h to the left of the travel from b to a.
struct TArc {
  TModelPoint Centre;
  double Radius = 0.0;
  double StartAngle = 0.0;  // radians, of a, in screen coordinates
  double Sweep = 0.0;       // signed radians from a to b through the bulge
};

bool MakeArc(double h, TModelPoint a, TModelPoint b, TArc& arc)
{
  // A straight line, the usual case, is known before any square root.
  if (h == 0.0 || !std::isfinite(h)) return false;
  const double dx = a.X - b.X;
  const double dy = a.Y - b.Y;
  const double c = std::sqrt(dx * dx + dy * dy);
  if (c == 0.0 || !std::isfinite(c)) return false;
  // Left of the travel from b to a on a screen whose y grows downwards.
  const double nx = dy / c;
  const double ny = -dx / c;
  const TModelPoint mid{(a.X + b.X) / 2.0, (a.Y + b.Y) / 2.0};
  arc.Radius = (c * c + 4.0 * h * h) / (8.0 * std::fabs(h));
  const double shift = h - std::copysign(arc.Radius, h);
  arc.Centre = {mid.X + shift * nx, mid.Y + shift * ny};
  // A bend far too slight to see would put the centre where angles lose all precision.
  if (std::fabs(h) < c * 1e-9 || !std::isfinite(arc.Radius) || !std::isfinite(arc.Centre.X) ||
      !std::isfinite(arc.Centre.Y))
    return false;
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

// PointAlong on a straight line, which choosing anchors asks for most often.
inline TModelPoint StraightPointAlong(double percent, TModelPoint a, TModelPoint b)
{
  return {a.X + percent / 100.0 * (b.X - a.X), a.Y + percent / 100.0 * (b.Y - a.Y)};
}

TModelPoint PointOnArc(const TArc& arc, double percent)
{
  const double angle = arc.StartAngle + arc.Sweep * percent / 100.0;
  return {arc.Centre.X + arc.Radius * std::cos(angle), arc.Centre.Y + arc.Radius * std::sin(angle)};
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
  if (FromObject) FromObject->DetachArrow(this);
  if (ToObject) ToObject->DetachArrow(this);
}

TModelPoint TArrow::PointAlong(double percent, double chordHeight, TModelPoint a, TModelPoint b)
{
  TArc arc;
  if (!MakeArc(chordHeight, a, b, arc)) return StraightPointAlong(percent, a, b);
  return PointOnArc(arc, percent);
}

double TArrow::ArcLength(double chordHeight, TModelPoint a, TModelPoint b)
{
  TArc arc;
  if (!MakeArc(chordHeight, a, b, arc)) return Distance(a, b);
  return arc.Radius * std::fabs(arc.Sweep);
}

double TArrow::ArrowLength() const
{
  return ArcLength(ChordHeight, End(), Start());
}

void TArrow::AttachArrowEnd(CGPObject* object, CGPObject* arrowObject, int anchor, TArrowEnd end)
{
  TArrow* arrow = TKindCast::Arrow(arrowObject);
  if (!arrow || object == arrow) return;
  // An end on an arrow that leads back to this one would make the arrows place each other
  // in a circle; such an end is left free instead.
  if (object && Reaches(object, arrow)) {
    object = nullptr;
    anchor = -1;
  }
  CGPObject*& current = end == TArrowEnd::Start ? arrow->FromObject : arrow->ToObject;
  if (current) {
    CGPObject* previous = current;
    previous->DetachArrow(arrow);
    // Leaving an arrow also parts it from this one. Its ends on this arrow are freed with it:
    // dropping it from the list alone would leave them pointing at this arrow unseen, and
    // dangling once this arrow goes.
    if (TKindCast::Arrow(previous)) arrow->DetachArrow(previous);
  }
  if (object) object->AttachedArrows.insert(object->AttachedArrows.begin(), arrow);
  if (end == TArrowEnd::Start) {
    arrow->FromObject = object;
    arrow->FromAnchor = anchor;
  } else {
    arrow->ToObject = object;
    arrow->ToAnchor = anchor;
  }
}

namespace {

// Where an object's anchors are measured from: an arrow's own centre is kept at the origin and
// it does not turn. Worked out once per object, not once per anchor: finding the class is
// what an arrow refresh would otherwise spend most of its time on.
struct TAnchorFrame {
  TModelPoint Centre;
  double Angle;
};

TAnchorFrame AnchorFrame(const CGPObject* object)
{
  if (object->KindCode() == okArrow) return {{0, 0}, 0.0};
  return {object->Centre(), object->ObjectAngle()};
}

TModelPoint AnchorIn(const CGPObject* object, const TAnchorFrame& frame, int k)
{
  TAnchor anchor;
  if (k < 1)
    anchor = object->Anchors.front();
  else if (static_cast<std::size_t>(k) > object->Anchors.size())
    anchor = {1.0, 1.0};
  else
    anchor = object->Anchors[static_cast<std::size_t>(k) - 1];
  return RotateOffset(frame.Centre, anchor.DX, anchor.DY, frame.Angle);
}

}  // namespace

TModelPoint TArrow::AnchorPosition(const CGPObject* object, int k)
{
  // An object without anchors holds its arrows at its centre.
  if (object->Anchors.empty()) return AttachCentre(object);
  return AnchorIn(object, AnchorFrame(object), k);
}

namespace {

// An object's anchors with the bearing from its centre to each, which every choice of anchor
// compares against; an arrow with both ends free to choose asks for them once per anchor of
// its other end.
struct TAnchorChoice {
  TModelPoint Centre;
  std::vector<TModelPoint> Points;

  // The bearing from the centre to anchor i, worked out when first asked: most anchors are
  // never compared.
  double Outward(std::size_t i) const
  {
    double& bearing = outward_[i];
    if (std::isnan(bearing)) bearing = Bearing(Centre, Points[i]);
    return bearing;
  }

  mutable std::vector<double> outward_;
};

TAnchorChoice AnchorChoice(const CGPObject* object)
{
  TAnchorChoice choice;
  const TModelPoint centre = TArrow::AttachCentre(object);
  choice.Centre = centre;
  const TAnchorFrame frame = AnchorFrame(object);
  choice.Points.reserve(object->Anchors.size());
  for (std::size_t i = 0; i < object->Anchors.size(); ++i)
    choice.Points.push_back(AnchorIn(object, frame, static_cast<int>(i) + 1));
  choice.outward_.assign(choice.Points.size(), std::numeric_limits<double>::quiet_NaN());
  return choice;
}

// How the bend of the line is known while its ends are chosen: fixed, or that of the arc
// through a point, which a candidate must beat the earlier ones by a wider margin to change.
struct TBendRule {
  double Height = 0.0;
  const TModelPoint* Through = nullptr;
  int Margin = 5;

  // The chord height of the line from start to end.
  double Between(TModelPoint start, TModelPoint end) const
  {
    return Through ? TArrow::ArcBend(start, *Through, end) : Height;
  }
};

// True when the angle between u and v, in whole degrees as an anchor's score rounds it, is
// surely no less than limit: the angle's cosine is compared against that of a bound a little
// below limit - 0.5 degrees, far beyond the rounding errors of either way of measuring it.
// False whenever that cannot be said (a vector without length or beyond the range of
// doubles).
bool SurelyNoLessThan(TModelPoint u, TModelPoint v, int limit)
{
  if (limit <= 0) return true;
  if (limit > 180) return false;
  static const std::array<double, 181> kCosineBelow = [] {
    std::array<double, 181> cosines{};
    for (int d = 1; d <= 180; ++d)
      cosines[static_cast<std::size_t>(d)] =
          std::cos((d - 0.5 + 1e-6) * std::numbers::pi / 180.0) - 1e-12;
    return cosines;
  }();
  const double lengths = std::sqrt(u.X * u.X + u.Y * u.Y) * std::sqrt(v.X * v.X + v.Y * v.Y);
  if (!std::isnormal(lengths)) return false;
  const double cosine = (u.X * v.X + u.Y * v.Y) / lengths;
  return cosine < kCosineBelow[static_cast<std::size_t>(limit)];
}

// The anchor of a choice from which the line towards the other end leaves most squarely; the
// candidate is the start of the line (atStart) or its end.
TModelPoint BestOf(const TAnchorChoice& choice, TModelPoint other, bool atStart,
                   const TBendRule& rule, int* score)
{
  int best = 360;
  TModelPoint chosen = choice.Points.front();
  for (std::size_t i = 0; i < choice.Points.size(); ++i) {
    const TModelPoint a = choice.Points[i];
    // The line's first step from the anchor. The bend is measured from the second point
    // given, which for a start anchor is the line's far end: there it turns sign.
    const double h = atStart ? -rule.Between(a, other) : rule.Between(other, a);
    const TModelPoint q =
        h == 0.0 ? StraightPointAlong(5, a, other) : TArrow::PointAlong(5, h, a, other);
    // Most anchors face too far away to win; a dot product says so where the score itself
    // takes arc tangents.
    if (SurelyNoLessThan({a.X - choice.Centre.X, a.Y - choice.Centre.Y}, {q.X - a.X, q.Y - a.Y},
                         best - rule.Margin))
      continue;
    int d = std::abs(RoundHalfEven(choice.Outward(i) - Bearing(a, q)));
    if (d > 180) d = 360 - d;
    // A later anchor must be clearly better, so arrows do not flicker between anchors.
    if (d < best - rule.Margin) {
      best = d;
      chosen = a;
    }
  }
  if (score) *score = best;
  return chosen;
}

TModelPoint BestEnd(const CGPObject* object, TModelPoint other, bool atStart, const TBendRule& rule,
                    int* score = nullptr)
{
  if (object->Anchors.empty()) {
    if (score) *score = 180;
    return TArrow::AttachCentre(object);
  }
  return BestOf(AnchorChoice(object), other, atStart, rule, score);
}

TArrowEnds PlaceByRule(TArrowEnds ends, const TBendRule& rule)
{
  const CGPObject* from = ends.FromObject;
  const CGPObject* to = ends.ToObject == from ? nullptr : ends.ToObject;
  const int a = ends.FromAnchor;
  const int b = ends.ToAnchor;
  TModelPoint& start = ends.Start;
  TModelPoint& end = ends.End;
  if (from && to) {
    if (a != -1 && b != -1) {
      start = TArrow::AnchorPosition(from, a);
      end = TArrow::AnchorPosition(to, b);
    } else if (a != -1) {
      start = TArrow::AnchorPosition(from, a);
      end = BestEnd(to, start, false, rule);
    } else if (b != -1) {
      end = TArrow::AnchorPosition(to, b);
      start = BestEnd(from, end, true, rule);
    } else if (from->Anchors.empty()) {
      start = TArrow::AttachCentre(from);
      end = BestEnd(to, start, false, rule);
    } else {
      // Every start anchor with the best end for it; the pair that leaves both objects most
      // squarely wins. The first pair always counts, whatever its sum.
      const TModelPoint fromCentre = TArrow::AttachCentre(from);
      const TAnchorChoice starts = AnchorChoice(from);
      const TAnchorChoice finishes = AnchorChoice(to);
      double bestTotal = std::numeric_limits<double>::infinity();
      for (const TModelPoint& s : starts.Points) {
        int score = 180;
        const TModelPoint e = finishes.Points.empty() ? TArrow::AttachCentre(to)
                                                      : BestOf(finishes, s, false, rule, &score);
        // The bearing difference added below is more than -1 (0 to 180, or just under 0
        // when a bearing is of no length), so a score this high cannot win.
        if (score - 1 >= bestTotal) continue;
        const TModelPoint q = TArrow::PointAlong(95, rule.Between(s, e), e, s);
        const double total = score + BearingDifference(Bearing(s, q), Bearing(fromCentre, s));
        if (total < bestTotal) {
          bestTotal = total;
          start = s;
          end = e;
        }
      }
    }
  } else if (from) {
    start = a != -1 ? TArrow::AnchorPosition(from, a) : BestEnd(from, end, true, rule);
  } else if (to) {
    end = b != -1 ? TArrow::AnchorPosition(to, b) : BestEnd(to, start, false, rule);
  }
  return ends;
}

}  // namespace

TModelPoint TArrow::BestAnchor(TModelPoint point, const CGPObject* object, double chordHeight,
                               int* score)
{
  return BestEnd(object, point, false, TBendRule{chordHeight}, score);
}

TArrowEnds TArrow::PlaceEnds(TArrowEnds ends, double chordHeight)
{
  return PlaceByRule(ends, TBendRule{chordHeight});
}

TArrowEnds TArrow::PlaceEndsThrough(TArrowEnds ends, TModelPoint through)
{
  return PlaceByRule(ends, TBendRule{0.0, &through, 10});
}

double TArrow::ArcBend(TModelPoint s, TModelPoint p, TModelPoint e)
{
  const double c = Distance(s, e);
  if (!(c > 0.0) || !std::isfinite(c)) return 0.0;
  // p in the frame of the chord: u along it from its middle, v to its left on the screen.
  const double tx = (e.X - s.X) / c;
  const double ty = (e.Y - s.Y) / c;
  const double mx = p.X - (s.X + e.X) / 2.0;
  const double my = p.Y - (s.Y + e.Y) / 2.0;
  const double u = mx * tx + my * ty;
  const double v = mx * ty - my * tx;
  if (v == 0.0) return 0.0;
  // The circle through both chord ends and p has its centre at height k over the middle; the
  // arc through p crosses the middle's perpendicular at k plus the radius towards p's side.
  const double k = (u * u + v * v - c * c / 4.0) / (2.0 * v);
  const double h = k + std::copysign(std::sqrt(c * c / 4.0 + k * k), v);
  // Small bends in either direction straighten the arrow.
  if (!std::isfinite(h) || std::fabs(h) < kMinimumBend) return 0.0;
  return h;
}

bool TArrow::Reaches(const CGPObject* from, const CGPObject* arrow)
{
  if (!from || !arrow) return false;
  if (from == arrow) return true;
  // Nothing lies ahead of an object that is no arrow, so the search below would end after
  // looking once at the arrows on `arrow`; most ends are such objects.
  if (!TKindCast::Arrow(from))
    return std::find(arrow->AttachedArrows.begin(), arrow->AttachedArrows.end(), from) !=
           arrow->AttachedArrows.end();
  // Searched from both sides in turn, along the ends ahead of from and along the arrows that
  // sit on arrow behind it: the side that runs out first shows the arrow out of reach, so a
  // long chain of arrows costs no more than its short side. Each object is visited once,
  // which also ends the walk in a web that earlier versions tied into cycles.
  std::vector<const CGPObject*> ahead{from};
  std::vector<const CGPObject*> behind{arrow};
  std::unordered_set<const CGPObject*> seenAhead{from};
  std::unordered_set<const CGPObject*> seenBehind{arrow};
  while (!ahead.empty() && !behind.empty()) {
    const CGPObject* forward = ahead.back();
    ahead.pop_back();
    if (forward->KindCode() == okArrow) {
      const auto* through = static_cast<const TArrow*>(forward);
      for (const CGPObject* end : {through->FromObject, through->ToObject}) {
        if (end == arrow) return true;
        if (end && seenAhead.insert(end).second) ahead.push_back(end);
      }
    }
    const CGPObject* backward = behind.back();
    behind.pop_back();
    for (const CGPObject* rider : backward->AttachedArrows) {
      if (rider == from) return true;
      if (rider && seenBehind.insert(rider).second) behind.push_back(rider);
    }
  }
  return false;
}

void TArrow::ComputeArrowEnds()
{
  TakeEnds(PlannedEnds());
}

TArrowEnds TArrow::PlannedEnds() const
{
  return PlaceEnds({FromObject, ToObject, FromAnchor, ToAnchor, Start(), End()}, ChordHeight);
}

void TArrow::TakeEnds(const TArrowEnds& ends)
{
  FromX = ends.Start.X;
  FromY = ends.Start.Y;
  ToX = ends.End.X;
  ToY = ends.End.Y;
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
  anchors.reserve(11);
  // The arc is the same for every point along it.
  TArc arc;
  const bool bent = MakeArc(ChordHeight, End(), Start(), arc);
  for (int p = 100; p >= 0; p -= 10) {
    const TModelPoint point = bent ? PointOnArc(arc, p) : StraightPointAlong(p, End(), Start());
    anchors.push_back({point.X, point.Y});
  }
  return anchors;
}

TModelPoint TArrow::AttachCentre(const CGPObject* object)
{
  // An arrow's own centre is kept at the origin; its middle is where it stands.
  if (object->KindCode() == okArrow) {
    const auto* arrow = static_cast<const TArrow*>(object);
    return PointAlong(50, arrow->ChordHeight, arrow->End(), arrow->Start());
  }
  return object->Centre();
}

double TArrow::MarkerGap(int midMarker)
{
  switch (midMarker) {
    case 10:
      return 0.5;
    case 11:
      return 0.075;
    default:
      return 0.0;
  }
}

QPainterPath TArrow::LinePath(const TCanvas& canvas, double offsetX, double offsetY, double zoom,
                              bool withGap) const
{
  const TModelPoint a = End();
  const TModelPoint b = Start();
  const bool bent = ChordHeight != 0.0;
  const double length = ArrowLength();
  double gap = 0.0;  // percent of the length
  if (withGap && MarkerGap(MidMarker) > 0.0 && length > 0.0 && std::isfinite(length))
    gap = std::min(100.0, MarkerGap(MidMarker) / length * 100.0);
  const auto pixel = [&](double percent) {
    const TModelPoint p = PointAlong(percent, ChordHeight, a, b);
    return QPointF(canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom));
  };
  QPainterPath path;
  // One piece of the line between two percentages; a bent piece passes every whole percent.
  const auto piece = [&](double from, double to) {
    if (from == to) return;
    path.moveTo(pixel(from));
    if (bent) {
      const int first = static_cast<int>(std::floor(std::min(from, to))) + 1;
      const int last = static_cast<int>(std::ceil(std::max(from, to))) - 1;
      const int count = last - first + 1;
      for (int i = 0; i < count; ++i)
        path.lineTo(pixel(from < to ? first + i : last - i));
    }
    path.lineTo(pixel(to));
  };
  const double low = 50.0 - gap / 2.0;
  const double high = 50.0 + gap / 2.0;
  // A straight line runs from the start to the end, a bent one from the end to the start.
  if (bent) {
    if (gap > 0.0) {
      piece(0, low);
      piece(high, 100);
    } else {
      piece(0, 100);
    }
  } else if (gap > 0.0) {
    piece(100, high);
    piece(low, 0);
  } else {
    piece(100, 0);
  }
  return path;
}

void TArrow::Draw(TCanvas& canvas, bool fast, double offsetX, double offsetY, double zoom)
{
  // Written only when they differ: threads drawing bands of one picture read them meanwhile.
  if (X != 0.0) X = 0.0;
  if (Y != 0.0) Y = 0.0;
  const QPainterPath line = LinePath(canvas, offsetX, offsetY, zoom, true);
  if (!line.isEmpty()) StrokeArea(canvas, line, zoom);
  QPainter& painter = canvas.Painter();
  painter.save();
  TLineRenderer::SelectLinePen(canvas, kLineSolid, LineColor, zoom, LineWidth);
  TArrowHeads::DrawEndHead(canvas, ToHead, ToHeadSize, FromX, FromY, ToX, ToY, ChordHeight, offsetX,
                           offsetY, zoom);
  TArrowHeads::DrawMidMarker(canvas, MidMarker, MidMarkerSize, FromX, FromY, ToX, ToY, ChordHeight,
                             offsetX, offsetY, zoom);
  TArrowHeads::DrawStartHead(canvas, FromHead, FromHeadSize, FromX, FromY, ToX, ToY, ChordHeight,
                             offsetX, offsetY, zoom);
  painter.restore();
  // Text along an arc is costly to place, so fast paints of bent arrows leave it out.
  if (zoom > 30 && !(fast && ChordHeight != 0.0)) {
    QPolygonF clip;
    const std::vector<TPlacedGlyph> glyphs = TextGlyphs(canvas, offsetX, offsetY, zoom, &clip);
    TTextDrawer(canvas, offsetX, offsetY, zoom).DrawGlyphs(glyphs, clip);
  }
}

std::vector<TPlacedGlyph> TArrow::TextGlyphs(TCanvas& canvas, double offsetX, double offsetY,
                                             double zoom, QPolygonF* clip)
{
  if (clip) *clip = QPolygonF();
  EnsureTextLayout();
  if (TextLayout.Empty()) return {};
  const TTextDrawer drawer(canvas, offsetX, offsetY, zoom);
  TArc arc;
  // A bend that makes no circle (too slight, or no length) carries its text as if straight.
  std::vector<TPlacedGlyph> glyphs = MakeArc(ChordHeight, End(), Start(), arc)
                                         ? BentTextGlyphs(drawer)
                                         : StraightTextGlyphs(drawer, clip);
  if (Shadow != 0)
    for (TPlacedGlyph& glyph : glyphs)
      glyph.Color = kShadowTextColor;
  return glyphs;
}

std::vector<TPlacedGlyph> TArrow::StraightTextGlyphs(const TTextDrawer& drawer,
                                                     QPolygonF* clip) const
{
  const TModelPoint start = Start();
  const TModelPoint end = End();
  const TModelPoint middle = PointAlong(50, 0, end, start);
  double direction = AddAngles(-90, Bearing(start, middle));
  const double travel = Bearing(start, end);
  // Text beside a line that runs to the left would stand on its head.
  if (travel > 180 && travel < 360) direction = AddAngles(direction, 180);
  direction = RoundHalfEven(direction);
  const TTextBox box{PointAt(middle, TextHeight / 2.0 + LineWidth / 144.0, direction), TextWidth,
                     TextHeight};
  if (clip) *clip = drawer.ClipPolygon(box, direction, 0, false);
  return drawer.Place(TextLayout, box, direction, 0, false);
}

std::vector<TPlacedGlyph> TArrow::BentTextGlyphs(const TTextDrawer& drawer) const
{
  TArc arc;
  if (!MakeArc(ChordHeight, End(), Start(), arc)) return {};
  const TModelPoint c = arc.Centre;
  const double r = arc.Radius;
  const TModelPoint start = Start();
  const TModelPoint end = End();
  double span = 360.0 - std::fabs(Bearing(c, end) - Bearing(c, start));
  const double h = std::fabs(ChordHeight);
  if ((h > r && span < 180.0) || (h < r && span > 180.0)) span = 360.0 - span;
  constexpr double kTurn = 2.0 * std::numbers::pi;
  const double arcLength = r * kTurn * span / 360.0;
  const double travel = Bearing(start, end);
  const bool fromStart = !(travel > 180 && travel < 360);
  const TModelPoint reference = fromStart ? start : end;
  const double referenceBearing = Bearing(c, reference);
  // Upright text reads from the reference end, outside the arc where it bulges upwards.
  const bool outside = (ChordHeight > 0 && fromStart) || (ChordHeight < 0 && !fromStart);
  const double clearance = TextHeight + LineWidth / 144.0;
  double rho = outside ? r + clearance : r - clearance;

  std::vector<TPlacedGlyph> glyphs;
  TTextParagraph paragraph;
  bool firstCharDue = false;
  double baseline = rho;
  double lineLength = 0.0;
  double f = 0.0;
  const auto place = [&](const TTextCharacter& ch, double fraction, bool bullet) {
    const double a = AddAngles(referenceBearing, outside ? span * fraction : -span * fraction);
    const TModelPoint point = PointAt(c, baseline, a);
    const double direction = RoundHalfEven(outside ? Bearing(c, point) : Bearing(point, c));
    glyphs.push_back(drawer.PlaceGlyph(ch, point, direction, bullet, 0));
  };
  for (const TTextLayoutEntry& entry : TextLayout.Entries()) {
    if (const auto* p = std::get_if<TTextParagraph>(&entry)) {
      paragraph = *p;
      firstCharDue = true;
    } else if (const auto* line = std::get_if<TTextLine>(&entry)) {
      rho += outside ? -line->Height : line->Height;
      baseline = outside ? rho + line->Descent : rho - line->Descent;
      lineLength = rho * kTurn * span / 360.0;
      const double indent = paragraph.FirstIndent + paragraph.LeftIndent;
      if (lineLength <= 0.0 || arcLength <= 0.0 || !std::isfinite(lineLength)) {
        lineLength = 0.0;
        continue;
      }
      switch (paragraph.Alignment) {
        case 1:
          f = 0.5 + TextWidth / 2.0 / arcLength - line->Width / lineLength;
          break;
        case 2:
          f = 0.5 - (indent + line->Width) / 2.0 / lineLength;
          break;
        default:
          f = indent / lineLength + 0.5 - TextWidth / 2.0 / arcLength;
          break;
      }
    } else if (const auto* ch = std::get_if<TTextCharacter>(&entry)) {
      if (lineLength <= 0.0) continue;  // a line that fits on no circle
      if (firstCharDue && paragraph.Bullet == 1)
        place(*ch, f - paragraph.LeftIndent / lineLength, true);
      firstCharDue = false;
      if (ch->Char == U'\t') {
        f += TTextMeasurer::kTabWidth / lineLength;
        continue;
      }
      place(*ch, f, false);
      f += ch->Width / lineLength;
    }
  }
  return glyphs;
}

void TArrow::RelayoutText()
{
  FreeTextLayout(TextLayout);
  textLayoutPending_ = false;
  const double length = ArrowLength();
  const int width = std::isfinite(length) && length < 1e6
                        ? std::max(1, TTextMeasurer::ArrowControlWidth(length))
                        : 1;
  TextExtent = BuildTextLayout(Text, width, TextLayout);
  if (TextExtent.Width > 0 && TextExtent.Height > 0) {
    TextWidth = TextExtent.Width;
    TextHeight = TextExtent.Height;
  }
}

void TArrow::DrawSelection(TCanvas& canvas, int mode, QRegion& handleRegion, bool primary,
                           double offsetX, double offsetY, double zoom)
{
  ClearHandleRegions();
  if (!Selected) return;
  // Arrow handles stay big enough to grab at every zoom.
  const int size = std::clamp(RoundHalfEven(zoom * 13.0 / 100.0), 5, 6);
  const int margin = std::clamp(RoundHalfEven(zoom * 5.0 / 100.0), 4, 5);
  const bool grey = mode == opFormatPaint && !primary;
  const QColor fill = ToQColor(grey ? colors::Silver : colors::Aqua);
  // Handle 1 is the start, 2 the middle (it bends the arrow), 3 the end.
  const TModelPoint points[] = {Start(), PointAlong(50, ChordHeight, End(), Start()), End()};
  for (std::size_t i = 0; i < std::size(points); ++i) {
    const QPoint pixel = canvas.ToPixel(points[i].X, points[i].Y, offsetX, offsetY, zoom);
    const int hx = pixel.x() - size / 2;
    const int hy = pixel.y() - size / 2;
    canvas.Marks().Circle(QRect(hx, hy, size - 1, size - 1), fill);
    HandleRegions[i] =
        THandleShape(QRect(hx - margin, hy - margin, size + 2 * margin, size + 2 * margin), true);
    if (canvas.HandleRegionsWanted()) handleRegion += HandleRegions[i].ToRegion();
  }
}

QRegion TArrow::CreateRegion(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (!(zoom > 0.0) || !(canvas.DpiX() > 0.0)) return QRegion();
  // A band 13 pixels wide at every zoom.
  const double q = 13.0 / canvas.DpiX() * 100.0 / zoom / 2.0;
  const auto pixel = [&](TModelPoint p) {
    return canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom);
  };
  QPolygon band;
  TArc arc;
  if (ChordHeight != 0.0 && MakeArc(ChordHeight, End(), Start(), arc)) {
    const auto onRadius = [&](int step, double radius) {
      const TModelPoint p = PointAlong(step * 10, ChordHeight, End(), Start());
      const double k = radius / arc.Radius;
      return TModelPoint{arc.Centre.X + (p.X - arc.Centre.X) * k,
                         arc.Centre.Y + (p.Y - arc.Centre.Y) * k};
    };
    for (int step = 0; step <= 10; ++step)
      band << pixel(onRadius(step, arc.Radius + q));
    for (int step = 10; step >= 0; --step)
      band << pixel(onRadius(step, arc.Radius - q));
  } else {
    const TModelPoint s = Start();
    const TModelPoint e = End();
    const double length = Distance(s, e);
    if (length > 0.0) {
      const double nx = -(e.Y - s.Y) / length * q;
      const double ny = (e.X - s.X) / length * q;
      band << pixel({s.X + nx, s.Y + ny}) << pixel({e.X + nx, e.Y + ny})
           << pixel({e.X - nx, e.Y - ny}) << pixel({s.X - nx, s.Y - ny});
    } else {
      // A line of no length is hit in a square around its point.
      band << pixel({s.X - q, s.Y - q}) << pixel({s.X + q, s.Y - q}) << pixel({s.X + q, s.Y + q})
           << pixel({s.X - q, s.Y + q});
    }
  }
  return PolygonRegion(band, canvas.RegionWindow());
}

TPixelRect TArrow::GetScreenBox(const TCanvas& canvas, double offsetX, double offsetY,
                                double zoom) const
{
  std::vector<TModelPoint> points{Start(), End()};
  if (ChordHeight != 0.0)
    for (int step = 0; step <= 10; ++step)
      points.push_back(PointAlong(step * 10, ChordHeight, End(), Start()));
  QPoint first = canvas.ToPixel(points[0].X, points[0].Y, offsetX, offsetY, zoom);
  TPixelRect box{first.x(), first.y(), first.x(), first.y()};
  for (const TModelPoint& p : points) {
    const QPoint pixel = canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom);
    box.Left = std::min(box.Left, pixel.x());
    box.Top = std::min(box.Top, pixel.y());
    box.Right = std::max(box.Right, pixel.x());
    box.Bottom = std::max(box.Bottom, pixel.y());
  }
  box.Right = std::max(box.Right, box.Left + 1);
  box.Bottom = std::max(box.Bottom, box.Top + 1);
  return {box.Left - 5, box.Top - 5, box.Right + 5, box.Bottom + 5};
}

TPixelRect TArrow::RegionBox(const TCanvas& canvas, double offsetX, double offsetY,
                             double zoom) const
{
  // The hit band reaches 6.5 pixels from the line, the screen box only 5.
  const TPixelRect box = GetScreenBox(canvas, offsetX, offsetY, zoom).Normalized();
  return {box.Left - 3, box.Top - 3, box.Right + 3, box.Bottom + 3};
}

void TArrow::DrawOutline(TCanvas& canvas, double, double dx, double dy, double offsetX,
                         double offsetY, double zoom)
{
  QPolygon line;
  for (int step = 0; step <= 20; ++step) {
    const TModelPoint p = PointAlong(step * 5, ChordHeight, End(), Start());
    line << canvas.ToPixel(p.X + dx, p.Y + dy, offsetX, offsetY, zoom);
  }
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  painter.setBrush(Qt::NoBrush);
  canvas.SetInverting(true);
  painter.drawPolyline(line);
  canvas.SetInverting(false);
  painter.restore();
}

void TArrow::SaveToStream(TBinaryWriter& stream) const
{
  TLined::SaveToStream(stream);
  for (std::uint8_t value : {ToHead, MidMarker, FromHead, ToHeadSize, MidMarkerSize, FromHeadSize})
    stream.WriteByte(value);
  for (double value : {FromX, FromY, ToX, ToY, ChordHeight})
    stream.WriteDouble(value);
  // The ends are stored as the record positions the writer gave the objects.
  stream.WriteInt32(FromObject ? FromObject->SaveIndex : -1);
  stream.WriteInt32(ToObject ? ToObject->SaveIndex : -1);
  stream.WriteInt32(FromAnchor);
  stream.WriteInt32(ToAnchor);
}

void TArrow::LoadFromStream(TBinaryReader& stream)
{
  TLined::LoadFromStream(stream);
  ToHead = stream.ReadByte();
  MidMarker = stream.ReadByte();
  FromHead = stream.ReadByte();
  ToHeadSize = stream.ReadByte();
  MidMarkerSize = stream.ReadByte();
  FromHeadSize = stream.ReadByte();
  FromX = stream.ReadDouble();
  FromY = stream.ReadDouble();
  ToX = stream.ReadDouble();
  ToY = stream.ReadDouble();
  ChordHeight = stream.ReadDouble();
  FromIndex = stream.ReadInt32();
  ToIndex = stream.ReadInt32();
  FromAnchor = stream.ReadInt32();
  ToAnchor = stream.ReadInt32();
}
