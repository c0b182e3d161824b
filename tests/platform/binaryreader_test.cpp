#include <gtest/gtest.h>

#include "platform/binaryreader.h"
#include "platform/binarywriter.h"
#include "platform/streamerror.h"

TEST(BinaryStreams, RoundTripLittleEndian)
{
  QByteArray bytes;
  TBinaryWriter writer(bytes);
  writer.WriteByte(0xAB);
  writer.WriteInt16(-2);
  writer.WriteInt32(0x01020304);
  writer.WriteFloat(1.5f);
  writer.WriteDouble(2.01);
  writer.WriteBool(true);
  ASSERT_EQ(bytes.size(), 1 + 2 + 4 + 4 + 8 + 1);
  EXPECT_EQ(static_cast<unsigned char>(bytes[3]), 0x04);  // least significant byte first
  EXPECT_EQ(bytes.mid(11, 8), QByteArray::fromHex("14AE47E17A140040"));

  TBinaryReader reader(bytes);
  EXPECT_EQ(reader.ReadByte(), 0xAB);
  EXPECT_EQ(reader.ReadInt16(), -2);
  EXPECT_EQ(reader.ReadInt32(), 0x01020304);
  EXPECT_EQ(reader.ReadFloat(), 1.5f);
  EXPECT_EQ(reader.ReadDouble(), 2.01);
  EXPECT_TRUE(reader.ReadBool());
  EXPECT_TRUE(reader.AtEnd());
}

TEST(BinaryStreams, ReadsPastTheEndFailWithTheMessage)
{
  const QByteArray bytes = QByteArray::fromHex("010203");
  TBinaryReader reader(bytes);
  reader.SetTruncatedMessage(QStringLiteral("Unable to load model"));
  EXPECT_THROW(reader.ReadInt32(), EStreamError);
  EXPECT_EQ(reader.Position(), 0);  // a failed read consumes nothing
  EXPECT_THROW(reader.ReadBytes(-1), EStreamError);
  EXPECT_THROW(reader.ReadBytes(2000000000), EStreamError);
  EXPECT_EQ(reader.ReadBytes(3), bytes);
  try {
    reader.ReadByte();
    FAIL() << "no exception";
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Unable to load model"));
  }
  EXPECT_THROW(reader.Seek(4), EStreamError);
}
