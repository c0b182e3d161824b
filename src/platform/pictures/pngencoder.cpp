#include "platform/pictures/pngencoder.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

// Long pictures are split into several data chunks so that no chunk nears the 2 GB limit.
constexpr qsizetype kChunkBytes = 1 << 20;
constexpr int kDeflateLevel = 1;
// Rows filtered at a time: the filtered picture is never held whole.
constexpr int kRowsPerStep = 32;
// Pictures smaller than this are packed on the calling thread alone.
constexpr qint64 kPixelsPerPiece = 1 << 20;

void AppendBigEndian(QByteArray& out, std::uint32_t value)
{
  out.append(static_cast<char>(value >> 24));
  out.append(static_cast<char>(value >> 16));
  out.append(static_cast<char>(value >> 8));
  out.append(static_cast<char>(value));
}

void AppendChunk(QByteArray& out, const char* type, const char* data, qsizetype size)
{
  AppendBigEndian(out, static_cast<std::uint32_t>(size));
  const qsizetype start = out.size();
  out.append(type, 4);
  out.append(data, size);
  const uLong crc = crc32_z(0, reinterpret_cast<const Bytef*>(out.constData() + start),
                            static_cast<z_size_t>(size + 4));
  AppendBigEndian(out, static_cast<std::uint32_t>(crc));
}

// Rows [first, last) with filter byte 2 ("up"): every byte minus the byte above it.
void FilterRows(const QImage& image, int first, int last, std::vector<std::uint8_t>& out)
{
  const int width = image.width();
  out.resize(static_cast<std::size_t>(last - first) * (3 * static_cast<std::size_t>(width) + 1));
  std::uint8_t* p = out.data();
  for (int y = first; y < last; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const QRgb* above = y > 0 ? reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)) : nullptr;
    *p++ = 2;
    for (int x = 0; x < width; ++x) {
      const QRgb up = above ? above[x] : 0;
      *p++ = static_cast<std::uint8_t>(qRed(row[x]) - qRed(up));
      *p++ = static_cast<std::uint8_t>(qGreen(row[x]) - qGreen(up));
      *p++ = static_cast<std::uint8_t>(qBlue(row[x]) - qBlue(up));
    }
  }
}

// One piece of the compressed data: rows [first, last) as raw deflate blocks, ended on a byte
// boundary with the dictionary reset (so pieces packed apart join into one stream), or
// finishing the stream for the last piece; with the checksum of the filtered bytes.
struct TPackedRows {
  QByteArray Deflated;
  uLong Adler = 1;
  z_off_t Length = 0;
  bool Ok = false;
};

void PackRows(const QImage& image, int first, int last, bool final, TPackedRows& piece)
{
  z_stream z{};
  if (deflateInit2(&z, kDeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    return;
  std::vector<std::uint8_t> rows;
  std::vector<Bytef> out(1 << 16);
  bool ok = true;
  for (int y = first; ok && (y < last || y == first); y += kRowsPerStep) {
    const int end = std::min(last, y + kRowsPerStep);
    FilterRows(image, y, end, rows);
    piece.Adler = adler32_z(piece.Adler, rows.data(), rows.size());
    piece.Length += static_cast<z_off_t>(rows.size());
    z.next_in = rows.data();
    z.avail_in = static_cast<uInt>(rows.size());
    const int flush = end < last ? Z_NO_FLUSH : (final ? Z_FINISH : Z_FULL_FLUSH);
    int status;
    do {
      z.next_out = out.data();
      z.avail_out = static_cast<uInt>(out.size());
      status = deflate(&z, flush);
      if (status == Z_STREAM_ERROR) {
        ok = false;
        break;
      }
      piece.Deflated.append(reinterpret_cast<const char*>(out.data()),
                            static_cast<qsizetype>(out.size() - z.avail_out));
    } while (z.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    if (end >= last) break;
  }
  deflateEnd(&z);
  piece.Ok = ok;
}

}  // namespace

struct TPngPieces::TPiece : TPackedRows {};

TPngPieces::TPngPieces(const QImage& image, int pieces) : image_(image)
{
  const int height = image.height();
  const int count = std::clamp(pieces, 1, std::max(1, height));
  for (int i = 0; i < count; ++i)
    first_.push_back(static_cast<int>(static_cast<qint64>(height) * i / count));
  pieces_.resize(static_cast<std::size_t>(count));
}

TPngPieces::~TPngPieces() = default;

int TPngPieces::LastRow(int piece) const
{
  return piece + 1 < Count() ? FirstRow(piece + 1) : image_.height();
}

void TPngPieces::Pack(int piece)
{
  PackRows(image_, FirstRow(piece), LastRow(piece), piece + 1 == Count(),
           pieces_[static_cast<std::size_t>(piece)]);
}

QByteArray TPngPieces::Finish() const
{
  // A zlib header for the fastest level, the pieces, and the checksum of the whole.
  QByteArray stream("\x78\x01", 2);
  uLong adler = 1;
  for (const TPiece& piece : pieces_) {
    if (!piece.Ok) return {};
    stream.append(piece.Deflated);
    adler = adler32_combine(adler, piece.Adler, piece.Length);
  }
  AppendBigEndian(stream, static_cast<std::uint32_t>(adler));

  QByteArray header;
  AppendBigEndian(header, static_cast<std::uint32_t>(image_.width()));
  AppendBigEndian(header, static_cast<std::uint32_t>(image_.height()));
  header.append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filters, no interlace
  QByteArray out("\x89PNG\r\n\x1a\n", 8);
  out.reserve(stream.size() + stream.size() / kChunkBytes * 12 + 64);
  AppendChunk(out, "IHDR", header.constData(), header.size());
  for (qsizetype at = 0; at < stream.size(); at += kChunkBytes)
    AppendChunk(out, "IDAT", stream.constData() + at, std::min(kChunkBytes, stream.size() - at));
  AppendChunk(out, "IEND", nullptr, 0);
  return out;
}

int TPngEncoder::PieceCount(QSize size)
{
  const qint64 pixels = static_cast<qint64>(size.width()) * size.height();
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return static_cast<int>(
      std::clamp<qint64>(pixels / kPixelsPerPiece, 1, std::min(cores, std::max(1, size.height()))));
}

QByteArray TPngEncoder::Encode(const QImage& source)
{
  if (source.isNull()) return {};
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  TPngPieces pieces(image, PieceCount(image.size()));
  std::vector<std::thread> workers;
  for (int i = 0; i + 1 < pieces.Count(); ++i)
    workers.emplace_back([&pieces, i] { pieces.Pack(i); });
  pieces.Pack(pieces.Count() - 1);
  for (std::thread& worker : workers)
    worker.join();
  return pieces.Finish();
}
