// The laid-out form of an object's rich text: a flat list of paragraph, line and character
// entries measured once at 96 pixels per inch and 100 % zoom, from which the text is drawn at
// any zoom and rotation with the same line breaks. All lengths are inches.
#pragma once

#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

#include "platform/color.h"

// Alignment: 0 left, 1 right, 2 centred; other values start lines at the box's left edge
// (justified text is 3).
struct TTextParagraph {
  std::uint8_t Alignment = 0;
  std::uint8_t Bullet = 0;   // 1: bulleted
  double FirstIndent = 0.0;  // where the first line (or the bullet) starts
  double LeftIndent = 0.0;   // from FirstIndent to where the other lines (and bulleted text) start
};

struct TTextLine {
  double Width = 0.0;    // sum of the widths of its characters
  double Height = 0.0;   // tallest font on the line
  double Descent = 0.0;  // deepest descent on the line
  int CharCount = 0;     // characters visited, the unmeasured trailing space included
};

// Style bits of TTextCharacter::Style.
enum : std::uint8_t { kStyleBold = 1, kStyleItalic = 2, kStyleUnderline = 4, kStyleStrikeOut = 8 };

struct TTextCharacter {
  char32_t Char = 0;
  QString FontName;  // at most 255 characters
  TColorRef Color = colors::Black;
  double Size = 0.0;  // font height; negative: the character height, as for a size in points
  int Weight = 400;   // 400 normal, 700 bold
  std::uint8_t Italic = 0;
  std::uint8_t Underline = 0;
  std::uint8_t StrikeOut = 0;
  std::uint8_t Style = 0;
  double Width = 0.0;  // advance
};

// Index 0, 1, 2 of the variant are the kinds 0 (paragraph), 1 (line), 2 (character).
using TTextLayoutEntry = std::variant<TTextParagraph, TTextLine, TTextCharacter>;

struct TTextExtent {
  double Width = 0.0;
  double Height = 0.0;
  friend bool operator==(const TTextExtent&, const TTextExtent&) = default;
};

// A non-empty layout begins with a paragraph entry followed by a line entry; each line belongs
// to the paragraph before it and each character to the line before it.
class TTextLayout {
 public:
  bool Empty() const { return entries_.empty(); }
  void Clear() { entries_.clear(); }
  const std::vector<TTextLayoutEntry>& Entries() const { return entries_; }

  void Add(const TTextParagraph& paragraph) { entries_.emplace_back(paragraph); }
  // Returns the entry's index, so that the line can be completed once its characters are in.
  std::size_t Add(const TTextLine& line);
  void Add(const TTextCharacter& character) { entries_.emplace_back(character); }
  void SetLine(std::size_t index, const TTextLine& line);

  // Sum of all line heights: the text's height.
  double TotalHeight() const;

 private:
  std::vector<TTextLayoutEntry> entries_;
};

// Releases every entry.
inline void FreeTextLayout(TTextLayout& layout)
{
  layout.Clear();
}
