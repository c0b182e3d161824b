// Numbers typed by the user, read against one table of ranges. Text that is not a number,
// and numbers outside their range, never reach a model.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

struct TNumberRange {
  double Min;
  double Max;
};

namespace numberranges {

// Line widths in points; 0 is a hairline.
inline constexpr TNumberRange kLineWidth{0.0, 100.0};
// Zoom percentages typed for the zoom menu; the view keeps its own upper limit.
inline constexpr TNumberRange kZoomPercent{1.0, 400.0};
// Frames of the animated zoom: every frame is a full paint.
inline constexpr TNumberRange kZoomFrames{1.0, 100.0};
// Renumbering starts: the numbers handed out must stay within 32 bits (checked again
// against the count by the document).
inline constexpr TNumberRange kRenumberStart{-2147483647.0, 2147483647.0};
// Font sizes in points.
inline constexpr TNumberRange kFontSize{1.0, 1638.0};
// Sides of an exported picture in pixels: a side above this would need gigabytes.
inline constexpr TNumberRange kImageSide{16.0, 6000.0};

}  // namespace numberranges

class TNumberInput {
 public:
  // A decimal number (either "." or the user's decimal separator), finite; none when the
  // text is not one.
  static std::optional<double> Decimal(const QString& text);
  // A whole number of up to 64 bits; none when the text is not one.
  static std::optional<std::int64_t> Integer(const QString& text);
  static bool Within(double value, const TNumberRange& range)
  {
    return value >= range.Min && value <= range.Max;
  }
  static double Clamp(double value, const TNumberRange& range);

  // The messages the commands give.
  static QString InvalidFigure() { return QStringLiteral("Invalid figure"); }
  static QString InvalidNumber() { return QStringLiteral("Invalid Number."); }
  static QString NotADecimal(const QString& text);
};
