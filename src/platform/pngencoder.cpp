#include "platform/pngencoder.h"

#include <array>
#include <cstdint>
#include <vector>

namespace {

// Long pictures are split into several data chunks so that no chunk nears the 2 GB limit.
constexpr qsizetype kChunkBytes = 1 << 20;
constexpr int kDeflateLevel = 1;

const std::array<std::uint32_t, 256>& CrcTable()
{
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k)
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

std::uint32_t Crc(const char* data, qsizetype size, std::uint32_t crc = 0xFFFFFFFFu)
{
  const auto& table = CrcTable();
  for (qsizetype i = 0; i < size; ++i)
    crc = table[(crc ^ static_cast<std::uint8_t>(data[i])) & 0xFF] ^ (crc >> 8);
  return crc;
}

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
  AppendBigEndian(out, Crc(out.constData() + start, size + 4) ^ 0xFFFFFFFFu);
}

// Each row: filter byte 2 ("up"), then every byte minus the byte above it.
QByteArray FilteredRows(const QImage& image)
{
  const int width = image.width();
  const qsizetype rowBytes = 3 * static_cast<qsizetype>(width);
  QByteArray raw(image.height() * (rowBytes + 1), Qt::Uninitialized);
  std::vector<std::uint8_t> above(rowBytes, 0);
  std::vector<std::uint8_t> row(rowBytes);
  auto* out = reinterpret_cast<std::uint8_t*>(raw.data());
  for (int y = 0; y < image.height(); ++y) {
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(qRed(pixels[x]));
      row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(pixels[x]));
      row[3 * x + 2] = static_cast<std::uint8_t>(qBlue(pixels[x]));
    }
    *out++ = 2;
    for (qsizetype i = 0; i < rowBytes; ++i)
      *out++ = static_cast<std::uint8_t>(row[i] - above[i]);
    above.swap(row);
  }
  return raw;
}

}  // namespace

QByteArray TPngEncoder::Encode(const QImage& source)
{
  if (source.isNull()) return {};
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  QByteArray header;
  AppendBigEndian(header, static_cast<std::uint32_t>(image.width()));
  AppendBigEndian(header, static_cast<std::uint32_t>(image.height()));
  header.append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filters, no interlace

  // qCompress gives a zlib stream behind a four-byte length of its own.
  QByteArray stream = qCompress(FilteredRows(image), kDeflateLevel);
  if (stream.size() < 4) return {};
  QByteArray out("\x89PNG\r\n\x1a\n", 8);
  AppendChunk(out, "IHDR", header.constData(), header.size());
  for (qsizetype at = 4; at < stream.size(); at += kChunkBytes)
    AppendChunk(out, "IDAT", stream.constData() + at, std::min(kChunkBytes, stream.size() - at));
  AppendChunk(out, "IEND", nullptr, 0);
  return out;
}
