#include "platform/pictures/picture.h"

#include <QPainter>

#include "platform/pictures/jpegcodec.h"

TPicture TPicture::FromImage(const QImage& image, TKind kind)
{
  TPicture picture;
  picture.kind_ = image.isNull() ? TKind::Empty : kind;
  picture.image_ = image;
  picture.size_ = image.size();
  return picture;
}

TPicture TPicture::FromEncoded(TKind kind, const QByteArray& bytes, const QImage& decoded,
                               QSize naturalSize)
{
  TPicture picture;
  picture.kind_ = kind;
  picture.encoded_ = bytes;
  picture.image_ = decoded;
  picture.size_ = naturalSize.isValid() ? naturalSize : decoded.size();
  return picture;
}

TPicture TPicture::FromJpeg(const QByteArray& bytes)
{
  TPicture picture;
  picture.kind_ = TKind::Jpeg;
  picture.encoded_ = bytes;
  picture.size_ = TJpegCodec::ImageSize(bytes);
  picture.deferred_ = std::make_shared<TDeferredImage>();
  return picture;
}

const QImage& TPicture::Image() const
{
  if (!deferred_) return image_;
  TDeferredImage& deferred = *deferred_;
  std::call_once(deferred.Decoded, [&] { deferred.Image = TJpegCodec::Decode(encoded_); });
  return deferred.Image;
}

QSize TPicture::NaturalSize() const
{
  if (size_.width() <= 0 || size_.height() <= 0) return QSize(0, 0);
  return size_;
}

void TPicture::Draw(QPainter& painter, const QRect& target) const
{
  if (IsEmpty() || target.isEmpty()) return;
  if (const QImage& image = Image(); !image.isNull()) {
    painter.drawImage(target, image);
    return;
  }
  // A picture we cannot decode (a metafile) shows where it stands without pretending.
  painter.save();
  painter.setPen(QPen(Qt::gray, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(target.adjusted(0, 0, -1, -1));
  painter.drawLine(target.topLeft(), target.bottomRight());
  painter.drawLine(target.topRight(), target.bottomLeft());
  painter.restore();
}
