// A line from a start point to an end point, straight or bent into a circular arc, whose
// ends can be attached to objects (arrows included) and follow them.
#pragma once

#include <cstdint>

#include <vector>

#include "model/layers/lined.h"
#include "render/text/textdrawer.h"

enum class TArrowEnd { Start, Finish };

// What the placing rules of an arrow's ends work on: the object and anchor of each end (-1
// for an automatic end) and where the ends are now.
struct TArrowEnds {
  const CGPObject* FromObject = nullptr;
  const CGPObject* ToObject = nullptr;
  int FromAnchor = -1;
  int ToAnchor = -1;
  TModelPoint Start;
  TModelPoint End;
};

class TArrow : public TLined {
 public:
  TArrow();
  ~TArrow() override;

  std::uint8_t ToHead = 0;
  std::uint8_t MidMarker = 0;
  std::uint8_t FromHead = 0;
  std::uint8_t ToHeadSize = 0;
  std::uint8_t FromHeadSize = 0;
  std::uint8_t MidMarkerSize = 0;
  double FromX = 0.0;
  double FromY = 0.0;
  double ToX = 1.0;
  double ToY = 1.0;
  double ChordHeight = 0.0;
  CGPObject* FromObject = nullptr;  // not owned
  CGPObject* ToObject = nullptr;    // not owned
  std::int32_t FromAnchor = -1;
  std::int32_t ToAnchor = -1;
  std::int32_t FromIndex = -1;
  std::int32_t ToIndex = -1;

  TModelPoint Start() const { return {FromX, FromY}; }
  TModelPoint End() const { return {ToX, ToY}; }

  // The point at percent of the way from a (0) to b (100): on the chord, or on the arc that
  // bulges by chordHeight to the left of the travel from b to a.
  static TModelPoint PointAlong(double percent, double chordHeight, TModelPoint a, TModelPoint b);
  // Length of the arrow's line in model units (chord or arc).
  double ArrowLength() const;
  static double ArcLength(double chordHeight, TModelPoint a, TModelPoint b);

  // Attaches the given end to an object (or frees it when object is none). An arrow from which
  // this one can be reached through the arrows' ends would close a cycle: the end stays free.
  static void AttachArrowEnd(CGPObject* object, CGPObject* arrow, int anchor, TArrowEnd end);
  // Whether the arrow is the object itself or is reached from it through the ends of arrows.
  static bool Reaches(const CGPObject* from, const CGPObject* arrow);
  // Anchor k (1-based) of an object as a model point.
  static TModelPoint AnchorPosition(const CGPObject* object, int k);
  // The anchor of object from which a line towards point leaves most squarely.
  static TModelPoint BestAnchor(TModelPoint point, const CGPObject* object, double chordHeight,
                                int* score = nullptr);
  // Recomputes both end points from the attached objects and their anchors.
  void ComputeArrowEnds();
  // Where ComputeArrowEnds would put the ends, without touching the arrow (reads only the
  // arrow and its end objects, so many arrows can be placed at once on several threads), and
  // putting them there.
  TArrowEnds PlannedEnds() const;
  void TakeEnds(const TArrowEnds& ends);
  // The placing rules themselves, for the arrow as made and for one being drawn: a locked end
  // sits on its anchor, an automatic end on the anchor from which the line of the given bend
  // leaves its object most squarely. The end object is ignored when it is the start object.
  static TArrowEnds PlaceEnds(TArrowEnds ends, double chordHeight);
  // The same rules for a line bent through a point: each candidate anchor is judged on the
  // arc through itself, the point and the other end, and a later one must be more than 10
  // degrees better to win. The bend is then ArcBend(start, through, end).
  static TArrowEnds PlaceEndsThrough(TArrowEnds ends, TModelPoint through);
  // The chord height of the arc from s through p to e: positive when p lies left of the
  // travel from s to e on the screen; 0 for three points on a line and for heights whose
  // size is below 0.125.
  static double ArcBend(TModelPoint s, TModelPoint p, TModelPoint e);
  static constexpr double kMinimumBend = 0.125;

  // Where arrows end on an object that offers no anchors: its centre, or an arrow's middle.
  static TModelPoint AttachCentre(const CGPObject* object);

  // Length in inches of the gap a middle marker cuts into the line (0 for no gap).
  static double MarkerGap(int midMarker);
  // The line in pixels, with the middle marker's gap; the outline and the hit band use none.
  QPainterPath LinePath(const TCanvas& canvas, double offsetX, double offsetY, double zoom,
                        bool withGap) const;

  void Draw(TCanvas& canvas, bool fast, double offsetX, double offsetY, double zoom) override;
  void Draw3D(TCanvas&, double, double, double) override {}
  void DrawSelection(TCanvas& canvas, int mode, QRegion& handleRegion, bool primary, double offsetX,
                     double offsetY, double zoom) override;
  void MoveTo(TObjectList* list, double x, double y) override;
  QRegion CreateRegion(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;
  TPixelRect GetScreenBox(const TCanvas& canvas, double offsetX, double offsetY,
                          double zoom) const override;
  TPixelRect RegionBox(const TCanvas& canvas, double offsetX, double offsetY,
                       double zoom) const override;
  bool FindAnchor(TModelPoint point, int& index, TModelPoint& position) const override;
  void DrawOutline(TCanvas& canvas, double extraAngle, double dx, double dy, double offsetX,
                   double offsetY, double zoom) override;

  // The text placed beside a straight arrow (clipped to its box) or along a bent one (not
  // clipped); empty when there is none.
  std::vector<TPlacedGlyph> TextGlyphs(TCanvas& canvas, double offsetX, double offsetY, double zoom,
                                       QPolygonF* clip = nullptr);

 protected:
  int ClassKindCode() const override { return okArrow; }
  TAnchorList AnchorRule() const override;
  TModelPoint NumberPositionRule() const override { return {-1.0, -1.0}; }
  // The text box is absolute and measured from the text, so a refresh keeps it.
  TTextBoxFractions TextBoxRule() const override
  {
    return {TextOffsetX, TextOffsetY, TextWidth, TextHeight};
  }
  void RelayoutText() override;

 private:
  std::vector<TPlacedGlyph> StraightTextGlyphs(const TTextDrawer& drawer, QPolygonF* clip) const;
  std::vector<TPlacedGlyph> BentTextGlyphs(const TTextDrawer& drawer) const;
};
