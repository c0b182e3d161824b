#include "model/cogi.h"

#include <cmath>

#include "model/outlines/shapegenerator.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

TCogiDimensions TCogi::BaseSize(int variant)
{
  switch (variant) {
    case 4:
    case 5:
    case 6:
      return {1.5, 1.5};
    case 9:
    case 10:
    case 11:
    case 12:
      return {1.5, 1.0};
    case 13:
      return {2.0, 0.5};
    case 15:
      return {1.75, 1.25};
    default:
      return {1.25, 1.25};
  }
}

TCogiDimensions TCogi::StandardSize(int variant, int sizeCode)
{
  const TCogiDimensions base = BaseSize(variant);
  const double factor = sizeCode == kCogiMedium ? 1.5 : sizeCode == kCogiLarge ? 2.0 : 1.0;
  return {base.Width * factor, base.Height * factor};
}

int TCogi::SnapCogiSize(int variant, int handle, double& width, double& height)
{
  auto distance = [&](int code) {
    const TCogiDimensions size = StandardSize(variant, code);
    const double dh = std::fabs(std::fabs(height) - size.Height);
    const double dw = std::fabs(std::fabs(width) - size.Width);
    if (handle == 2 || handle == 6) return dh;
    if (handle == 4 || handle == 8) return dw;
    return dw + dh;
  };
  // Ties keep the smaller size.
  int choice = kCogiSmall;
  double best = distance(kCogiSmall);
  for (int code = kCogiSmall; code <= kCogiLarge; ++code) {
    const double d = distance(code);
    if (d < best) {
      best = d;
      choice = code;
    }
  }
  const TCogiDimensions size = StandardSize(variant, choice);
  width = std::copysign(size.Width, width);
  height = std::copysign(size.Height, height);
  return choice;
}

void TCogi::SetShape(int variant, int sizeCode)
{
  ShapeVariant = static_cast<std::uint8_t>(variant);
  CogiSize = static_cast<std::uint8_t>(sizeCode);
  ApplySizeTable();
  if (ShapeVariant != kCogiVariantFree)
    Outline = MakeShapeOutline(okCogi, ShapeVariant, Width, Height);
}

void TCogi::ApplySizeTable()
{
  if (CogiSize == kCogiFreeSize || ShapeVariant == kCogiVariantFree) return;
  // Codes past Large, from damaged files, count as Small.
  const TCogiDimensions size = StandardSize(ShapeVariant, CogiSize);
  Width = size.Width;
  Height = size.Height;
}

void TCogi::Recalculate(TObjectList* list, bool full)
{
  ApplySizeTable();
  TCogiShaped::Recalculate(list, full);
}

void TCogi::SaveToStream(TBinaryWriter& stream) const
{
  TCogiShaped::SaveToStream(stream);
  stream.WriteByte(CogiSize);
}

void TCogi::LoadFromStream(TBinaryReader& stream)
{
  TCogiShaped::LoadFromStream(stream);
  CogiSize = stream.ReadByte();
}
