#include "document/textattributes.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>
#include <cmath>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "document/textdefaults.h"
#include "platform/text/rtfreader.h"
#include "platform/text/rtfwriter.h"
#include "render/displaycolor.h"

namespace {

// Where a paragraph's lines start: the first line's own indent plus the margin.
double IndentOf(const QTextBlockFormat& format)
{
  return format.leftMargin() + format.textIndent();
}

// Every line of the paragraph starts at the indent (no hanging first line).
void SetIndent(QTextBlockFormat& format, double indent)
{
  format.setLeftMargin(TTextAttributes::ClampIndent(indent));
  format.setTextIndent(0);
}

}  // namespace

int TTextAttributes::ClampSize(double size)
{
  if (!std::isfinite(size)) return kDefaultPointSize;
  return static_cast<int>(
      std::lround(std::clamp(size, double(kMinPointSize), double(kMaxPointSize))));
}

int TTextAttributes::SizeFromText(const QString& text)
{
  bool number = false;
  const qlonglong size = text.trimmed().toLongLong(&number);
  if (!number) return kDefaultPointSize;
  return ClampSize(static_cast<double>(size));
}

double TTextAttributes::ClampIndent(double indent)
{
  if (!std::isfinite(indent)) return 0.0;
  return std::clamp(indent, 0.0, kMaxIndent);
}

void TTextAttributes::SetBullets(const QTextCursor& span, bool on)
{
  QTextDocument& document = *span.document();
  const QTextBlock last = document.findBlock(span.selectionEnd());
  QTextList* list = nullptr;
  for (QTextBlock block = document.findBlock(span.selectionStart()); block.isValid();
       block = block.next()) {
    QTextList* own = block.textList();
    if (!on) {
      if (own) own->remove(block);
    } else if (own) {
      list = own;
    } else if (list) {
      list->add(block);
    } else {
      QTextListFormat format;
      format.setStyle(QTextListFormat::ListDisc);
      format.setIndent(0);  // the paragraph's own indents place the text
      list = QTextCursor(block).createList(format);
    }
    if (block == last) break;
  }
}

void TTextAttributes::StepIndent(const QTextCursor& span, double step)
{
  // Every paragraph moves to where the first one's indent goes, as an editor does with a
  // selection across paragraphs.
  const QTextBlock first = span.document()->findBlock(span.selectionStart());
  QTextBlockFormat change;
  SetIndent(change, IndentOf(first.blockFormat()) + step);
  QTextCursor paragraphs(span);
  paragraphs.mergeBlockFormat(change);
}

bool TTextAttributes::HasText(const CGPObject& object)
{
  return !object.Text.isEmpty() && !TRtfReader::PlainText(object.Text).isEmpty();
}

TTextState TTextAttributes::StateOfText(const QByteArray& text)
{
  QTextDocument document;
  TRtfReader::Read(text, document);
  QTextCursor first(&document);
  first.movePosition(QTextCursor::NextCharacter);
  const QTextCharFormat characters = first.charFormat();
  const QTextBlock block = document.begin();
  TTextState state;
  state.FontName = richtext::FamilyOf(characters, document.defaultFont());
  state.PointSize = ClampSize(richtext::PointSizeOf(characters, document.defaultFont()));
  state.Bold = richtext::IsBold(characters);
  state.Italic = characters.fontItalic();
  state.Underline = characters.fontUnderline();
  state.Alignment = richtext::AlignmentOf(block.blockFormat());
  state.Bullets = richtext::IsBulleted(block);
  state.Indent = IndentOf(block.blockFormat());
  return state;
}

