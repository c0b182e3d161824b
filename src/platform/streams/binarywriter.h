// Appends little-endian values to a byte buffer in memory.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class TBinaryWriter {
 public:
  explicit TBinaryWriter(QByteArray& data) : data_(data) {}

  qsizetype Position() const { return data_.size(); }
  void WriteByte(std::uint8_t value);
  void WriteBool(bool value) { WriteByte(value ? 1 : 0); }
  void WriteInt16(std::int16_t value);
  void WriteUInt16(std::uint16_t value);
  void WriteInt32(std::int32_t value);
  void WriteUInt32(std::uint32_t value);
  void WriteFloat(float value);
  void WriteDouble(double value);
  void WriteBytes(const QByteArray& bytes) { data_.append(bytes); }
  // Length (bytes + 1), the stored characters (see TStoredString) and a zero byte; empty is
  // a bare 0.
  void WriteString(const QString& text);
  // Length, then the raw bytes.
  void WriteBlock(const QByteArray& bytes);
  // Overwrites four bytes already written, for lengths known only afterwards.
  void PatchInt32(qsizetype position, std::int32_t value);

 private:
  QByteArray& data_;
};
