#include "platform/color.h"

#include <array>

namespace {

// Conventional values of the classic system colour indices (COLOR_SCROLLBAR = 0 ...).
constexpr std::array<TColorRef, 25> kSystemColors = {
    MakeColorRef(200, 200, 200),  // scroll bar
    MakeColorRef(0, 128, 128),    // background (desktop)
    MakeColorRef(0, 0, 128),      // active caption
    MakeColorRef(128, 128, 128),  // inactive caption
    MakeColorRef(192, 192, 192),  // menu
    MakeColorRef(255, 255, 255),  // window
    MakeColorRef(0, 0, 0),        // window frame
    MakeColorRef(0, 0, 0),        // menu text
    MakeColorRef(0, 0, 0),        // window text
    MakeColorRef(255, 255, 255),  // caption text
    MakeColorRef(192, 192, 192),  // active border
    MakeColorRef(192, 192, 192),  // inactive border
    MakeColorRef(128, 128, 128),  // application workspace
    MakeColorRef(0, 0, 128),      // highlight
    MakeColorRef(255, 255, 255),  // highlight text
    MakeColorRef(192, 192, 192),  // button face
    MakeColorRef(128, 128, 128),  // button shadow
    MakeColorRef(128, 128, 128),  // grey text
    MakeColorRef(0, 0, 0),        // button text
    MakeColorRef(192, 192, 192),  // inactive caption text
    MakeColorRef(255, 255, 255),  // button highlight
    MakeColorRef(0, 0, 0),        // 3-D dark shadow
    MakeColorRef(223, 223, 223),  // 3-D light
    MakeColorRef(0, 0, 0),        // info text
    MakeColorRef(255, 255, 225),  // info background
};

}  // namespace

QColor ToQColor(TColorRef c)
{
  if (IsSystemColor(c)) {
    const std::uint32_t index = c & 0xFFu;
    c = index < kSystemColors.size() ? kSystemColors[index] : colors::Black;
  }
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

TColorRef FromQColor(const QColor& color)
{
  return MakeColorRef(color.red(), color.green(), color.blue());
}
