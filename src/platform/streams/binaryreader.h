// Reads little-endian values from bytes held in memory. Every read is checked against the
// bytes that remain, so damaged input ends in EStreamError instead of reading past the end.
// The reader holds its own (implicitly shared) copy of the bytes, so it may outlive them.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class TBinaryReader {
 public:
  explicit TBinaryReader(const QByteArray& data, qsizetype position = 0);

  qsizetype Position() const { return position_; }
  qsizetype Size() const { return data_.size(); }
  qsizetype Remaining() const { return data_.size() - position_; }
  bool AtEnd() const { return position_ >= data_.size(); }
  void Seek(qsizetype position);
  void Skip(qsizetype count);

  std::uint8_t ReadByte();
  bool ReadBool();
  std::int16_t ReadInt16();
  std::uint16_t ReadUInt16();
  std::int32_t ReadInt32();
  std::uint32_t ReadUInt32();
  float ReadFloat();
  double ReadDouble();
  // Reads exactly count bytes; a negative count or one past the end is an error.
  QByteArray ReadBytes(qint64 count);
  // A length-prefixed stored string: n <= 0 is empty, otherwise n bytes up to the first zero,
  // in Windows-1252 or, after the bytes EF BB BF, in UTF-8.
  QString ReadString();
  // A length-prefixed block of raw bytes.
  QByteArray ReadBlock();
  // Fails with the message unless count bytes remain.
  void Require(qint64 count) const;

  // Message used when the data ends early; callers may name what they were reading.
  void SetTruncatedMessage(const QString& message) { truncatedMessage_ = message; }

 private:
  const char* Take(qint64 count);

  const QByteArray data_;
  qsizetype position_;
  QString truncatedMessage_;
};