QByteArray TTextAttributes::ApplyToText(const QByteArray& text, TTextAttribute code,
                                        const QVariant& value)
{
  QTextDocument document;
  TRtfReader::Read(text, document);
  QTextCursor all(&document);
  all.select(QTextCursor::Document);
  QTextCharFormat characters;
  QTextBlockFormat paragraph;
  const bool on = value.toBool();
  switch (code) {
    case TTextAttribute::FontName:
      // An empty list entry names no font; the text keeps its own.
      if (value.toString().isEmpty()) return text;
      characters.setFontFamilies(QStringList{value.toString()});
      break;
    case TTextAttribute::FontSize:
      characters.setFontPointSize(ClampSize(value.toDouble()));
      break;
    case TTextAttribute::Bold:
      characters.setFontWeight(on ? QFont::Bold : QFont::Normal);
      break;
    case TTextAttribute::Italic:
      characters.setFontItalic(on);
      break;
    case TTextAttribute::Underline:
      characters.setFontUnderline(on);
      break;
    case TTextAttribute::TextColor:
      characters.setForeground(DisplayColor(static_cast<TColorRef>(value.toUInt())));
      break;
    case TTextAttribute::AlignLeft:
    case TTextAttribute::AlignCentre:
    case TTextAttribute::AlignRight: {
      if (!on) return text;
      const richtext::TAlignment alignment =
          code == TTextAttribute::AlignLeft    ? richtext::TAlignment::Left
          : code == TTextAttribute::AlignRight ? richtext::TAlignment::Right
                                               : richtext::TAlignment::Centre;
      paragraph.setAlignment(richtext::ToQtAlignment(alignment));
      all.mergeBlockFormat(paragraph);
      return TRtfWriter::Write(document);
    }
    case TTextAttribute::IndentLeft:
    case TTextAttribute::IndentRight:
      StepIndent(all, code == TTextAttribute::IndentLeft ? -kIndentStep : kIndentStep);
      return TRtfWriter::Write(document);
    case TTextAttribute::Bullets:
      SetBullets(all, on);
      return TRtfWriter::Write(document);
  }
  all.mergeCharFormat(characters);
  // Empty paragraphs keep their own mark format; it becomes what is typed there next.
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QTextCursor mark(block);
    mark.mergeBlockCharFormat(characters);
  }
  return TRtfWriter::Write(document);
}

bool TTextAttributes::ApplyTextAttribute(TModelDocument& document, TTextAttribute code,
                                         const QVariant& value)
{
  bool changed = false;
  for (CGPObject* object : document.Objects) {
    if (!object->Selected || !HasText(*object)) continue;
    QByteArray text = ApplyToText(object->Text, code, value);
    if (text == object->Text) continue;
    object->Text = std::move(text);
    object->Recalculate(&document.Objects, true);
    changed = true;
  }
  return changed;
}

TTextState TTextAttributes::SelectionState(const TModelDocument* document,
                                           const TTextDefaults& defaults)
{
  if (document)
    for (const CGPObject* object : document->Objects)
      if (object->Selected && HasText(*object)) return StateOfText(object->Text);
  return defaults.State();
}

QVariant TTextAttributes::ValueOf(TTextAttribute code, const TTextToolbarValues& values)
{
  switch (code) {
    case TTextAttribute::FontName:
      return values.FontName;
    case TTextAttribute::FontSize:
      return SizeFromText(values.SizeText);
    case TTextAttribute::Bold:
      return values.Bold;
    case TTextAttribute::Italic:
      return values.Italic;
    case TTextAttribute::Underline:
      return values.Underline;
    case TTextAttribute::AlignLeft:
      return values.LeftDown;
    case TTextAttribute::AlignCentre:
      return values.CentreDown;
    case TTextAttribute::AlignRight:
      return values.RightDown;
    case TTextAttribute::Bullets:
      return values.BulletsDown;
    case TTextAttribute::IndentLeft:
    case TTextAttribute::IndentRight:
    case TTextAttribute::TextColor:
      break;
  }
  return 0;
}

void TTextAttributes::Command(TModelDocument* document, TTextDefaults& defaults,
                              TTextAttribute code, const TTextToolbarValues& values)
{
  const bool target = document && std::any_of(document->Objects.begin(), document->Objects.end(),
                                              [](const CGPObject* object) {
                                                return object->Selected && HasText(*object);
                                              });
  if (!target) {
    defaults.Apply(code, values);
    return;
  }
  if (ApplyTextAttribute(*document, code, ValueOf(code, values))) {
    document->ChangePending = true;
    document->RecordUndo(QStringLiteral("Adjust Text"));
    document->NotifyRepaint();
  }
  if (IDocumentObserver* observer = document->Observer()) observer->SyncTextToolbar();
}

bool TTextAttributes::CharacterChange(TTextAttribute code, const TTextToolbarValues& values,
                                      QTextCharFormat& format)
{
  switch (code) {
    case TTextAttribute::FontName:
      if (!values.FontName.isEmpty()) format.setFontFamilies(QStringList{values.FontName});
      return true;
    case TTextAttribute::FontSize:
      format.setFontPointSize(SizeFromText(values.SizeText));
      return true;
    case TTextAttribute::Bold:
      format.setFontWeight(values.Bold ? QFont::Bold : QFont::Normal);
      return true;
    case TTextAttribute::Italic:
      format.setFontItalic(values.Italic);
      return true;
    case TTextAttribute::Underline:
      format.setFontUnderline(values.Underline);
      return true;
    default:
      return false;
  }
}

Qt::Alignment TTextAttributes::AlignmentOf(const TTextToolbarValues& values)
{
  return richtext::ToQtAlignment(values.LeftDown    ? richtext::TAlignment::Left
                                 : values.RightDown ? richtext::TAlignment::Right
                                                    : richtext::TAlignment::Centre);
}
