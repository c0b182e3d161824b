// The attributes of the Text Properties toolbar applied to the whole text of every selected
// object that has text, recorded as one "Adjust Text"; with no such object they change the
// defaults new text gets. Also what the toolbar shows for a model's selection.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include "platform/text/richtext.h"

class CGPObject;
class QTextCharFormat;
class QTextCursor;
class TModelDocument;
class TTextDefaults;

// The toolbar's controls, numbered as the commands know them.
enum class TTextAttribute : int {
  FontName = 0,
  FontSize = 1,
  Bold = 2,
  Italic = 3,
  Underline = 4,
  AlignLeft = 5,
  AlignCentre = 6,
  AlignRight = 7,
  IndentLeft = 8,
  IndentRight = 9,
  Bullets = 10,
  TextColor = 11,
};

// What the toolbar shows.
struct TTextState {
  QString FontName;
  int PointSize = 12;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  richtext::TAlignment Alignment = richtext::TAlignment::Left;
  bool Bullets = false;
  double Indent = 0.0;  // where the paragraph's lines start, in pixels at 96 per inch

  bool operator==(const TTextState&) const = default;
};

// The toolbar's controls as they stand when one of them is used.
struct TTextToolbarValues {
  QString FontName;
  QString SizeText;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool LeftDown = false;
  bool CentreDown = false;
  bool RightDown = false;
  bool BulletsDown = false;
};

class TTextAttributes {
 public:
  // Font sizes in points and paragraph indents in pixels are held to these, whatever the
  // toolbar was given; one indent step moves a paragraph by 30 pixels.
  static constexpr int kMinPointSize = 1;
  static constexpr int kMaxPointSize = 1638;  // the largest size rich text can carry
  static constexpr int kDefaultPointSize = 12;
  static constexpr double kIndentStep = 30.0;
  static constexpr double kMaxIndent = 960.0;  // ten inches

  // The size box's text as a size: 12 when it is not a whole number, then held to the range.
  static int SizeFromText(const QString& text);
  static int ClampSize(double size);
  static double ClampIndent(double indent);

  // The paragraphs a cursor's selection touches (its own paragraph without one): bullets on
  // or off; or every one moved to the first one's indent plus step, all lines alike.
  static void SetBullets(const QTextCursor& span, bool on);
  static void StepIndent(const QTextCursor& span, double step);

  // Whether an object carries text that attributes can apply to.
  static bool HasText(const CGPObject& object);
  // The attributes of a whole text, as an editor reports them with everything selected: those
  // of the first character and the first paragraph.
  static TTextState StateOfText(const QByteArray& text);
  // The text with one attribute applied to all of it. Values: the font name, the size, a
  // colour, or for the other codes whether the style, alignment or bullets are on (an
  // alignment that is off changes nothing; indents ignore the value).
  static QByteArray ApplyToText(const QByteArray& text, TTextAttribute code, const QVariant& value);

  // Applies an attribute to every selected object with text and refreshes those that changed;
  // true when any did. Records nothing: the caller does.
  static bool ApplyTextAttribute(TModelDocument& document, TTextAttribute code,
                                 const QVariant& value);

  // What the toolbar shows for a model: its first selected object with text, else the defaults.
  static TTextState SelectionState(const TModelDocument* document, const TTextDefaults& defaults);

  // A toolbar command outside text mode: the selected objects with text take the attribute and
  // "Adjust Text" is recorded; without a model or such an object the defaults change.
  static void Command(TModelDocument* document, TTextDefaults& defaults, TTextAttribute code,
                      const TTextToolbarValues& values);
  // The value ApplyTextAttribute gets for a control.
  static QVariant ValueOf(TTextAttribute code, const TTextToolbarValues& values);
  // The character change a control asks for, into format; false for a control that is not
  // about characters (an empty font name asks for no change).
  static bool CharacterChange(TTextAttribute code, const TTextToolbarValues& values,
                              QTextCharFormat& format);
  // The alignment the three alignment buttons stand for.
  static Qt::Alignment AlignmentOf(const TTextToolbarValues& values);
};
