// Every setting the program keeps, one line each: the preferences, the main window's recent
// files and bar visibility, the thought window's start-up choice and the toolbar layout.
// Code names a setting by its "Group/Name" path (TSettingId); a path that is not in the table
// does not compile.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>

#include "app/settings/settingdef.h"

namespace settingtable {

constexpr std::uint64_t Codes(std::initializer_list<int> codes)
{
  std::uint64_t mask = 0;
  for (int code : codes)
    mask |= std::uint64_t{1} << code;
  return mask;
}

constexpr TSettingDef Boolean(std::string_view group, std::string_view name, bool value)
{
  return {.Group = group,
          .Name = name,
          .Type = TSettingType::Boolean,
          .Default = value ? 1.0 : 0.0,
          .Max = 1};
}

constexpr TSettingDef Integer(std::string_view group, std::string_view name, int value, int min,
                              int max)
{
  return {.Group = group,
          .Name = name,
          .Type = TSettingType::Integer,
          .Default = double(value),
          .Min = double(min),
          .Max = double(max)};
}

constexpr TSettingDef Code(std::string_view group, std::string_view name, int value,
                           std::uint64_t codes)
{
  return {.Group = group,
          .Name = name,
          .Type = TSettingType::Code,
          .Default = double(value),
          .Max = 63,
          .Codes = codes};
}

constexpr TSettingDef Colour(std::string_view group, std::string_view name, unsigned value)
{
  return {.Group = group,
          .Name = name,
          .Type = TSettingType::Colour,
          .Default = double(value),
          .Max = 0xFFFFFF};
}

constexpr TSettingDef Float(std::string_view group, std::string_view name, double value, double min,
                            double max)
{
  return {.Group = group,
          .Name = name,
          .Type = TSettingType::Float,
          .Default = value,
          .Min = min,
          .Max = max};
}

constexpr TSettingDef FilePath(std::string_view group, std::string_view name,
                               std::string_view value, int series = 0)
{
  return {.Group = group,
          .Name = name,
          .Type = TSettingType::File,
          .TextDefault = value,
          .MaxLength = TSettingDef::kPathLength,
          .Series = series};
}

constexpr TSettingDef FolderPath(std::string_view group, std::string_view name,
                                 std::string_view value)
{
  return {.Group = group,
          .Name = name,
          .Type = TSettingType::Folder,
          .TextDefault = value,
          .MaxLength = TSettingDef::kPathLength};
}

constexpr TSettingDef Bytes(TSettingRoot root, std::string_view name, int maxLength)
{
  return {.Root = root, .Name = name, .Type = TSettingType::Bytes, .MaxLength = maxLength};
}

// clang-format off
inline constexpr TSettingDef kTable[] = {
  // The preferences: the key itself.
  Integer("", "Animated Zoom Frames", 10, 1, 100),
  Boolean("", "Show Grid Lines", false),
  Boolean("", "Show Page Lines", false),
  Boolean("", "Snap To Shape", true),
  Boolean("", "Snap To Grid", true),
  Integer("", "Pages Across", 4, 1, 50),
  Integer("", "Pages Down", 4, 1, 50),
  Code("", "Orientation", 1, Codes({0, 1})),
  Colour("", "Model Color", 0xFFFFFF),
  Colour("", "Cogi FG Color", 0x00FFFF),
  Colour("", "Cogi BG Color", 0xD9FFFF),
  Colour("", "Cogi T Color", 0x000000),
  Colour("", "Cogi L Color", 0x000000),
  Integer("", "Cogi Size", 0, 0, 2),
  Code("", "Cogi Fill Style", 0, Codes({0, 1, 2, 3, 4})),
  Integer("", "Cogi Pattern Style", 0, 0, 48),
  Integer("", "Cogi Gradient Style", 0, 0, 15),
  Code("", "Cogi Line Style", 0, Codes({0, 5})),
  Float("", "Cogi Line Width", 0.75, 0.0, 100.0),
  Code("", "Cogi Shadow Style", 0, Codes({0, 1, 2, 3, 4})),
  Code("", "Cogi 3D Style", 0, Codes({0, 1, 2, 3, 4})),
  Boolean("", "Show Number", true),
  Boolean("", "Text Beep", true),
  Colour("", "Cluster Color", 0xFFFFFF),
  Boolean("", "Format Shape", false),
  Boolean("", "Format Size", false),
  Boolean("", "Format Font", true),
  Boolean("", "Format Fill", true),
  Boolean("", "Format Line", true),
  Boolean("", "Format 3D", true),
  Boolean("", "Format Shadow", true),
  Boolean("", "Load Control Model", true),
  Boolean("", "Bee Cursors", true),
  Boolean("", "Popup Menus", true),
  Integer("", "Max Models", 10, 1, 32768),
  FilePath("", "Control Model", "Mindorra Control Model.mdl"),
  FolderPath("", "Model Folder", ""),
  // The main window.
  Integer("Recent Files", "Count", 0, 0, 10),
  FilePath("Recent Files", "File", "", 10),
  Boolean("Other Toolbars", "Color Palette", true),
  Boolean("Other Toolbars", "Status Bar", true),
  Bytes(TSettingRoot::Toolbars, "State", 256 * 1024),
  // The thought window.
  Boolean("Quotes", "Show on Startup", false),
};
// clang-format on

inline constexpr int kCount = static_cast<int>(std::size(kTable));

}  // namespace settingtable

// A setting named by its path, checked while compiling: TSettingId("Max Models") or
// TSettingId("Recent Files/Count").
class TSettingId {
 public:
  consteval TSettingId(const char* path) : index_(Find(path)) {}
  static constexpr TSettingId At(int index) { return TSettingId(index, 0); }

  constexpr int Index() const { return index_; }
  constexpr const TSettingDef& Def() const { return settingtable::kTable[index_]; }
  constexpr bool operator==(const TSettingId&) const = default;

 private:
  constexpr TSettingId(int index, int) : index_(index) {}
  static consteval int Find(std::string_view path)
  {
    for (int i = 0; i < settingtable::kCount; ++i)
      if (settingtable::kTable[i].Is(path)) return i;
    throw "no such setting";
  }

  int index_;
};
