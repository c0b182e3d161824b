#include "render/text/textmeasurer.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <vector>

#include "platform/rounding.h"
#include "platform/text/richtext.h"
#include "platform/text/rtfreader.h"

namespace {

constexpr int kMaxFontName = 255;

struct TSpan {
  int Start = 0;
  int End = 0;
  QTextCharFormat Format;
};

// The character formats of a block by position within it.
std::vector<TSpan> SpansOf(const QTextBlock& block)
{
  std::vector<TSpan> spans;
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    const int start = fragment.position() - block.position();
    spans.push_back({start, start + fragment.length(), fragment.charFormat()});
  }
  return spans;
}

int AlignmentCode(const QTextBlockFormat& format)
{
  return static_cast<int>(richtext::AlignmentOf(format));
}

}  // namespace

int TTextMeasurer::ObjectControlWidth(double width, double textWidth)
{
  return RoundHalfEven(width * textWidth * kPixelsPerInch) + 10;
}

int TTextMeasurer::ArrowControlWidth(double arrowLength)
{
  return RoundHalfEven((arrowLength - 0.5) * kPixelsPerInch);
}

const TTextMeasurer::TFontInfo& TTextMeasurer::FontOf(const QTextCharFormat& format,
                                                      const QFont& fallback)
{
  const QString family = richtext::FamilyOf(format, fallback).left(kMaxFontName);
  // Sizes are whole pixels at 96 per inch, as a font selected on the screen would be.
  const int pixels =
      std::max(1, RoundHalfEven(richtext::PointSizeOf(format, fallback) * kPixelsPerInch / 72.0));
  const bool bold = richtext::IsBold(format);
  const bool italic = format.fontItalic();
  const bool underline = format.fontUnderline();
  const bool strike = format.fontStrikeOut();
  const QString key = family + QLatin1Char('/') + QString::number(pixels) +
                      QLatin1Char(bold ? 'b' : '-') + QLatin1Char(italic ? 'i' : '-') +
                      QLatin1Char(underline ? 'u' : '-') + QLatin1Char(strike ? 's' : '-');
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it.value();
  QFont font(family);
  font.setPixelSize(pixels);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setStrikeOut(strike);
  // Unhinted, unkerned and unshaped advances add up along a line exactly as the wrapping
  // engine adds them, and do not depend on the machine's hinting settings.
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::PreferNoShaping);
  TTextCharacter attributes;
  attributes.FontName = family;
  attributes.Size = -pixels / kPixelsPerInch;
  attributes.Weight = bold ? 700 : 400;
  attributes.Italic = italic;
  attributes.Underline = underline;
  attributes.StrikeOut = strike;
  attributes.Style = (bold ? kStyleBold : 0) | (italic ? kStyleItalic : 0) |
                     (underline ? kStyleUnderline : 0) | (strike ? kStyleStrikeOut : 0);
  return fonts_.insert(key, TFontInfo{font, QFontMetricsF(font), attributes}).value();
}

