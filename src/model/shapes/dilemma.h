// Shapes for opposing choices: two horns, boxes, triangles, a flat hexagon and two boxes
// drawn from rope pictures (a whole rope and a frayed one).
#pragma once

#include <QImage>
#include <cstdint>
#include <optional>

#include "model/layers/pointed.h"

// Per-variant placing of the number, the text box and the gateway icon.
struct TDilemmaLayout {
  TModelPoint Number;  // (-1, -1): no number
  TTextBoxFractions TextBox;
  TModelPoint Icon;
};

class TDilemma : public TPointed {
 public:
  TDilemma() = default;

  static constexpr int kVariantCount = 10;
  static constexpr int kRopeVariant = 8;
  static constexpr int kFrayedRopeVariant = 9;

  std::optional<QImage> DilemmaBitmap;  // the rope picture turned by Angle, white transparent
  std::uint8_t ShapeVariant = 0;

  // Variants past the table (from damaged files) are laid out as the plain box.
  static int ValidVariant(int variant);
  static TDilemmaLayout VariantLayout(int variant);
  // The rope picture of a rope variant as shipped; a null image for other variants.
  static QImage RopePicture(int variant);
  bool IsRope() const;

  void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void Recalculate(TObjectList* list, bool full) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  int ClassKindCode() const override { return okDilemma; }
  TAnchorList AnchorRule() const override;
  TModelPoint NumberPositionRule() const override;
  TTextBoxFractions TextBoxRule() const override;
  TModelPoint IconPositionRule() const override;

 private:
  void RebuildBitmap();
  // What the bitmap was built for, so that refreshes after moves do not turn it again.
  int builtVariant_ = -1;
  int builtAngle_ = 0;
};
