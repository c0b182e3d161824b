#include "model/shapes/label.h"

#include <algorithm>

#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/text/textmeasurer.h"

TLabel::TLabel()
{
  Width = 5.0;
  Height = 1.0;
  const TTextBoxFractions box = TextBoxRule();
  TextOffsetX = box.OffsetX;
  TextOffsetY = box.OffsetY;
  TextWidth = box.Width;
  TextHeight = box.Height;
  FaceColor = colors::White;
}

void TLabel::Draw(TCanvas& canvas, bool, double offsetX, double offsetY, double zoom)
{
  DrawShadow(canvas, offsetX, offsetY, zoom);
  Draw3D(canvas, offsetX, offsetY, zoom);
  DrawBody(canvas, offsetX, offsetY, zoom);
  if (zoom > kTextZoom) {
    DrawText(canvas, Angle, offsetX, offsetY, zoom, 0);
    DrawNumber(canvas, Angle, offsetX, offsetY, zoom, 0);
  }
  DrawGatewayIcon(canvas, Angle, offsetX, offsetY, zoom);
}

void TLabel::RelayoutText()
{
  FreeTextLayout(TextLayout);
  textLayoutPending_ = false;
  TextExtent =
      BuildTextLayout(Text, TTextMeasurer::ObjectControlWidth(Width, TextWidth), TextLayout);
  // A label without text keeps its box: shrunk to nothing it could never be hit again.
  if (TextExtent.Width <= 0.0 || TextExtent.Height <= 0.0) return;
  if (FillStyle == kFillClear) {
    Width = TextExtent.Width;
    Height = TextExtent.Height;
    return;
  }
  // The text is wrapped at the label's width, so it is never wider than that plus the
  // editor's margin; widening a filled label to it added that margin again at every refresh
  // (every opening and every undo) once a long word filled a line. Filled labels grow taller.
  Height = std::max(Height, TextExtent.Height);
}

void TLabel::SaveToStream(TBinaryWriter& stream) const
{
  TAngled::SaveToStream(stream);
  stream.WriteByte(LabelReserved);
}

void TLabel::LoadFromStream(TBinaryReader& stream)
{
  TAngled::LoadFromStream(stream);
  LabelReserved = stream.ReadByte();
}
