#include "app/palette/palettereactions.h"

#include <QTextCursor>
#include <QTextDocument>

#include "app/modelform.h"
#include "app/palette/cgpcolorpanel.h"
#include "document/modeldocument.h"
#include "model/layers/filled.h"
#include "model/layers/lined.h"
#include "platform/text/rtfreader.h"
#include "platform/text/rtfwriter.h"
#include "render/displaycolor.h"

namespace {

template <typename T>
T* FirstSelectedOf(const TModelDocument& document)
{
  for (CGPObject* object : document.Objects)
    if (object->Selected)
      if (auto* typed = dynamic_cast<T*>(object)) return typed;
  return nullptr;
}

template <typename T, typename F>
void ForEachSelected(TModelDocument& document, F&& action)
{
  for (CGPObject* object : document.Objects)
    if (object->Selected)
      if (auto* typed = dynamic_cast<T*>(object)) action(*typed);
}

}  // namespace

TPaletteReactions::TPaletteReactions() : textColor_(&TPaletteReactions::ApplyTextColor) {}

QString TPaletteReactions::Caption(int target)
{
  switch (target) {
    case ptText:
      return QStringLiteral("Change Text Color");
    case ptLine:
      return QStringLiteral("Change Line Color");
    default:
      // The background colour is the face's second colour and shares its caption.
      return QStringLiteral("Change Face Color");
  }
}

void TPaletteReactions::ColorPaletteChange(TModelForm* model, int target, TColorRef color)
{
  if (!model || model->Busy()) return;
  ColorPaletteChange(model->Document(), target, color);
}

void TPaletteReactions::ColorPaletteChange(TModelDocument& document, int target, TColorRef color)
{
  if (target < ptForeground || target > ptLine || document.Mode == opLocked) return;
  if (document.Mode == opEditText) {
    if (textMode_) textMode_(color);
    return;
  }
  if (document.SelectedCount() == 0) {
    SetDefault(document, target, color);
    document.ChangeMode(opPaint);
    return;
  }
  if (!ApplyToSelection(document, target, color)) {
    document.Beep();
    return;
  }
  document.ChangePending = true;
  document.RecordUndo(Caption(target));
  document.NotifyRepaint();
}

bool TPaletteReactions::ApplyToSelection(TModelDocument& document, int target, TColorRef color)
{
  switch (target) {
    case ptForeground:
      if (!FirstSelectedOf<TFilled>(document)) return false;
      ForEachSelected<TFilled>(document, [&](TFilled& object) {
        object.FaceColor = color;
        // A face colour is asked to be seen: a clear fill would hide it.
        if (object.FillStyle == kFillClear) object.FillStyle = kFillSolid;
      });
      return true;
    case ptBackground:
      if (!FirstSelectedOf<TFilled>(document)) return false;
      ForEachSelected<TFilled>(document, [&](TFilled& object) { object.BackColor = color; });
      return true;
    case ptText:
      if (textColor_) textColor_(document, color);
      return true;
    case ptLine:
      if (!FirstSelectedOf<TLined>(document)) return false;
      ForEachSelected<TLined>(document, [&](TLined& object) {
        object.LineColor = color;
        if (object.LineStyle == kLineNone) object.LineStyle = kLineSolid;
      });
      return true;
    default:
      return false;
  }
}

void TPaletteReactions::SetDefault(TModelDocument& document, int target, TColorRef color)
{
  switch (target) {
    case ptForeground:
      document.FaceColor = color;
      break;
    case ptBackground:
      document.BackColor = color;
      break;
    case ptText:
      document.TextColor = color;
      break;
    default:
      document.LineColor = color;
      break;
  }
  document.PaintTarget = target;
}

void TPaletteReactions::ShowModelColors(TCGPColorPanel& strip, const TModelDocument& document)
{
  const TFilled* filled = FirstSelectedOf<TFilled>(document);
  const TLined* lined = FirstSelectedOf<TLined>(document);
  strip.SetForeGroundColor(filled ? filled->FaceColor : document.FaceColor);
  strip.SetBackGroundColor(filled ? filled->BackColor : document.BackColor);
  strip.SetLineColor(lined ? lined->LineColor : document.LineColor);
  strip.SetTextColor(document.TextColor);
}

void TPaletteReactions::ApplyTextColor(TModelDocument& document, TColorRef color)
{
  for (CGPObject* object : document.Objects) {
    if (!object->Selected || object->Text.isEmpty()) continue;
    QTextDocument text;
    TRtfReader::Read(object->Text, text);
    QTextCursor cursor(&text);
    cursor.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setForeground(DisplayColor(color));
    cursor.mergeCharFormat(format);
    object->Text = TRtfWriter::Write(text);
    object->Recalculate(&document.Objects, true);
  }
}
