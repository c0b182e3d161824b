#include "model/shapes/blockarrow.h"

#include "model/outlines/shapegenerator.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

namespace {

struct TBlockArrowLayout {
  TTextBoxFractions TextBox;
  TModelPoint Icon;
};

TBlockArrowLayout LayoutOf(int variant)
{
  switch (variant) {
    case 0:
      return {{-0.1, 0, 0.75, 0.45}, {0.35, 0}};
    case 1:
      return {{-0.05, 0, 0.6, 0.25}, {0.35, 0}};
    case 2:
      return {{0, 0, 0.75, 0.5}, {0.425, 0}};
    case 3:
      return {{0, 0.15, 0.4, 0.45}, {-0.4, -0.25}};
    case 4:
      return {{0, -0.1, 0.95, 0.7}, {0, 0.35}};
    case 5:
      return {{0, -0.25, 0.95, 0.5}, {0, 0.35}};
    case 6:
      return {{0, 0, 0.95, 0.5}, {0, 0.35}};
    default:
      return {TTextBoxFractions{}, {0, 0.42}};
  }
}

}  // namespace

void TBlockArrow::SetShape(int variant)
{
  ShapeVariant = static_cast<std::uint8_t>(variant);
  Outline = MakeShapeOutline(okBlockArrow, ShapeVariant, Width, Height);
}

TTextBoxFractions TBlockArrow::TextBoxRule() const
{
  return LayoutOf(ShapeVariant).TextBox;
}

TModelPoint TBlockArrow::IconPositionRule() const
{
  return LayoutOf(ShapeVariant).Icon;
}

void TBlockArrow::SaveToStream(TBinaryWriter& stream) const
{
  TPointed::SaveToStream(stream);
  stream.WriteByte(ShapeVariant);
}

void TBlockArrow::LoadFromStream(TBinaryReader& stream)
{
  TPointed::LoadFromStream(stream);
  ShapeVariant = stream.ReadByte();
}
