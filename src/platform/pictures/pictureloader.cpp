#include "platform/pictures/pictureloader.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>
#include <cstdlib>

#include "platform/pictures/picturecodec.h"
#include "platform/streams/streamerror.h"
#include "platform/streams/wholefile.h"

namespace {

bool StartsWith(const QByteArray& bytes, std::initializer_list<unsigned char> prefix)
{
  if (bytes.size() < static_cast<qsizetype>(prefix.size())) return false;
  qsizetype i = 0;
  for (const unsigned char c : prefix)
    if (static_cast<unsigned char>(bytes[i++]) != c) return false;
  return true;
}

bool IsMetafile(const QByteArray& bytes)
{
  // Enhanced metafile header record, placeable metafile key, or a plain metafile header
  // (in memory or on disk, header size 9 words).
  if (bytes.size() >= 44 && StartsWith(bytes, {1, 0, 0, 0}) && bytes.mid(40, 4) == " EMF")
    return true;
  if (StartsWith(bytes, {0xD7, 0xCD, 0xC6, 0x9A})) return true;
  return StartsWith(bytes, {1, 0, 9, 0}) || StartsWith(bytes, {2, 0, 9, 0});
}

// Whether an uncompressed bitmap holds all the pixel rows its header announces. Qt shows a
// file cut short with its missing rows black, which would pass for a real picture.
bool BitmapComplete(const QByteArray& bytes)
{
  if (bytes.size() < 26) return false;
  const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
  const qint64 offset = qFromLittleEndian<quint32>(data + 10);
  const quint32 headerSize = qFromLittleEndian<quint32>(data + 14);
  qint64 width = 0, height = 0, bits = 0, compression = 0;
  if (headerSize == 12) {
    width = qFromLittleEndian<quint16>(data + 18);
    height = qFromLittleEndian<quint16>(data + 20);
    bits = qFromLittleEndian<quint16>(data + 24);
  } else {
    if (bytes.size() < 34) return false;
    width = qFromLittleEndian<qint32>(data + 18);
    height = std::llabs(qFromLittleEndian<qint32>(data + 22));
    bits = qFromLittleEndian<quint16>(data + 28);
    compression = qFromLittleEndian<quint32>(data + 30);
  }
  // Run-length and embedded formats have no fixed size; the decoder checks those itself.
  if (compression != 0 && compression != 3) return true;
  if (width <= 0 || width > 1'000'000 || height > 1'000'000 || bits <= 0 || bits > 32) return false;
  const qint64 rowBytes = (width * bits + 31) / 32 * 4;
  return offset + rowBytes * height <= bytes.size();
}

std::optional<TPicture> OtherFormat(const QByteArray& bytes)
{
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QImage image = reader.read();
  if (image.isNull()) return std::nullopt;
  return TPicture::FromImage(image, TPicture::TKind::Bitmap);
}

}  // namespace

TPicture::TKind TPictureLoader::KindOf(const QByteArray& bytes)
{
  if (StartsWith(bytes, {'B', 'M'})) return TPicture::TKind::Bitmap;
  if (StartsWith(bytes, {0, 0, 1, 0})) return TPicture::TKind::Icon;
  if (StartsWith(bytes, {0xFF, 0xD8, 0xFF})) return TPicture::TKind::Jpeg;
  if (IsMetafile(bytes)) return TPicture::TKind::Metafile;
  return TPicture::TKind::Empty;
}

std::optional<TPicture> TPictureLoader::FromBytes(const QByteArray& bytes)
{
  const TPicture::TKind kind = KindOf(bytes);
  if (kind == TPicture::TKind::Empty) return OtherFormat(bytes);
  if (kind == TPicture::TKind::Bitmap && !BitmapComplete(bytes)) return std::nullopt;
  TPicture picture = DecodePicture(kind, bytes);
  // A metafile is kept even when we cannot tell its size: its bytes are what matters.
  if (kind == TPicture::TKind::Metafile) return picture;
  // A picture inserted from a file must show: a JPEG that will not decode is refused.
  if (picture.IsEmpty() || picture.Image().isNull()) return std::nullopt;
  return picture;
}

std::optional<TPicture> TPictureLoader::FromFile(const QString& path)
{
  try {
    return FromBytes(TWholeFile::ReadAll(path, kMaxFileBytes));
  } catch (const EStreamError&) {
    return std::nullopt;
  }
}
