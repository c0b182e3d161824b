// Draws a TTextLayout inside an object's turned text box, one character at a time at positions
// taken from the layout, so that the text keeps its line breaks and proportions at every zoom
// and rotation, on screen, in print and in exported pictures.
//
// Typical use by an object's text drawing (Zoom > 30 for the text, any zoom for its shadow):
//   TTextBox box = ObjectTextBox({X, Y}, Width, Height, TextOffsetX, TextOffsetY, TextWidth,
//                                TextHeight, Angle);
//   DrawObjectText(canvas, TextLayout, box, Angle, OffsetX, OffsetY, Zoom, shadow, Style3D != 0);
// Arrows build the box themselves: their text box size is absolute.
#pragma once

#include <QPoint>
#include <QPolygonF>
#include <QString>
#include <vector>

#include "geometry/modelpoint.h"
#include "render/text/textlayout.h"

class TCanvas;

// Model units (inches); the centre is where the box's middle is before any shadow displacement.
struct TTextBox {
  TModelPoint Centre;
  double Width = 0.0;
  double Height = 0.0;
};

// centre + (textOffsetX x width, textOffsetY x height) turned by angle; size
// (textWidth x width) by (textHeight x height).
TTextBox ObjectTextBox(TModelPoint centre, double width, double height, double textOffsetX,
                       double textOffsetY, double textWidth, double textHeight, double angle);

// The angle text is drawn at: the object's angle in 0..360, turned by 180 degrees when above 89
// and below 270 so that text never stands upside down.
double UprightTextAngle(double angle);

// Displacement of a shadow in direction 1 (down-right) to 4 (up-right): 5/24 inch with 3-D,
// else 1/12 inch; (0, 0) for any other direction.
TModelPoint TextShadowOffset(int shadow, bool style3D);

// One character as it lands on the device.
struct TPlacedGlyph {
  char32_t Char = 0;
  QPoint Pixel;        // left end of the baseline, in device pixels
  double Angle = 0.0;  // degrees clockwise
  QString FontName;
  int PixelSize = 1;
  double ExactPixelSize = 1.0;  // unrounded, so small text keeps its proportions
  int Weight = 400;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  TColorRef Color = colors::Black;
  bool Bullet = false;  // the bullet before a bulleted paragraph's first character
};

class TTextDrawer {
 public:
  TTextDrawer(TCanvas& canvas, double offsetX, double offsetY, double zoom);

  // shadow 0 draws the text in its colours; 1 to 4 draws its shadow in 0xC0C0C0, displaced.
  void Draw(const TTextLayout& layout, const TTextBox& box, double angle, int shadow, bool style3D);

  // What Draw paints, in order, and the clip it paints through.
  std::vector<TPlacedGlyph> Place(const TTextLayout& layout, const TTextBox& box, double angle,
                                  int shadow, bool style3D) const;
  QPolygonF ClipPolygon(const TTextBox& box, double angle, int shadow, bool style3D) const;

  // One character (or the bullet before it) with its left baseline end at a model point, for
  // text that follows a path of its own, such as along a bent arrow.
  TPlacedGlyph PlaceGlyph(const TTextCharacter& c, TModelPoint at, double angle, bool bullet,
                          int shadow) const;
  // Paints placed characters, clipped to the polygon unless it is empty.
  void DrawGlyphs(const std::vector<TPlacedGlyph>& glyphs, const QPolygonF& clip);

 private:
  QPoint ToPixel(TModelPoint p) const;

  TCanvas& canvas_;
  double offsetX_;
  double offsetY_;
  double zoom_;
};

void DrawObjectText(TCanvas& canvas, const TTextLayout& layout, const TTextBox& box, double angle,
                    double offsetX, double offsetY, double zoom, int shadow = 0,
                    bool style3D = false);
