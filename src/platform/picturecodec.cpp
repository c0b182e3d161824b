#include "platform/picturecodec.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include "platform/binaryreader.h"
#include "platform/binarywriter.h"

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

}  // namespace

void WritePicture(TBinaryWriter& stream, const std::optional<TPicture>& picture)
{
  if (!picture || picture->Kind() == TPicture::TKind::Empty) {
    stream.WriteInt32(0);
    return;
  }
  TPicture::TKind kind = picture->Kind();
  QByteArray bytes;
  // Icons, metafiles and JPEG files keep the bytes they came with, so nothing is lost.
  if (kind != TPicture::TKind::Bitmap && !picture->Encoded().isEmpty()) bytes = picture->Encoded();
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
  switch (kindByte) {
    case 1: {
      const QImage image = Decode(bytes, "BMP");
      return TPicture::FromEncoded(TPicture::TKind::Bitmap, QByteArray(), image, image.size());
    }
    case 2:
    case 3:
    case 4: {
      // Decoded where an image plugin can; the bytes are kept either way.
      const auto kind = static_cast<TPicture::TKind>(kindByte);
      const QImage image = kind == TPicture::TKind::Metafile ? QImage() : Decode(bytes, nullptr);
      return TPicture::FromEncoded(kind, bytes, image, image.size());
    }
    default:
      // An unknown kind is a present picture with nothing to show.
      return TPicture::FromEncoded(TPicture::TKind::Bitmap, QByteArray(), QImage(), QSize());
  }
}
