// How a QTextDocument holds the rich text of objects, shared by the RTF reader and writer and by
// the text layout: which document properties carry which text attribute, and in what units.
//
// - Character attributes: font family (first of fontFamilies), point size, weight (bold above
//   medium), italic, underline, strike-out, and foreground colour (no foreground = automatic).
// - Paragraph attributes: alignment (left, right, centred, justified), text indent (the first
//   line's indent relative to the left margin), left and right margins.
// - A bulleted paragraph is a block inside a QTextList.
// - A line break inside a paragraph is U+2028 (QChar::LineSeparator).
// Lengths are pixels at 96 per inch (15 twips each), the resolution at which text is measured.
#pragma once

#include <QFont>
#include <QString>
#include <QTextBlock>
#include <QTextCharFormat>
#include <optional>

#include "platform/color.h"

namespace richtext {

constexpr double kPixelsPerInch = 96.0;
constexpr double kTwipsPerPixel = 1440.0 / kPixelsPerInch;

enum class TAlignment { Left = 0, Right = 1, Centre = 2, Justify = 3 };

// Font of text that carries no font of its own.
QString DefaultFamily();
constexpr double kDefaultPointSize = 12.0;

// Attributes of a character format, with what the format leaves unset taken from the
// document's default font.
QString FamilyOf(const QTextCharFormat& format, const QFont& fallback);
double PointSizeOf(const QTextCharFormat& format, const QFont& fallback);
bool IsBold(const QTextCharFormat& format);
std::optional<TColorRef> ColorOf(const QTextCharFormat& format);

TAlignment AlignmentOf(const QTextBlockFormat& format);
Qt::Alignment ToQtAlignment(TAlignment alignment);
bool IsBulleted(const QTextBlock& block);

// The format new object text is written in: Arial 8 point, no style, automatic colour.
QTextCharFormat NewTextFormat();

}  // namespace richtext
