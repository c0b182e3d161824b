#include "platform/jpegcodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through a callback that must not return.
struct TErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnError(j_common_ptr info)
{
  std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr, int) {}

}  // namespace

QImage TJpegCodec::Decode(const QByteArray& bytes)
{
  if (bytes.size() < 4) return QImage();
  jpeg_decompress_struct info{};
  TErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  // Declared before the jump point so that its value survives a longjmp.
  QImage* volatile result = nullptr;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    delete result;
    return QImage();
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return QImage();
  }
  if (static_cast<qint64>(info.image_width) * info.image_height > kMaxPixels ||
      info.image_width == 0 || info.image_height == 0) {
    jpeg_destroy_decompress(&info);
    return QImage();
  }
  info.out_color_space = JCS_EXT_BGRX;  // matches QImage::Format_RGB32 on little-endian
  jpeg_start_decompress(&info);
  result = new QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                      QImage::Format_RGB32);
  if (result->isNull()) {
    jpeg_destroy_decompress(&info);
    delete result;
    return QImage();
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = result->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  QImage image = *result;
  delete result;
  return image;
}

QByteArray TJpegCodec::Encode(const QImage& source, int quality)
{
  if (source.isNull()) return QByteArray();
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  jpeg_compress_struct info{};
  TErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  unsigned char* volatile buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return QByteArray();
  }
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(image.width());
  info.image_height = static_cast<JDIMENSION>(image.height());
  info.input_components = 4;
  info.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  buffer = out;
  QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
  jpeg_destroy_compress(&info);
  std::free(out);
  return bytes;
}
