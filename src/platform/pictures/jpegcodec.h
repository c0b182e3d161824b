// JPEG pictures through libjpeg-turbo: decoding untrusted bytes into an image and encoding
// model pictures with the codec's default quality.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

class TJpegCodec {
 public:
  static constexpr int kDefaultQuality = 75;
  // Pictures larger than this many pixels are refused rather than allocated.
  static constexpr qint64 kMaxPixels = 100'000'000;

  // A null image when the bytes are not a JPEG picture we can read. CMYK and YCCK pictures
  // become RGB (Adobe's inverted CMYK when the picture carries Adobe's marker).
  static QImage Decode(const QByteArray& bytes);
  // The size a header announces, without decoding; empty when there is no usable header.
  static QSize ImageSize(const QByteArray& bytes);
  // An empty array when the image is null or encoding fails.
  static QByteArray Encode(const QImage& image, int quality = kDefaultQuality);
};
