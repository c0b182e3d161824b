#include "io/pictures/modelthumbnail.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <cstring>

#include "io/modelstream.h"

namespace {

bool ReadExactly(QFile& file, char* into, qint64 count)
{
  return file.read(into, count) == count;
}

bool ReadLength(QFile& file, qint32& length)
{
  unsigned char bytes[4];
  if (!ReadExactly(file, reinterpret_cast<char*>(bytes), 4)) return false;
  length = static_cast<qint32>(
      static_cast<quint32>(bytes[0]) | (static_cast<quint32>(bytes[1]) << 8) |
      (static_cast<quint32>(bytes[2]) << 16) | (static_cast<quint32>(bytes[3]) << 24));
  return true;
}

}  // namespace

QImage TModelThumbnail::Placeholder(bool large, const QString& text)
{
  const QSize size = large ? TModelStream::kPreviewSize : TModelStream::kIconSize;
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(large ? 32 : 14);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(image.rect(), Qt::AlignCenter, text);
  return image;
}

QImage TModelThumbnail::Picture(const QString& path, bool large)
{
  const QFileInfo info(path);
  QFile file(path);
  // Only an ordinary file is opened: a FIFO would block the menu.
  if (!path.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive) || !info.isFile() ||
      !file.open(QIODevice::ReadOnly))
    return Placeholder(large, QStringLiteral("?"));
  double version = 0.0;
  char bytes[8];
  if (ReadExactly(file, bytes, 8)) std::memcpy(&version, bytes, 8);
  if (!(version >= 2.0))
    return Placeholder(large, version > 0.0 ? QStringLiteral("V1") : QStringLiteral("?"));
  qint32 length = 0;
  if (!ReadLength(file, length)) return Placeholder(large, QStringLiteral("?"));
  if (!large) {
    if (length < 0 || !file.seek(file.pos() + length) || !ReadLength(file, length))
      return Placeholder(large, QStringLiteral("?"));
  }
  if (length < 1 || length > kMaxPictureBytes || length > file.size() - file.pos())
    return Placeholder(large, QStringLiteral("?"));
  const QImage image = QImage::fromData(file.read(length), "BMP");
  if (image.isNull()) return Placeholder(large, QStringLiteral("?"));
  // A picture of another size (a file written elsewhere) still fills exactly its cell.
  const QSize size = large ? TModelStream::kPreviewSize : TModelStream::kIconSize;
  return image.size() == size ? image
                              : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
