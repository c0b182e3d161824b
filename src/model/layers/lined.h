// The line layer: every object below the arrows and shapes has a line style, a width in
// points and a colour, which is also the colour of its number.
#pragma once

#include <QPainterPath>
#include <cstdint>

#include "model/cgpobject.h"

inline constexpr std::uint8_t kLineSolid = 0;
inline constexpr std::uint8_t kLineNone = 5;

class TLined : public CGPObject {
 public:
  TLined() = default;

  std::uint8_t LineStyle = kLineSolid;
  float LineWidth = 0.75f;  // points; 0 is a hairline
  TColorRef LineColor = colors::Black;

  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

  // Strokes a pixel path with the object's line; every outline of every class goes here.
  void StrokeArea(TCanvas& canvas, const QPainterPath& path, double zoom) const;

 protected:
  TColorRef NumberColor() const override { return LineColor; }
};
