// The root of everything that stands on a model: centre and size, number, rich text and
// notes, shadow and 3-D codes, selection handles, anchors and the arrows attached to it.
// The document reaches objects only through the virtual operations declared here.
#pragma once

#include <QByteArray>
#include <QRegion>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "geometry/geometry.h"
#include "geometry/modelpoint.h"
#include "model/objectkind.h"
#include "model/objectlist.h"
#include "model/operationmode.h"
#include "model/outlines/handleshape.h"
#include "platform/color.h"
#include "platform/pixelrect.h"
#include "render/text/preparedtext.h"
#include "render/text/textlayout.h"

class TBinaryReader;
class TBinaryWriter;
class TCanvas;

// The text box of an object: centre offset and size as fractions of Width and Height.
struct TTextBoxFractions {
  double OffsetX = 0.0;
  double OffsetY = 0.05;
  double Width = 0.8;
  double Height = 0.8;
};

class CGPObject {
 public:
  // Slot 0 is construction with the defaults; slot 1 (Dispose) is destruction, which
  // detaches every arrow first. The document creates objects through its factory.
  CGPObject();
  virtual ~CGPObject();
  CGPObject(const CGPObject&) = delete;
  CGPObject& operator=(const CGPObject&) = delete;

  // Fields, in declaration order.
  std::int32_t Serial = 0;
  std::int32_t Number = 0;
  std::int32_t SaveIndex = -1;
  double X = 0.0;
  double Y = 0.0;
  double Width = 1.0;
  double Height = 1.0;
  QByteArray Text;         // rich text (RTF bytes)
  QByteArray Notes;        // notes (RTF bytes)
  TTextLayout TextLayout;  // the laid-out form of Text, rebuilt by Recalculate
  TTextExtent TextExtent;  // its extent in inches, as last laid out
  double TextOffsetX = 0.0;
  double TextOffsetY = 0.0;
  double TextWidth = 0.8;
  double TextHeight = 0.55;
  double NumberX = 0.0;
  double NumberY = -0.4;
  bool ShowNumber = false;
  bool Selected = false;
  std::uint8_t Shadow = 0;
  std::uint8_t Style3D = 0;
  std::array<THandleShape, 9> HandleRegions;  // 1-8 box handles, 9 a class's extra handle
  TAnchorList Anchors;
  std::vector<CGPObject*> AttachedArrows;  // arrows with an end on this object; not owned
  double DragX = 0.0;
  double DragY = 0.0;

  // Slots 2 to 17.
  virtual void Draw(TCanvas& canvas, bool fast, double offsetX, double offsetY, double zoom);
  virtual void DrawShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom);
  virtual void Draw3D(TCanvas& canvas, double offsetX, double offsetY, double zoom);
  virtual void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom);
  virtual void DrawSelection(TCanvas& canvas, int mode, QRegion& handleRegion, bool primary,
                             double offsetX, double offsetY, double zoom);
  virtual void MoveTo(TObjectList* list, double x, double y);
  virtual void DrawHandles(TCanvas& canvas, double angle, QRegion& handleRegion, bool primary,
                           int mode, double offsetX, double offsetY, double zoom);
  virtual void DrawAnchors(TCanvas& canvas, double offsetX, double offsetY, double zoom);
  virtual void Recalculate(TObjectList* list, bool full);
  virtual QRegion CreateRegion(TCanvas& canvas, double offsetX, double offsetY, double zoom);
  virtual void SaveToStream(TBinaryWriter& stream) const;
  virtual void LoadFromStream(TBinaryReader& stream);
  virtual TPixelRect GetScreenBox(const TCanvas& canvas, double offsetX, double offsetY,
                                  double zoom) const;
  virtual void DrawNumber(TCanvas& canvas, double angle, double offsetX, double offsetY,
                          double zoom, int shadowDirection);
  virtual bool FindAnchor(TModelPoint point, int& index, TModelPoint& position) const;
  virtual void DrawOutline(TCanvas& canvas, double extraAngle, double x, double y, double offsetX,
                           double offsetY, double zoom);

  // Non-virtual helpers.
  int KindCode() const { return ClassKindCode(); }
  QString ClassDisplayName() const;
  void BuildAnchors() { Anchors = AnchorRule(); }
  void DrawText(TCanvas& canvas, double angle, double offsetX, double offsetY, double zoom,
                int shadowDirection);
  // Lays the text out now if a refresh left it for later; TextLayout is then current.
  void EnsureTextLayout();
  void UpdateAttachedArrows(TObjectList* list);
  // Refreshes every arrow attached to any of the carriers once, each after the arrows it sits
  // on: what refreshing each carrier's arrows in turn ends with, for a whole model at once.
  static void UpdateArrowsAttachedTo(const std::vector<CGPObject*>& carriers, TObjectList* list);
  void DetachArrow(CGPObject* arrow);
  void DetachAll();
  bool HasAttachedArrow(const CGPObject* arrow) const;
  void ForgetIfAttached(CGPObject*& arrow) const;

  // Rotation in degrees (0 for classes that cannot turn).
  virtual double ObjectAngle() const { return 0.0; }
  // A box holding every pixel of CreateRegion: the screen box, widened by classes whose
  // region reaches beyond it (line bands, pointers). Hit tests look at regions only inside
  // it, so it must never cut a region short.
  virtual TPixelRect RegionBox(const TCanvas& canvas, double offsetX, double offsetY,
                               double zoom) const;
  TModelPoint Centre() const { return {X, Y}; }

 protected:
  // Class rules used by the refresh and drawing steps; each class overrides its own.
  virtual int ClassKindCode() const { return -1; }
  virtual TAnchorList AnchorRule() const { return Box16Anchors(Width, Height); }
  virtual TModelPoint NumberPositionRule() const { return {-1.0, -1.0}; }
  virtual TTextBoxFractions TextBoxRule() const { return TTextBoxFractions{}; }
  // Re-lays out Text into TextLayout in the text box; classes with a box of their own
  // (arrows, labels) override it and use the extent.
  virtual void RelayoutText();
  // The number's colour: black in the base, the line colour in lined objects.
  virtual TColorRef NumberColor() const { return colors::Black; }

  // Side of a selection handle and the extra margin of its hit region, in pixels.
  static int HandleSize(double zoom);
  static int HandleMargin(double zoom);
  // Draws the handles at the given box points (relative to the centre, unrotated).
  void DrawHandlesAt(TCanvas& canvas, const std::vector<TModelPoint>& points, bool round,
                     double angle, QRegion& handleRegion, bool primary, int mode, double offsetX,
                     double offsetY, double zoom);
  void ClearHandleRegions();

  // Base objects lay their text out when it is first drawn: opening or undoing a large model
  // then measures no text that is never shown. Classes whose size follows their text
  // override RelayoutText and lay out at once.
  bool textLayoutPending_ = false;

 private:
  // Where an object stands among the arrows of a refresh pass, 0 when it is none of them.
  static std::size_t PassPosition(const std::vector<CGPObject*>& pass, const CGPObject* object);

  bool refreshingArrows_ = false;   // guards arrow refreshes against cycles of arrows
  std::uint32_t passPosition_ = 0;  // where an arrow stands in the refresh pass it is in
  TPreparedText numberText_;
};
