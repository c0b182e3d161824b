#include "platform/pictures/picturecodec.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <QtEndian>
#include <cmath>

#include "platform/pictures/jpegcodec.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

namespace {

QByteArray EncodeBmp(const QImage& image)
{
  if (image.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "BMP");
  if (!writer.write(image)) return {};
  return bytes;
}

QImage Decode(const QByteArray& bytes, const char* format)
{
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  return reader.read();
}

// The size a metafile shows at on a 96 DPI screen, read from its header: an enhanced
// metafile's frame (hundredths of a millimetre) or a placeable metafile's box and units.
QSize MetafileSize(const QByteArray& bytes)
{
  const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
  const auto toPixels = [](double length) {
    return std::isfinite(length) && length > 0 && length < 100000
               ? static_cast<int>(std::lround(length))
               : 0;
  };
  if (bytes.size() >= 44 && qFromLittleEndian<quint32>(data) == 1 &&
      bytes.mid(40, 4) == QByteArray(" EMF", 4)) {
    const double w =
        double(qFromLittleEndian<qint32>(data + 32)) - qFromLittleEndian<qint32>(data + 24);
    const double h =
        double(qFromLittleEndian<qint32>(data + 36)) - qFromLittleEndian<qint32>(data + 28);
    return {toPixels(w / 2540.0 * 96.0), toPixels(h / 2540.0 * 96.0)};
  }
  if (bytes.size() >= 22 && qFromLittleEndian<quint32>(data) == 0x9AC6CDD7u) {
    const double inch = qFromLittleEndian<quint16>(data + 14);
    if (inch <= 0) return {};
    const double w =
        double(qFromLittleEndian<qint16>(data + 10)) - qFromLittleEndian<qint16>(data + 6);
    const double h =
        double(qFromLittleEndian<qint16>(data + 12)) - qFromLittleEndian<qint16>(data + 8);
    return {toPixels(std::fabs(w) / inch * 96.0), toPixels(std::fabs(h) / inch * 96.0)};
  }
  return {};
}

}  // namespace

TPicture DecodePicture(TPicture::TKind kind, const QByteArray& bytes)
{
  switch (kind) {
    case TPicture::TKind::Bitmap: {
      const QImage image = Decode(bytes, "BMP");
      return TPicture::FromEncoded(TPicture::TKind::Bitmap, QByteArray(), image, image.size());
    }
    case TPicture::TKind::Icon: {
      const QImage image = Decode(bytes, "ICO");
      return TPicture::FromEncoded(TPicture::TKind::Icon, bytes, image, image.size());
    }
    case TPicture::TKind::Metafile:
      // Kept as it came, so that saving loses nothing; it shows as a placeholder.
      return TPicture::FromEncoded(TPicture::TKind::Metafile, bytes, QImage(), MetafileSize(bytes));
    case TPicture::TKind::Jpeg:
      // Kept as it came and decoded only to draw, so saving neither grows nor alters it.
      return TPicture::FromJpeg(bytes);
    default:
      return TPicture::FromEncoded(TPicture::TKind::Bitmap, QByteArray(), QImage(), QSize());
  }
}

void WritePicture(TBinaryWriter& stream, const std::optional<TPicture>& picture)
{
  if (!picture || picture->Kind() == TPicture::TKind::Empty) {
    stream.WriteInt32(0);
    return;
  }
  TPicture::TKind kind = picture->Kind();
  QByteArray bytes;
  // Icons, metafiles and JPEG files keep the bytes they came with, so nothing is lost and a
  // photo is not stored back as an uncompressed bitmap.
  if (kind != TPicture::TKind::Bitmap && !picture->Encoded().isEmpty()) bytes = picture->Encoded();
  if (bytes.isEmpty() && kind == TPicture::TKind::Jpeg)
    bytes = TJpegCodec::Encode(picture->Image());
  if (bytes.isEmpty()) {
    kind = TPicture::TKind::Bitmap;
    bytes = EncodeBmp(picture->Image());
  }
  if (bytes.isEmpty()) {
    stream.WriteInt32(0);
    return;
  }
  stream.WriteInt32(static_cast<std::int32_t>(bytes.size()));
  stream.WriteByte(static_cast<std::uint8_t>(kind));
  stream.WriteBytes(bytes);
}

std::optional<TPicture> ReadPicture(TBinaryReader& stream)
{
  const std::int32_t length = stream.ReadInt32();
  if (length < 1) return std::nullopt;
  const std::uint8_t kindByte = stream.ReadByte();
  const QByteArray bytes = stream.ReadBytes(length);
  if (kindByte < 1 || kindByte > 4)
    // An unknown kind is a present picture with nothing to show.
    return TPicture::FromEncoded(TPicture::TKind::Bitmap, QByteArray(), QImage(), QSize());
  return DecodePicture(static_cast<TPicture::TKind>(kindByte), bytes);
}
