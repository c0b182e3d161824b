// One kept setting: where it lives (store, group, value name), its type, its default and the
// range its values are held to. Every value read from disk passes through Clamp, so a
// hand-edited or hostile settings file can only ever yield values inside the range.
#pragma once

#include <QVariant>
#include <cstdint>
#include <string_view>

// The two places settings are kept: the program's own key and the toolbar layout beside it.
enum class TSettingRoot : std::uint8_t { Program, Toolbars };

enum class TSettingType : std::uint8_t {
  Boolean,
  Integer,  // clamped to [Min, Max]
  Code,     // one of the codes set in Codes (bit n allows n); anything else reads as the default
  Colour,   // a colour value 0 .. $FFFFFF; anything else reads as the default
  Float,    // clamped to [Min, Max]; not a number reads as the default
  Text,     // at most MaxLength characters
  File,     // an absolute path; a relative default lies in the user's documents folder
  Folder,   // as File, held without a trailing separator
  Bytes,    // at most MaxLength bytes
};

struct TSettingDef {
  static constexpr int kPathLength = 4096;

  TSettingRoot Root = TSettingRoot::Program;
  std::string_view Group = {};  // empty for the key itself
  std::string_view Name = {};
  TSettingType Type = TSettingType::Boolean;
  double Default = 0.0;  // numbers, codes, colours and booleans (0 or 1)
  double Min = 0.0;
  double Max = 0.0;
  std::uint64_t Codes = 0;
  std::string_view TextDefault = {};
  int MaxLength = 0;
  int Series = 0;  // above 0: the values Name1 .. Name<Series>

  // "Group/Name", the path by which code names the setting.
  constexpr bool Is(std::string_view path) const
  {
    if (Group.empty()) return path == Name;
    return path.size() == Group.size() + 1 + Name.size() && path.substr(0, Group.size()) == Group &&
           path[Group.size()] == '/' && path.substr(Group.size() + 1) == Name;
  }

  // The value a missing or unusable entry reads as.
  QVariant DefaultValue() const;
  // The value to use for what the store held (invalid when absent): always of the setting's
  // type and inside its range.
  QVariant Clamp(const QVariant& stored) const;
  // The key inside the store: "Group/Name" plus the number of a series entry.
  QString Key(int number = 0) const;
};

// The folder that defaults naming the user's own files lie in.
QString DocumentsFolder();
