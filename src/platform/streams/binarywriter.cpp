#include "platform/streams/binarywriter.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/text/storedstring.h"

namespace {

// Appends a few bytes without going through the general insertion path, which costs more
// than the copy itself; the buffer still grows geometrically.
void AppendRaw(QByteArray& data, const char* bytes, qsizetype count)
{
  const qsizetype size = data.size();
  if (size + count > data.capacity()) data.reserve(std::max<qsizetype>(2 * size, size + count));
  data.resize(size + count);
  std::memcpy(data.data() + size, bytes, static_cast<std::size_t>(count));
}

}  // namespace

void TBinaryWriter::WriteByte(std::uint8_t value)
{
  const char byte = static_cast<char>(value);
  AppendRaw(data_, &byte, 1);
}

void TBinaryWriter::WriteInt16(std::int16_t value)
{
  char bytes[2];
  qToLittleEndian<qint16>(value, bytes);
  AppendRaw(data_, bytes, 2);
}

void TBinaryWriter::WriteUInt16(std::uint16_t value)
{
  char bytes[2];
  qToLittleEndian<quint16>(value, bytes);
  AppendRaw(data_, bytes, 2);
}

void TBinaryWriter::WriteInt32(std::int32_t value)
{
  char bytes[4];
  qToLittleEndian<qint32>(value, bytes);
  AppendRaw(data_, bytes, 4);
}

void TBinaryWriter::WriteUInt32(std::uint32_t value)
{
  char bytes[4];
  qToLittleEndian<quint32>(value, bytes);
  AppendRaw(data_, bytes, 4);
}

void TBinaryWriter::WriteFloat(float value)
{
  quint32 bits;
  std::memcpy(&bits, &value, sizeof bits);
  WriteUInt32(bits);
}

void TBinaryWriter::WriteDouble(double value)
{
  quint64 bits;
  std::memcpy(&bits, &value, sizeof bits);
  char bytes[8];
  qToLittleEndian<quint64>(bits, bytes);
  AppendRaw(data_, bytes, 8);
}

void TBinaryWriter::PatchInt32(qsizetype position, std::int32_t value)
{
  if (position < 0 || position + 4 > data_.size()) return;
  qToLittleEndian<qint32>(value, data_.data() + position);
}

void TBinaryWriter::WriteString(const QString& text)
{
  if (text.isEmpty()) {
    WriteInt32(0);
    return;
  }
  QByteArray bytes = TStoredString::Encode(text);
  // A zero inside the text would end it early on reading; keep the length honest instead.
  const qsizetype zero = bytes.indexOf('\0');
  if (zero >= 0) bytes.truncate(zero);
  // The length must fit its int32 with the zero byte.
  if (bytes.size() >= std::numeric_limits<std::int32_t>::max())
    bytes.truncate(std::numeric_limits<std::int32_t>::max() - 1);
  WriteInt32(static_cast<std::int32_t>(bytes.size() + 1));
  data_.append(bytes);
  data_.append('\0');
}

void TBinaryWriter::WriteBlock(const QByteArray& bytes)
{
  WriteInt32(static_cast<std::int32_t>(bytes.size()));
  data_.append(bytes);
}
