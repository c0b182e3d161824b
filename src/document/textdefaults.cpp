#include "document/textdefaults.h"

#include <QFont>

TTextDefaults::TTextDefaults() : Characters(richtext::NewTextFormat())
{
  Paragraph.setAlignment(richtext::ToQtAlignment(richtext::TAlignment::Centre));
}

TTextState TTextDefaults::State() const
{
  const QFont fallback(richtext::DefaultFamily(), TTextAttributes::kDefaultPointSize);
  TTextState state;
  state.FontName = richtext::FamilyOf(Characters, fallback);
  state.PointSize = TTextAttributes::ClampSize(richtext::PointSizeOf(Characters, fallback));
  state.Bold = richtext::IsBold(Characters);
  state.Italic = Characters.fontItalic();
  state.Underline = Characters.fontUnderline();
  state.Alignment = richtext::AlignmentOf(Paragraph);
  state.Bullets = Bullets;
  state.Indent = Paragraph.leftMargin() + Paragraph.textIndent();
  return state;
}

void TTextDefaults::Apply(TTextAttribute code, const TTextToolbarValues& values)
{
  if (TTextAttributes::CharacterChange(code, values, Characters)) return;
  switch (code) {
    case TTextAttribute::AlignLeft:
    case TTextAttribute::AlignCentre:
    case TTextAttribute::AlignRight:
      Paragraph.setAlignment(TTextAttributes::AlignmentOf(values));
      break;
    case TTextAttribute::IndentLeft:
    case TTextAttribute::IndentRight: {
      const double step = code == TTextAttribute::IndentLeft ? -TTextAttributes::kIndentStep
                                                             : TTextAttributes::kIndentStep;
      const double indent = Paragraph.leftMargin() + Paragraph.textIndent() + step;
      Paragraph.setLeftMargin(TTextAttributes::ClampIndent(indent));
      Paragraph.setTextIndent(0);
      break;
    }
    case TTextAttribute::Bullets:
      Bullets = !Bullets;
      break;
    case TTextAttribute::TextColor:
      // New text takes the model's text colour, not a default of its own.
      break;
    default:
      break;  // characters, handled above
  }
}
