#include "model/layers/lined.h"

#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/linerenderer.h"

void TLined::SaveToStream(TBinaryWriter& stream) const
{
  CGPObject::SaveToStream(stream);
  stream.WriteByte(LineStyle);
  stream.WriteFloat(LineWidth);
  stream.WriteUInt32(LineColor);
}

void TLined::LoadFromStream(TBinaryReader& stream)
{
  CGPObject::LoadFromStream(stream);
  LineStyle = stream.ReadByte();
  LineWidth = stream.ReadFloat();
  LineColor = stream.ReadUInt32();
}

void TLined::StrokeArea(TCanvas& canvas, const QPainterPath& path, double zoom) const
{
  TLineRenderer::StrokePath(canvas, path, LineStyle, LineColor, zoom, LineWidth);
}
