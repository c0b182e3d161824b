#include "model/embedded/olecogi.h"

#include <QtEndian>

#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/placeholderpainter.h"

TEmbeddedHeader TEmbeddedHeader::Parse(const QByteArray& bytes)
{
  TEmbeddedHeader header;
  if (bytes.size() < kSize) return header;
  const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
  header.Aspect = qFromLittleEndian<qint32>(data + 4);
  header.DataLength = qFromLittleEndian<qint32>(data + 8);
  // The stated length is untrusted: it must fit the bytes that are really there.
  header.Valid = qFromLittleEndian<quint32>(data) == kSignature && header.DataLength >= 0 &&
                 header.DataLength <= bytes.size() - kSize;
  return header;
}

QString TOLECogi::Activate() const
{
  if (ContainerData.isEmpty()) return QStringLiteral("OLE Error.");
  return QStringLiteral("OLE Error. Embedded documents cannot be opened on this system.");
}

void TOLECogi::DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  TPlaceholderPainter::DrawCross(
      canvas, GetScreenBox(canvas, offsetX, offsetY, zoom).Normalized().ToQRect());
}

void TOLECogi::SaveToStream(TBinaryWriter& stream) const
{
  TClusteredObject::SaveToStream(stream);
  stream.WriteBlock(ContainerData);
  stream.WriteBool(OleSized);
}

void TOLECogi::LoadFromStream(TBinaryReader& stream)
{
  TClusteredObject::LoadFromStream(stream);
  ContainerData = stream.ReadBlock();
  OleSized = stream.ReadBool();
}
