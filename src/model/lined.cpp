#include "model/lined.h"

#include <QPainter>

#include "model/geometry.h"
#include "platform/binaryreader.h"
#include "platform/binarywriter.h"
#include "platform/canvas.h"

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
  if (LineStyle == kLineNone) return;
  // Patterned styles are drawn solid until the line-style primitives take over here.
  QPainter& painter = canvas.Painter();
  painter.save();
  QPen pen(ToQColor(LineColor), PenWidthPixels(LineWidth, zoom, canvas), Qt::SolidLine);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
  painter.restore();
}
