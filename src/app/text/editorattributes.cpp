#include "app/text/editorattributes.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

TTextState TEditorAttributes::StateOf(const QTextEdit& box)
{
  const QTextCursor cursor = box.textCursor();
  QTextCharFormat characters = box.currentCharFormat();
  if (cursor.hasSelection()) {
    // The format a cursor reports is the one before it: step onto the first selected one.
    QTextCursor first(box.document());
    first.setPosition(cursor.selectionStart() + 1);
    characters = first.charFormat();
  }
  const QTextBlock block = box.document()->findBlock(cursor.selectionStart());
  const QFont fallback = box.document()->defaultFont();
  TTextState state;
  state.FontName = richtext::FamilyOf(characters, fallback);
  state.PointSize = TTextAttributes::ClampSize(richtext::PointSizeOf(characters, fallback));
  state.Bold = richtext::IsBold(characters);
  state.Italic = characters.fontItalic();
  state.Underline = characters.fontUnderline();
  state.Alignment = richtext::AlignmentOf(block.blockFormat());
  state.Bullets = richtext::IsBulleted(block);
  state.Indent = block.blockFormat().leftMargin() + block.blockFormat().textIndent();
  return state;
}

void TEditorAttributes::Apply(QTextEdit& box, TTextAttribute code, const TTextToolbarValues& values)
{
  QTextCharFormat characters;
  if (TTextAttributes::CharacterChange(code, values, characters)) {
    box.mergeCurrentCharFormat(characters);
    return;
  }
  const QTextCursor span = box.textCursor();
  switch (code) {
    case TTextAttribute::AlignLeft:
    case TTextAttribute::AlignCentre:
    case TTextAttribute::AlignRight:
      box.setAlignment(TTextAttributes::AlignmentOf(values));
      return;
    case TTextAttribute::IndentLeft:
    case TTextAttribute::IndentRight:
      TTextAttributes::StepIndent(span, code == TTextAttribute::IndentLeft
                                            ? -TTextAttributes::kIndentStep
                                            : TTextAttributes::kIndentStep);
      return;
    case TTextAttribute::Bullets: {
      const bool on = richtext::IsBulleted(box.document()->findBlock(span.selectionStart()));
      TTextAttributes::SetBullets(span, !on);
      return;
    }
    case TTextAttribute::TextColor:
      return;  // the palette colours the editor's selection itself
    default:
      return;  // characters, handled above
  }
}
