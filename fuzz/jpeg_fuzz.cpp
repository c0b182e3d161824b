// Feeds arbitrary bytes to the JPEG decoder: it must give a picture or none, never read or
// write out of bounds, never leak on an error, and agree with the size the header announces.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/jpegcodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QSize announced = TJpegCodec::ImageSize(bytes);
  // Huge pictures only cost time here; the decoder's own bound is tested in the suite.
  if (static_cast<qint64>(announced.width()) * announced.height() > 4'000'000) return 0;
  const QImage image = TJpegCodec::Decode(bytes);
  if (!image.isNull() && image.size() != announced) std::abort();
  // What decodes must encode again.
  if (!image.isNull() && image.width() * image.height() <= 65536 &&
      TJpegCodec::Encode(image).isEmpty())
    std::abort();
  return 0;
}
