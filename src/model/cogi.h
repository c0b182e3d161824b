// The model's idea object: by default a hexagon carrying text, in three standard sizes
// (or a free size from older files).
#pragma once

#include <cstdint>

#include "model/layers/cogishaped.h"

inline constexpr std::uint8_t kCogiSmall = 0;
inline constexpr std::uint8_t kCogiMedium = 1;
inline constexpr std::uint8_t kCogiLarge = 2;
inline constexpr std::uint8_t kCogiFreeSize = 3;

struct TCogiDimensions {
  double Width = 0.0;
  double Height = 0.0;
};

class TCogi : public TCogiShaped {
 public:
  TCogi() = default;

  std::uint8_t CogiSize = kCogiSmall;

  // The Small size of a variant; Medium is 1.5 and Large 2 times as big.
  static TCogiDimensions BaseSize(int variant);
  // The size a variant has at a standard size code (0 to 2).
  static TCogiDimensions StandardSize(int variant, int sizeCode);
  // The standard size nearest to a size dragged by a handle (1 to 8); width and height
  // become that size, keeping their signs. Returns the size code.
  static int SnapCogiSize(int variant, int handle, double& width, double& height);

  // Takes a variant and a size code and builds the outline for the resulting size.
  void SetShape(int variant, int sizeCode);

  // The size follows the variant and size code at every refresh, then the layers' steps.
  void Recalculate(TObjectList* list, bool full) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  int ClassKindCode() const override { return okCogi; }
  TTextBoxFractions TextBoxRule() const override { return VariantLayout(ShapeVariant).TextBox; }

 private:
  void ApplySizeTable();
};
