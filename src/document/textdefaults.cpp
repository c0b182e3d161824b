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
  switch (code) {
    case TTextAttribute::FontName:
      if (!values.FontName.isEmpty()) Characters.setFontFamilies(QStringList{values.FontName});
      break;
    case TTextAttribute::FontSize:
      Characters.setFontPointSize(TTextAttributes::SizeFromText(values.SizeText));
      break;
    case TTextAttribute::Bold:
      Characters.setFontWeight(values.Bold ? QFont::Bold : QFont::Normal);
      break;
    case TTextAttribute::Italic:
      Characters.setFontItalic(values.Italic);
      break;
    case TTextAttribute::Underline:
      Characters.setFontUnderline(values.Underline);
      break;
    case TTextAttribute::AlignLeft:
    case TTextAttribute::AlignCentre:
    case TTextAttribute::AlignRight: {
      const richtext::TAlignment alignment = values.LeftDown    ? richtext::TAlignment::Left
                                             : values.RightDown ? richtext::TAlignment::Right
                                                                : richtext::TAlignment::Centre;
      Paragraph.setAlignment(richtext::ToQtAlignment(alignment));
      break;
    }
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
  }
}
