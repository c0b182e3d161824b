#include "platform/pictures/jpegcodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

// libjpeg reports fatal errors through a callback that must not return, so it jumps back.
// The functions that call libjpeg therefore hold no C++ objects: what they allocate is
// kept in a plain job record that the caller frees whatever happened.

namespace {

struct TErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnError(j_common_ptr info)
{
  std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr, int) {}

void InstallErrors(jpeg_common_struct& info, TErrorManager& errors)
{
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
}

bool UsableSize(JDIMENSION width, JDIMENSION height)
{
  return width > 0 && height > 0 && static_cast<qint64>(width) * height <= TJpegCodec::kMaxPixels;
}

struct TDecodeJob {
  const unsigned char* Bytes = nullptr;
  unsigned long Size = 0;
  bool HeaderOnly = false;
  int Width = 0;
  int Height = 0;
  unsigned char* Pixels = nullptr;  // Width x Height in QImage::Format_RGB32, malloc'd
  unsigned char* Row = nullptr;     // one CMYK row, malloc'd
};

// Four-ink pixels to RGB. Adobe's programs store the inks inverted (0 is full ink), and
// that is what almost every CMYK JPEG holds; without Adobe's marker 0 means no ink.
void CmykToRgb32(const unsigned char* cmyk, unsigned char* bgrx, int width, bool inverted)
{
  for (int x = 0; x < width; ++x, cmyk += 4, bgrx += 4) {
    const int c = inverted ? cmyk[0] : 255 - cmyk[0];
    const int m = inverted ? cmyk[1] : 255 - cmyk[1];
    const int y = inverted ? cmyk[2] : 255 - cmyk[2];
    const int k = inverted ? cmyk[3] : 255 - cmyk[3];
    bgrx[0] = static_cast<unsigned char>((y * k + 127) / 255);
    bgrx[1] = static_cast<unsigned char>((m * k + 127) / 255);
    bgrx[2] = static_cast<unsigned char>((c * k + 127) / 255);
    bgrx[3] = 0xFF;
  }
}

bool RunDecode(TDecodeJob* job)
{
  jpeg_decompress_struct info{};
  TErrorManager errors{};
  InstallErrors(*reinterpret_cast<jpeg_common_struct*>(&info), errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, job->Bytes, job->Size);
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK ||
      !UsableSize(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  job->Width = static_cast<int>(info.image_width);
  job->Height = static_cast<int>(info.image_height);
  if (job->HeaderOnly) {
    jpeg_destroy_decompress(&info);
    return true;
  }
  const bool fourInks = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  // BGRX matches QImage::Format_RGB32 on little-endian machines.
  info.out_color_space = fourInks ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  const std::size_t stride = static_cast<std::size_t>(info.output_width) * 4;
  job->Width = static_cast<int>(info.output_width);
  job->Height = static_cast<int>(info.output_height);
  job->Pixels = static_cast<unsigned char*>(std::malloc(stride * info.output_height));
  if (fourInks) job->Row = static_cast<unsigned char*>(std::malloc(stride));
  if (!job->Pixels || (fourInks && !job->Row)) ERREXIT1(&info, JERR_OUT_OF_MEMORY, 0);
  while (info.output_scanline < info.output_height) {
    unsigned char* target = job->Pixels + stride * info.output_scanline;
    JSAMPROW row = fourInks ? job->Row : target;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) ERREXIT(&info, JERR_INPUT_EOF);
    if (fourInks) CmykToRgb32(job->Row, target, job->Width, info.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

// The compressed picture grows in a malloc'd buffer that the caller frees.
struct TEncodeJob {
  jpeg_destination_mgr Destination{};
  const QImage* Image = nullptr;  // Format_RGB32
  int Quality = 0;
  unsigned char* Buffer = nullptr;
  std::size_t Capacity = 0;
};

void StartDestination(j_compress_ptr) {}

boolean GrowDestination(j_compress_ptr info)
{
  auto* job = reinterpret_cast<TEncodeJob*>(info->dest);
  const std::size_t capacity = job->Capacity * 2;
  auto* grown = static_cast<unsigned char*>(std::realloc(job->Buffer, capacity));
  if (!grown) ERREXIT1(info, JERR_OUT_OF_MEMORY, 1);
  job->Destination.next_output_byte = grown + job->Capacity;
  job->Destination.free_in_buffer = capacity - job->Capacity;
  job->Buffer = grown;
  job->Capacity = capacity;
  return TRUE;
}

void EndDestination(j_compress_ptr) {}

bool RunEncode(TEncodeJob* job)
{
  jpeg_compress_struct info{};
  TErrorManager errors{};
  InstallErrors(*reinterpret_cast<jpeg_common_struct*>(&info), errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  job->Capacity = 64 * 1024;
  job->Buffer = static_cast<unsigned char*>(std::malloc(job->Capacity));
  if (!job->Buffer) ERREXIT1(&info, JERR_OUT_OF_MEMORY, 2);
  job->Destination.init_destination = StartDestination;
  job->Destination.empty_output_buffer = GrowDestination;
  job->Destination.term_destination = EndDestination;
  job->Destination.next_output_byte = job->Buffer;
  job->Destination.free_in_buffer = job->Capacity;
  info.dest = &job->Destination;
  info.image_width = static_cast<JDIMENSION>(job->Image->width());
  info.image_height = static_cast<JDIMENSION>(job->Image->height());
  info.input_components = 4;
  info.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, job->Quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(job->Image->constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

QImage TJpegCodec::Decode(const QByteArray& bytes)
{
  if (bytes.size() < 4) return QImage();
  TDecodeJob job;
  job.Bytes = reinterpret_cast<const unsigned char*>(bytes.constData());
  job.Size = static_cast<unsigned long>(bytes.size());
  const bool decoded = RunDecode(&job);
  std::free(job.Row);
  if (!decoded) {
    std::free(job.Pixels);
    return QImage();
  }
  // The image takes the pixels over and frees them when its last copy goes.
  QImage image(
      job.Pixels, job.Width, job.Height, static_cast<qsizetype>(job.Width) * 4,
      QImage::Format_RGB32, [](void* pixels) { std::free(pixels); }, job.Pixels);
  if (image.isNull()) std::free(job.Pixels);
  return image;
}

QSize TJpegCodec::ImageSize(const QByteArray& bytes)
{
  if (bytes.size() < 4) return QSize();
  TDecodeJob job;
  job.Bytes = reinterpret_cast<const unsigned char*>(bytes.constData());
  job.Size = static_cast<unsigned long>(bytes.size());
  job.HeaderOnly = true;
  if (!RunDecode(&job)) return QSize();
  return QSize(job.Width, job.Height);
}

QByteArray TJpegCodec::Encode(const QImage& source, int quality)
{
  if (source.isNull()) return QByteArray();
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  TEncodeJob job;
  job.Image = &image;
  job.Quality = quality;
  QByteArray bytes;
  if (RunEncode(&job))
    bytes = QByteArray(reinterpret_cast<const char*>(job.Buffer),
                       static_cast<qsizetype>(job.Capacity - job.Destination.free_in_buffer));
  std::free(job.Buffer);
  return bytes;
}
