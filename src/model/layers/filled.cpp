#include "model/layers/filled.h"

#include <QRandomGenerator>

#include "platform/canvas.h"
#include "platform/pictures/picturecodec.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/fillpainter.h"

TFilled::TFilled() : FaceColor(RandomFaceColor()) {}

TColorRef TFilled::RandomFaceColor()
{
  QRandomGenerator* random = QRandomGenerator::global();
  const int green = 127 + static_cast<int>(random->bounded(128));
  const int blue = 127 + static_cast<int>(random->bounded(128));
  return MakeColorRef(255, green, blue);
}

void TFilled::SaveToStream(TBinaryWriter& stream) const
{
  TClusteredObject::SaveToStream(stream);
  stream.WriteByte(FillStyle);
  stream.WriteByte(PatternIndex);
  stream.WriteUInt32(FaceColor);
  WritePicture(stream, FillPicture);
  stream.WriteBool(PictureCentred);
  stream.WriteByte(GradientIndex);
  stream.WriteUInt32(BackColor);
}

void TFilled::LoadFromStream(TBinaryReader& stream)
{
  TClusteredObject::LoadFromStream(stream);
  FillStyle = stream.ReadByte();
  PatternIndex = stream.ReadByte();
  FaceColor = stream.ReadUInt32();
  FillPicture = ReadPicture(stream);
  PictureCentred = stream.ReadBool();
  GradientIndex = stream.ReadByte();
  BackColor = stream.ReadUInt32();
}

void TFilled::FillArea(TCanvas& canvas, const QPainterPath& area, double zoom) const
{
  TFillPainter::FillPath(canvas, area, FillStyle, zoom, PatternIndex, GradientIndex,
                         FillPicture ? &*FillPicture : nullptr, PictureCentred, FaceColor,
                         BackColor);
}