TTextExtent TTextMeasurer::Measure(const QTextDocument& document, int controlWidth,
                                   TTextLayout& layout)
{
  layout.Clear();
  if (document.isEmpty()) return {};
  const double d = kPixelsPerInch;
  const QFont& fallback = document.defaultFont();
  double totalHeight = 0.0;
  double widest = 0.0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QString text = block.text();
    // Copies: the font cache may grow (and move its entries) while a block is measured.
    std::vector<TSpan> spans = SpansOf(block);
    std::vector<TFontInfo> spanFonts;
    QList<QTextLayout::FormatRange> ranges;
    for (const TSpan& span : spans) {
      spanFonts.push_back(FontOf(span.Format, fallback));
      QTextLayout::FormatRange range;
      range.start = span.Start;
      range.length = span.End - span.Start;
      range.format.setFont(spanFonts.back().Font);
      ranges.append(range);
    }
    const QTextCharFormat markFormat = block.charFormat();
    const TFontInfo markFont = FontOf(markFormat, fallback);

    const QTextBlockFormat format = block.blockFormat();
    const bool bullet = richtext::IsBulleted(block);
    const double left = format.leftMargin();
    const double first = format.textIndent();
    const double right = format.rightMargin();
    layout.Add(TTextParagraph{static_cast<std::uint8_t>(AlignmentCode(format)),
                              static_cast<std::uint8_t>(bullet ? 1 : 0), (left + first) / d,
                              -first / d});

    // Wrap as the control does: the first line of a plain paragraph starts at the first-line
    // indent, every other line (and all text of a bulleted one) at the left indent.
    QTextLayout wrapper(text, markFont.Font);
    wrapper.setFormats(ranges);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(kTabWidth * d);
    wrapper.setTextOption(option);
    wrapper.setCacheEnabled(false);
    std::vector<std::pair<int, int>> lines;
    wrapper.beginLayout();
    for (;;) {
      QTextLine line = wrapper.createLine();
      if (!line.isValid()) break;
      const double start = lines.empty() && !bullet ? left + first : left;
      line.setLineWidth(std::max(1.0, controlWidth - std::max(0.0, start) - std::max(0.0, right)));
      lines.emplace_back(line.textStart(), line.textLength());
    }
    wrapper.endLayout();
    if (lines.empty()) lines.emplace_back(0, 0);

    std::size_t span = 0;
    const auto fontAt = [&](int position) -> const TFontInfo& {
      while (span < spans.size() && spans[span].End <= position)
        ++span;
      return span < spans.size() ? spanFonts[span] : markFont;
    };
    const auto formatAt = [&](int position) -> const QTextCharFormat& {
      fontAt(position);
      return span < spans.size() ? spans[span].Format : markFormat;
    };
    for (const auto& [start, length] : lines) {
      const int end = start + length;
      const TFontInfo& lineFont = length > 0 ? fontAt(start) : markFont;
      TTextLine line{0.0, lineFont.Metrics.height() / d, lineFont.Metrics.descent() / d, 0};
      const std::size_t lineIndex = layout.Add(line);
      for (int i = start; i < end;) {
        char32_t c = text[i].unicode();
        int units = 1;
        if (text[i].isHighSurrogate() && i + 1 < end && text[i + 1].isLowSurrogate()) {
          c = QChar::surrogateToUcs4(text[i], text[i + 1]);
          units = 2;
        }
        const int position = i;
        i += units;
        ++line.CharCount;
        // A space that ends a line takes no room; a line break only ends the line.
        if ((i >= end && c == U' ') || c == QChar::LineSeparator) continue;
        const TFontInfo& font = fontAt(position);
        TTextCharacter character = font.Attributes;
        character.Char = c;
        character.Color = richtext::ColorOf(formatAt(position)).value_or(colors::Black);
        character.Width =
            c == U'\t' ? kTabWidth : font.Metrics.horizontalAdvance(QString::fromUcs4(&c, 1)) / d;
        layout.Add(character);
        line.Height = std::max(line.Height, font.Metrics.height() / d);
        line.Descent = std::max(line.Descent, font.Metrics.descent() / d);
        line.Width += character.Width;
      }
      layout.SetLine(lineIndex, line);
      totalHeight += line.Height;
      widest = std::max(widest, line.Width);
    }
  }
  return {widest + 5.0 / d, totalHeight};
}

TTextExtent MeasureRichText(const QTextDocument& document, int controlWidth, TTextLayout& layout)
{
  TTextMeasurer measurer;
  return measurer.Measure(document, controlWidth, layout);
}

TTextExtent BuildTextLayout(const QByteArray& rtf, int controlWidth, TTextLayout& layout)
{
  if (rtf.isEmpty()) {
    layout.Clear();
    return {};
  }
  QTextDocument document;
  TRtfReader::Read(rtf, document);
  return MeasureRichText(document, controlWidth, layout);
}
