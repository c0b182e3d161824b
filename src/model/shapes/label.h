// Bare text in a rotatable box: a label takes its size from its text, so a clear label fits
// its words exactly and a filled one only grows taller to hold them.
#pragma once

#include <cstdint>

#include "model/layers/angled.h"

class TLabel : public TAngled {
 public:
  TLabel();

  std::uint8_t LabelReserved = 0;  // kept in the file, never used

  // Text stays readable far below the zoom at which other objects drop theirs.
  void Draw(TCanvas& canvas, bool fast, double offsetX, double offsetY, double zoom) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

  // Below this zoom (percent) a label draws no text.
  static constexpr double kTextZoom = 5;

 protected:
  int ClassKindCode() const override { return okLabel; }
  TTextBoxFractions TextBoxRule() const override { return {0.0, 0.0, 1.0, 1.0}; }
  // Lays the text out at once and sizes the label from its extent.
  void RelayoutText() override;
};
