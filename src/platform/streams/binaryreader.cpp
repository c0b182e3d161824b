#include "platform/streams/binaryreader.h"

#include <QtEndian>
#include <cstring>

#include "platform/streams/streamerror.h"
#include "platform/text/storedstring.h"

TBinaryReader::TBinaryReader(const QByteArray& data, qsizetype position)
    : data_(data), position_(position), truncatedMessage_(QStringLiteral("Unexpected end of file"))
{
  if (position_ < 0 || position_ > data_.size()) throw EStreamError(truncatedMessage_);
}

void TBinaryReader::Seek(qsizetype position)
{
  if (position < 0 || position > data_.size()) throw EStreamError(truncatedMessage_);
  position_ = position;
}

void TBinaryReader::Skip(qsizetype count)
{
  Take(count);
}

void TBinaryReader::Require(qint64 count) const
{
  if (count < 0 || count > Remaining()) throw EStreamError(truncatedMessage_);
}

const char* TBinaryReader::Take(qint64 count)
{
  Require(count);
  const char* at = data_.constData() + position_;
  position_ += static_cast<qsizetype>(count);
  return at;
}

std::uint8_t TBinaryReader::ReadByte()
{
  return static_cast<std::uint8_t>(*Take(1));
}

bool TBinaryReader::ReadBool()
{
  return ReadByte() != 0;
}

std::int16_t TBinaryReader::ReadInt16()
{
  return qFromLittleEndian<qint16>(Take(2));
}

std::uint16_t TBinaryReader::ReadUInt16()
{
  return qFromLittleEndian<quint16>(Take(2));
}

std::int32_t TBinaryReader::ReadInt32()
{
  return qFromLittleEndian<qint32>(Take(4));
}

std::uint32_t TBinaryReader::ReadUInt32()
{
  return qFromLittleEndian<quint32>(Take(4));
}

float TBinaryReader::ReadFloat()
{
  const quint32 bits = qFromLittleEndian<quint32>(Take(4));
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

double TBinaryReader::ReadDouble()
{
  const quint64 bits = qFromLittleEndian<quint64>(Take(8));
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

QByteArray TBinaryReader::ReadBytes(qint64 count)
{
  const char* at = Take(count);
  return QByteArray(at, static_cast<qsizetype>(count));
}

QString TBinaryReader::ReadString()
{
  const qint32 n = ReadInt32();
  if (n <= 0) return QString();
  const char* at = Take(n);
  qsizetype length = 0;
  while (length < n && at[length] != '\0')
    ++length;
  return TStoredString::Decode(QByteArrayView(at, length));
}

QByteArray TBinaryReader::ReadBlock()
{
  const qint32 n = ReadInt32();
  if (n < 0) throw EStreamError(truncatedMessage_);
  return ReadBytes(n);
}
