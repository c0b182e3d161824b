#include "interaction/formatpainter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>

#include "document/modeldocument.h"
#include "interaction/interactionpreferences.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/embedded/olecogi.h"
#include "model/layers/filled.h"
#include "model/layers/lined.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/blockarrow.h"
#include "model/shapes/dilemma.h"
#include "platform/text/rtfreader.h"
#include "platform/text/rtfwriter.h"

namespace {

template <typename T>
bool Assign(T& field, const T& value)
{
  if (field == value) return false;
  field = value;
  return true;
}

// The shape variant of the kinds that have variants.
std::optional<int> VariantOf(const CGPObject& object)
{
  if (const auto* shaped = dynamic_cast<const TCogiShaped*>(&object)) return shaped->ShapeVariant;
  if (const auto* block = dynamic_cast<const TBlockArrow*>(&object)) return block->ShapeVariant;
  if (const auto* dilemma = dynamic_cast<const TDilemma*>(&object)) return dilemma->ShapeVariant;
  return std::nullopt;
}

// Gives the object a variant and rebuilds its outline; a Cogi takes the standard size of
// the variant at its own size code.
void SetVariant(CGPObject& object, int variant)
{
  const auto v = static_cast<std::uint8_t>(variant);
  if (auto* cogi = dynamic_cast<TCogi*>(&object)) {
    cogi->SetShape(v, cogi->CogiSize);
  } else if (auto* cluster = dynamic_cast<TCluster*>(&object)) {
    cluster->ShapeVariant = v;
    cluster->Outline = MakeShapeOutline(okCluster, v, cluster->Width, cluster->Height);
  } else if (auto* block = dynamic_cast<TBlockArrow*>(&object)) {
    block->SetShape(v);
  } else if (auto* dilemma = dynamic_cast<TDilemma*>(&object)) {
    dilemma->ShapeVariant = v;
    dilemma->Outline = MakeShapeOutline(okDilemma, v, dilemma->Width, dilemma->Height);
  }
}

}  // namespace

bool TFormatPainter::Apply(TModelDocument& document, CGPObject& standard, CGPObject& target,
                           const TInteractionPreferences& choice)
{
  // Painting the standard onto itself would copy fields (the fill picture among them)
  // over themselves; it changes nothing anyway.
  if (&standard == &target) return false;
  bool changed = false;
  if (choice.FormatShape) changed = CopyShape(standard, target) || changed;
  if (choice.FormatSize) changed = CopySize(standard, target) || changed;
  if (choice.FormatFont) changed = CopyFont(standard, target) || changed;
  if (choice.FormatFill) changed = CopyFill(standard, target) || changed;
  if (choice.FormatLine) changed = CopyLine(standard, target) || changed;
  if (choice.Format3D) changed = Assign(target.Style3D, standard.Style3D) || changed;
  if (choice.FormatShadow) changed = Assign(target.Shadow, standard.Shadow) || changed;
  if (changed) target.Recalculate(&document.Objects, true);
  return changed;
}

bool TFormatPainter::CopyShape(const CGPObject& standard, CGPObject& target)
{
  if (!dynamic_cast<const TPointed*>(&standard) || standard.KindCode() != target.KindCode())
    return false;
  const std::optional<int> from = VariantOf(standard);
  const std::optional<int> to = VariantOf(target);
  if (!from || !to || *from == *to) return false;
  SetVariant(target, *from);
  return true;
}

bool TFormatPainter::CopySize(const CGPObject& standard, CGPObject& target)
{
  const auto* standardCogi = dynamic_cast<const TCogi*>(&standard);
  if (auto* cogi = dynamic_cast<TCogi*>(&target)) {
    if (!standardCogi || cogi->CogiSize == standardCogi->CogiSize) return false;
    cogi->SetShape(cogi->ShapeVariant, standardCogi->CogiSize);
    return true;
  }
  if (target.Width == standard.Width && target.Height == standard.Height) return false;
  // A polygon keeps its shape at the new size; a zero side cannot be scaled (a one-point
  // free shape, an odd object from a file) and keeps its outline.
  if (auto* pointed = dynamic_cast<TPointed*>(&target);
      pointed && target.Width != 0 && target.Height != 0)
    ScaleOutline(pointed->Outline, standard.Width / target.Width, standard.Height / target.Height);
  target.Width = standard.Width;
  target.Height = standard.Height;
  // An embedded document would otherwise take its natural size back at the next paint.
  if (auto* ole = dynamic_cast<TOLECogi*>(&target)) ole->OleSized = true;
  return true;
}

bool TFormatPainter::CopyFont(const CGPObject& standard, CGPObject& target)
{
  if (standard.Text.isEmpty() || target.Text.isEmpty()) return false;
  QTextDocument from;
  TRtfReader::Read(standard.Text, from);
  if (from.isEmpty()) return false;
  // What an editor reports for the whole text: the format of its first character and the
  // paragraph format of its first paragraph.
  QTextCursor first(&from);
  first.movePosition(QTextCursor::NextCharacter);
  const QTextCharFormat characters = first.charFormat();
  const QTextBlockFormat paragraph = from.begin().blockFormat();

  QTextDocument to;
  TRtfReader::Read(target.Text, to);
  QTextCursor all(&to);
  all.select(QTextCursor::Document);
  all.setCharFormat(characters);
  to.setDefaultFont(characters.font());
  QTextBlockFormat layout;
  layout.setAlignment(paragraph.alignment());
  layout.setTextIndent(paragraph.textIndent());
  layout.setLeftMargin(paragraph.leftMargin());
  layout.setRightMargin(paragraph.rightMargin());
  all.mergeBlockFormat(layout);
  return Assign(target.Text, TRtfWriter::Write(to));
}

bool TFormatPainter::CopyFill(const CGPObject& standard, CGPObject& target)
{
  const auto* from = dynamic_cast<const TFilled*>(&standard);
  auto* to = dynamic_cast<TFilled*>(&target);
  if (!from || !to) return false;
  bool changed = Assign(to->FillStyle, from->FillStyle);
  changed = Assign(to->PatternIndex, from->PatternIndex) || changed;
  changed = Assign(to->FaceColor, from->FaceColor) || changed;
  changed = Assign(to->PictureCentred, from->PictureCentred) || changed;
  changed = Assign(to->GradientIndex, from->GradientIndex) || changed;
  changed = Assign(to->BackColor, from->BackColor) || changed;
  if (to->FillPicture.has_value() || from->FillPicture.has_value()) {
    to->FillPicture = from->FillPicture;
    changed = true;
  }
  return changed;
}

bool TFormatPainter::CopyLine(const CGPObject& standard, CGPObject& target)
{
  const auto* from = dynamic_cast<const TLined*>(&standard);
  auto* to = dynamic_cast<TLined*>(&target);
  if (!from || !to) return false;
  bool changed = Assign(to->LineStyle, from->LineStyle);
  changed = Assign(to->LineWidth, from->LineWidth) || changed;
  return Assign(to->LineColor, from->LineColor) || changed;
}
