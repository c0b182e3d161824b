// Copies the attributes format painting chooses (shape, size, font, fill, line, 3-D,
// shadow) from a standard object to a target.
#pragma once

class CGPObject;
class TModelDocument;
struct TInteractionPreferences;

class TFormatPainter {
 public:
  // Returns whether anything on the target changed; the target is then refreshed.
  static bool Apply(TModelDocument& document, CGPObject& standard, CGPObject& target,
                    const TInteractionPreferences& choice);

 private:
  static bool CopyShape(const CGPObject& standard, CGPObject& target);
  static bool CopySize(const CGPObject& standard, CGPObject& target);
  static bool CopyFont(const CGPObject& standard, CGPObject& target);
  static bool CopyFill(const CGPObject& standard, CGPObject& target);
  static bool CopyLine(const CGPObject& standard, CGPObject& target);
};
