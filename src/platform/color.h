// Colour values as the model stores them: 32-bit $00BBGGRR, top bit naming a system colour.
#pragma once

#include <QColor>
#include <cstdint>

using TColorRef = std::uint32_t;

namespace colors {
constexpr TColorRef Black = 0x000000;
constexpr TColorRef White = 0xFFFFFF;
constexpr TColorRef Silver = 0xC0C0C0;
constexpr TColorRef Aqua = 0xFFFF00;  // $00BBGGRR: blue and green full, i.e. cyan
constexpr TColorRef ShadowGrey = 0xB4B4B4;
constexpr TColorRef TextShadowGrey = 0xC0C0C0;
}  // namespace colors

inline constexpr TColorRef MakeColorRef(int red, int green, int blue)
{
  return static_cast<TColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
inline constexpr int RedOf(TColorRef c)
{
  return static_cast<int>(c & 0xFF);
}
inline constexpr int GreenOf(TColorRef c)
{
  return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int BlueOf(TColorRef c)
{
  return static_cast<int>((c >> 16) & 0xFF);
}
inline constexpr bool IsSystemColor(TColorRef c)
{
  return (c & 0x80000000u) != 0;
}

// Resolves a stored colour to what is painted; system colours map to the desktop's
// conventional values so that models look the same on every machine.
QColor ToQColor(TColorRef c);
TColorRef FromQColor(const QColor& color);
