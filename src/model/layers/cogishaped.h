// The layer shared by Cogis and clusters: the shape variant of their family, with its
// anchors, number and icon positions, and the exactly drawn unrotated ellipse.
#pragma once

#include <cstdint>

#include "model/layers/pointed.h"

// How a variant places its anchors.
enum class TAnchorRuleKind {
  Box16,
  Vertices,
  VerticesAndMidpoints,
  VerticesAndQuarters,
  Ellipse16,
  Rect28
};

// The per-variant layout of the Cogi and cluster family.
struct TVariantLayout {
  double NumberY = -0.42;
  TTextBoxFractions TextBox;  // used by Cogis only; a cluster keeps its own
  double IconY = 0.42;
  TAnchorRuleKind Anchors = TAnchorRuleKind::Box16;
};

class TCogiShaped : public TPointed {
 public:
  TCogiShaped() = default;

  std::uint8_t ShapeVariant = 0;

  static TVariantLayout VariantLayout(int variant);
  static TAnchorList Ellipse16Anchors(double width, double height);
  static TAnchorList Rect28Anchors(double width, double height);

  void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  TAnchorList AnchorRule() const override;
  TModelPoint NumberPositionRule() const override;
  TModelPoint IconPositionRule() const override;
};
