// The fill layer: solid colour, no fill, pattern, picture or gradient, with the colours and
// choices each needs. New objects get a light, warm colour of their own.
#pragma once

#include <QPainterPath>
#include <cstdint>
#include <optional>

#include "model/layers/clusteredobject.h"
#include "platform/pictures/picture.h"

inline constexpr std::uint8_t kFillSolid = 0;
inline constexpr std::uint8_t kFillClear = 1;
inline constexpr std::uint8_t kFillPattern = 2;
inline constexpr std::uint8_t kFillPicture = 3;
inline constexpr std::uint8_t kFillGradient = 4;

class TFilled : public TClusteredObject {
 public:
  TFilled();

  std::uint8_t FillStyle = kFillSolid;
  std::uint8_t PatternIndex = 0;
  TColorRef FaceColor = colors::White;
  std::optional<TPicture> FillPicture;
  bool PictureCentred = true;
  std::uint8_t GradientIndex = 0;
  TColorRef BackColor = 0x0000FF;  // pure red

  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

  // Fills a pixel path with the object's fill; every filled body of every class goes here.
  void FillArea(TCanvas& canvas, const QPainterPath& area, double zoom) const;

  // Full red, green and blue each between 127 and 254.
  static TColorRef RandomFaceColor();
};
