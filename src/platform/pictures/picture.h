// A picture as objects and documents hold it: a bitmap, icon, metafile or JPEG image.
// Formats we can decode are kept as an image; a metafile keeps its bytes unchanged so that
// saving never loses it, and draws as a placeholder. A JPEG image keeps the bytes it came
// with, which are what is saved; it is decoded only when first drawn.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <memory>
#include <mutex>

class QPainter;

class TPicture {
 public:
  enum class TKind : std::uint8_t { Empty = 0, Bitmap = 1, Icon = 2, Metafile = 3, Jpeg = 4 };

  TPicture() = default;
  static TPicture FromImage(const QImage& image, TKind kind = TKind::Bitmap);
  // Encoded bytes are kept as they are (metafiles, JPEG files, icon files); size in pixels.
  static TPicture FromEncoded(TKind kind, const QByteArray& bytes, const QImage& decoded,
                              QSize naturalSize);
  // A JPEG file image, kept as it is; its size comes from its header, its pixels are decoded
  // on first use. Bytes that do not decode are kept as well.
  static TPicture FromJpeg(const QByteArray& bytes);

  TKind Kind() const { return kind_; }
  // Present but holding nothing to draw (a damaged or zero-sized picture).
  bool IsEmpty() const { return NaturalSize().isEmpty(); }
  // The pixels; null for a picture we cannot decode. Copies share a JPEG's decoded pixels.
  const QImage& Image() const;
  const QByteArray& Encoded() const { return encoded_; }
  // Size in device pixels at its own resolution; never negative.
  QSize NaturalSize() const;
  int Width() const { return NaturalSize().width(); }
  int Height() const { return NaturalSize().height(); }

  // Draws the picture stretched into the target rectangle.
  void Draw(QPainter& painter, const QRect& target) const;

 private:
  // Decoded once even when several threads draw copies of the picture at the same time.
  struct TDeferredImage {
    std::once_flag Decoded;
    QImage Image;
  };

  TKind kind_ = TKind::Empty;
  QImage image_;
  QByteArray encoded_;
  QSize size_;
  std::shared_ptr<TDeferredImage> deferred_;
};
