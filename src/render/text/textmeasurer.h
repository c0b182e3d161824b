// Lays an object's rich text out into a TTextLayout: wraps it at the width of the text box's
// control, as a borderless rich-edit control would, and measures every character.
//
// Measuring happens once per change of text or box, never while drawing, at a fixed 96 pixels
// per inch rather than the screen's own: line breaks then depend on the text and the box alone,
// not on the machine that happens to lay the text out.
//
// Typical use by an object's geometry update:
//   TTextExtent e = BuildTextLayout(Text, TTextMeasurer::ObjectControlWidth(Width, TextWidth),
//                                   TextLayout);
// Arrows pass ArrowControlWidth(length) and labels and arrows take their size from e.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>

#include "platform/screenmetrics.h"
#include "render/text/textlayout.h"

class QTextCharFormat;
class QTextDocument;

class TTextMeasurer {
 public:
  static constexpr double kPixelsPerInch = kModelPixelsPerInch;
  static constexpr double kTabWidth = 0.45;  // inches a tab advances

  // Width in pixels of the control for an object of the given width (inches) whose text box is
  // textWidth of it: round(width x textWidth x 96) + 10. The control's height never limits the
  // lines that are measured (drawing clips instead), so there is none to give.
  static int ObjectControlWidth(double width, double textWidth);
  // For arrows, from the arrow's length in inches: round((length - 0.5) x 96).
  static int ArrowControlWidth(double arrowLength);

  // Rebuilds the layout from a document wrapped at controlWidth pixels and returns the text's
  // extent in inches: (widest line + 5 pixels, sum of line heights). A document without any
  // characters gives an empty layout and (0, 0).
  TTextExtent Measure(const QTextDocument& document, int controlWidth, TTextLayout& layout);

 private:
  struct TFontInfo {
    QFont Font;
    QFontMetricsF Metrics;
    TTextCharacter Attributes;  // everything but Char and Width
  };
  const TFontInfo& FontOf(const QTextCharFormat& format, const QFont& fallback);

  QHash<QString, TFontInfo> fonts_;
};

// (RTF bytes, control width in pixels) -> layout and extent; empty bytes give an empty layout.
TTextExtent BuildTextLayout(const QByteArray& rtf, int controlWidth, TTextLayout& layout);
TTextExtent MeasureRichText(const QTextDocument& document, int controlWidth, TTextLayout& layout);
