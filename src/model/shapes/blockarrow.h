// A filled arrow-shaped polygon in seven variants (right, notched, double, curved, tag, wide
// and chevron), unrelated to the attachable line arrows.
#pragma once

#include <cstdint>

#include "model/layers/pointed.h"

inline constexpr int kBlockArrowVariants = 7;

class TBlockArrow : public TPointed {
 public:
  TBlockArrow() = default;

  std::uint8_t ShapeVariant = 0;

  // Takes a variant and builds its outline for the current size.
  void SetShape(int variant);

  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  int ClassKindCode() const override { return okBlockArrow; }
  TAnchorList AnchorRule() const override { return VertexAndMidpointAnchors(Outline); }
  TModelPoint NumberPositionRule() const override { return {-1.0, -1.0}; }
  TTextBoxFractions TextBoxRule() const override;
  TModelPoint IconPositionRule() const override;
};
