#include "io/modeldump.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "document/modeldocument.h"
#include "model/arrow.h"
#include "model/balloon.h"
#include "model/blockarrow.h"
#include "model/clipart.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/dilemma.h"
#include "model/freeshape.h"
#include "model/label.h"
#include "model/olecogi.h"
#include "model/shortcut.h"
#include "platform/richtext.h"
#include "platform/rtfreader.h"

namespace {

QJsonValue Point(TModelPoint p)
{
  return QJsonArray{p.X, p.Y};
}

QJsonValue Picture(const std::optional<TPicture>& picture)
{
  if (!picture) return QJsonValue::Null;
  return QJsonObject{{QStringLiteral("kind"), static_cast<int>(picture->Kind())},
                     {QStringLiteral("width"), picture->Width()},
                     {QStringLiteral("height"), picture->Height()}};
}

QString PlainText(const QByteArray& rtf)
{
  return rtf.isEmpty() ? QString() : TRtfReader::PlainText(rtf);
}

// The format of the text's first character and paragraph, or null for no text.
QJsonValue TextStyle(const QByteArray& rtf)
{
  if (rtf.isEmpty()) return QJsonValue::Null;
  QTextDocument document;
  TRtfReader::Read(rtf, document);
  const QTextBlock block = document.begin();
  QTextCharFormat format = block.charFormat();
  if (!block.begin().atEnd()) format = block.begin().fragment().charFormat();
  const QFont& fallback = document.defaultFont();
  const std::optional<TColorRef> color = richtext::ColorOf(format);
  return QJsonObject{
      {QStringLiteral("Font"), richtext::FamilyOf(format, fallback)},
      {QStringLiteral("Size"), richtext::PointSizeOf(format, fallback)},
      {QStringLiteral("Bold"), richtext::IsBold(format)},
      {QStringLiteral("Italic"), format.fontItalic()},
      {QStringLiteral("Underline"), format.fontUnderline()},
      {QStringLiteral("Color"), color ? QJsonValue(static_cast<qint64>(*color)) : QJsonValue()},
      {QStringLiteral("Alignment"), static_cast<int>(richtext::AlignmentOf(block.blockFormat()))}};
}

QJsonObject Header(const TModelDocument& d)
{
  return {{QStringLiteral("CreatedBy"), d.CreatedBy},
          {QStringLiteral("SavedBy"), d.SavedBy},
          {QStringLiteral("Keywords"), d.Keywords},
          {QStringLiteral("CreatedTime"), d.CreatedTime},
          {QStringLiteral("SavedTime"), d.SavedTime},
          {QStringLiteral("ReservedNumber"), d.ReservedNumber},
          {QStringLiteral("ReservedText"), d.ReservedText},
          {QStringLiteral("Orientation"), d.Orientation},
          {QStringLiteral("PaperWidth"), d.PaperWidth},
          {QStringLiteral("PaperHeight"), d.PaperHeight},
          {QStringLiteral("PageHeight"), d.PageHeight},
          {QStringLiteral("PageWidth"), d.PageWidth},
          {QStringLiteral("LeftMargin"), d.LeftMargin},
          {QStringLiteral("RightMargin"), d.RightMargin},
          {QStringLiteral("TopMargin"), d.TopMargin},
          {QStringLiteral("BottomMargin"), d.BottomMargin},
          {QStringLiteral("PrintHeader"), d.PrintHeader},
          {QStringLiteral("PrintFooter"), d.PrintFooter},
          {QStringLiteral("FooterComments"), d.FooterComments},
          {QStringLiteral("ReversePrintOrder"), d.ReversePrintOrder},
          {QStringLiteral("Named"), d.Named},
          {QStringLiteral("Background"), Picture(d.Background)},
          {QStringLiteral("ZoomFrames"), d.ZoomFrames},
          {QStringLiteral("ShowGrid"), d.ShowGrid},
          {QStringLiteral("SnapToShape"), d.SnapToShape},
          {QStringLiteral("SnapToGrid"), d.SnapToGrid},
          {QStringLiteral("ShowPageLines"), d.ShowPageLines},
          {QStringLiteral("PagesAcross"), d.PagesAcross},
          {QStringLiteral("PagesDown"), d.PagesDown},
          {QStringLiteral("MainViewTopLeft"), Point(d.MainViewTopLeft)},
          {QStringLiteral("MainViewBottomRight"), Point(d.MainViewBottomRight)},
          {QStringLiteral("ModelColor"), static_cast<qint64>(d.ModelColor)}};
}

QString ClassName(const CGPObject* object)
{
  switch (object->KindCode()) {
    case okArrow:
      return QStringLiteral("TArrow");
    case okOLECogi:
      return QStringLiteral("TOLECogi");
    case okClipart:
      return QStringLiteral("TClipart");
    case okShortCut:
      return QStringLiteral("TShortCut");
    case okBlockArrow:
      return QStringLiteral("TBlockArrow");
    case okLabel:
      return QStringLiteral("TLabel");
    case okDilemma:
      return QStringLiteral("TDilemma");
    case okCogi:
      return QStringLiteral("TCogi");
    case okCluster:
      return QStringLiteral("TCluster");
    case okBalloon:
      return QStringLiteral("TBalloon");
    case okFreeShape:
      return QStringLiteral("TFreeShape");
    case okHotspot:
      return QStringLiteral("THotspot");
    default:
      return QStringLiteral("CGPObject");
  }
}

void BaseFields(const CGPObject& o, QJsonObject& out)
{
  out[QStringLiteral("Serial")] = o.Serial;
  out[QStringLiteral("Number")] = o.Number;
  out[QStringLiteral("X")] = o.X;
  out[QStringLiteral("Y")] = o.Y;
  out[QStringLiteral("Width")] = o.Width;
  out[QStringLiteral("Height")] = o.Height;
  out[QStringLiteral("Text")] = PlainText(o.Text);
  out[QStringLiteral("Notes")] = PlainText(o.Notes);
  out[QStringLiteral("TextStyle")] = TextStyle(o.Text);
  out[QStringLiteral("NotesStyle")] = TextStyle(o.Notes);
  out[QStringLiteral("Shadow")] = o.Shadow;
  out[QStringLiteral("Style3D")] = o.Style3D;
  out[QStringLiteral("ShowNumber")] = o.ShowNumber;
  out[QStringLiteral("DragX")] = o.DragX;
  out[QStringLiteral("DragY")] = o.DragY;
  out[QStringLiteral("TextOffsetX")] = o.TextOffsetX;
  out[QStringLiteral("TextOffsetY")] = o.TextOffsetY;
  out[QStringLiteral("TextWidth")] = o.TextWidth;
  out[QStringLiteral("TextHeight")] = o.TextHeight;
}

QJsonArray OutlineArray(const TOutline& outline)
{
  QJsonArray segments;
  for (const TSegment& s : outline)
    segments.append(QJsonArray{s.C1x, s.C1y, s.C2x, s.C2y, s.Ex, s.Ey});
  return segments;
}

// Each layer adds its own stored fields; the object's class decides which layers apply.
void LayerFields(const CGPObject& object, const TModelDocument& document, QJsonObject& out)
{
  BaseFields(object, out);
  if (const auto* o = dynamic_cast<const TLined*>(&object)) {
    out[QStringLiteral("LineStyle")] = o->LineStyle;
    out[QStringLiteral("LineWidth")] = static_cast<double>(o->LineWidth);
    out[QStringLiteral("LineColor")] = static_cast<qint64>(o->LineColor);
  }
  if (const auto* o = dynamic_cast<const TFilled*>(&object)) {
    out[QStringLiteral("FillStyle")] = o->FillStyle;
    out[QStringLiteral("PatternIndex")] = o->PatternIndex;
    out[QStringLiteral("FaceColor")] = static_cast<qint64>(o->FaceColor);
    out[QStringLiteral("FillPicture")] = Picture(o->FillPicture);
    out[QStringLiteral("PictureCentred")] = o->PictureCentred;
    out[QStringLiteral("GradientIndex")] = o->GradientIndex;
    out[QStringLiteral("BackColor")] = static_cast<qint64>(o->BackColor);
  }
  if (const auto* o = dynamic_cast<const TGateway*>(&object)) {
    out[QStringLiteral("Link")] = o->Link;
    out[QStringLiteral("LinkedModel")] = 0;
  }
  if (const auto* o = dynamic_cast<const TAngled*>(&object))
    out[QStringLiteral("Angle")] = o->Angle;
  if (const auto* o = dynamic_cast<const TPointed*>(&object))
    out[QStringLiteral("Outline")] = OutlineArray(o->Outline);
  if (const auto* o = dynamic_cast<const TCogiShaped*>(&object))
    out[QStringLiteral("ShapeVariant")] = o->ShapeVariant;
  if (const auto* o = dynamic_cast<const TBlockArrow*>(&object))
    out[QStringLiteral("ShapeVariant")] = o->ShapeVariant;
  if (const auto* o = dynamic_cast<const TCogi*>(&object))
    out[QStringLiteral("CogiSize")] = o->CogiSize;
  if (const auto* o = dynamic_cast<const TCluster*>(&object)) {
    out[QStringLiteral("NumberMembers")] = o->NumberMembers;
    out[QStringLiteral("ClusterMargin")] = o->ClusterMargin;
    out[QStringLiteral("FitMembers")] = o->FitMembers;
    out[QStringLiteral("SeeThrough")] = o->SeeThrough;
  }
  if (const auto* o = dynamic_cast<const TLabel*>(&object))
    out[QStringLiteral("LabelReserved")] = o->LabelReserved;
  if (const auto* o = dynamic_cast<const TDilemma*>(&object))
    out[QStringLiteral("ShapeVariant")] = o->ShapeVariant;
  if (const auto* o = dynamic_cast<const TFreeShape*>(&object)) {
    out[QStringLiteral("FreeHead")] = o->FreeHead;
    out[QStringLiteral("FreeHeadSize")] = o->FreeHeadSize;
  }
  if (const auto* o = dynamic_cast<const TBalloon*>(&object)) {
    out[QStringLiteral("BalloonStyle")] = o->BalloonStyle;
    out[QStringLiteral("TipX")] = o->TipX;
    out[QStringLiteral("TipY")] = o->TipY;
  }
  if (const auto* o = dynamic_cast<const TClipart*>(&object))
    out[QStringLiteral("Picture")] = Picture(o->Picture);
  if (const auto* o = dynamic_cast<const TOLECogi*>(&object)) {
    out[QStringLiteral("ContainerBytes")] = static_cast<qint64>(o->ContainerData.size());
    out[QStringLiteral("OleSized")] = o->OleSized;
  }
  if (const auto* o = dynamic_cast<const TShortCut*>(&object))
    out[QStringLiteral("Target")] = o->Target;
  if (const auto* o = dynamic_cast<const TArrow*>(&object)) {
    out[QStringLiteral("ToHead")] = o->ToHead;
    out[QStringLiteral("MidMarker")] = o->MidMarker;
    out[QStringLiteral("FromHead")] = o->FromHead;
    out[QStringLiteral("ToHeadSize")] = o->ToHeadSize;
    out[QStringLiteral("MidMarkerSize")] = o->MidMarkerSize;
    out[QStringLiteral("FromHeadSize")] = o->FromHeadSize;
    out[QStringLiteral("FromX")] = o->FromX;
    out[QStringLiteral("FromY")] = o->FromY;
    out[QStringLiteral("ToX")] = o->ToX;
    out[QStringLiteral("ToY")] = o->ToY;
    out[QStringLiteral("ChordHeight")] = o->ChordHeight;
    out[QStringLiteral("FromIndex")] = o->FromObject ? document.IndexOf(o->FromObject) : -1;
    out[QStringLiteral("ToIndex")] = o->ToObject ? document.IndexOf(o->ToObject) : -1;
    out[QStringLiteral("FromAnchor")] = o->FromAnchor;
    out[QStringLiteral("ToAnchor")] = o->ToAnchor;
  }
}

}  // namespace

QByteArray TModelDump::ToJson(const TModelDocument& document, double version)
{
  QJsonArray objects;
  for (const CGPObject* object : document.Objects) {
    QJsonObject entry{{QStringLiteral("kind"), object->KindCode()},
                      {QStringLiteral("class"), ClassName(object)}};
    LayerFields(*object, document, entry);
    objects.append(entry);
  }
  const QJsonObject view{{QStringLiteral("Zoom"), document.Zoom},
                         {QStringLiteral("ViewOrigin"), Point(document.ViewOrigin)}};
  const QJsonObject root{{QStringLiteral("version"), version},
                         {QStringLiteral("header"), Header(document)},
                         {QStringLiteral("view"), view},
                         {QStringLiteral("objects"), objects}};
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
