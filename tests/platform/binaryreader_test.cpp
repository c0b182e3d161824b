#include <gtest/gtest.h>

#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "platform/streams/streamerror.h"

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

TEST(BinaryStreams, StringsAreWindows1252OrMarkedUtf8WithATrailingZero)
{
  QByteArray bytes;
  TBinaryWriter writer(bytes);
  writer.WriteString(QString());
  writer.WriteString(QStringLiteral("Caf\u00e9 \u20ac"));
  writer.WriteString(QStringLiteral("\u4e2d"));  // not in the code page: UTF-8 after the mark
  // Code-page text that begins like the mark must not read back as UTF-8.
  writer.WriteString(QStringLiteral("\u00ef\u00bb\u00bfx"));
  writer.WriteBlock(QByteArray("\x01\x02", 2));
  EXPECT_EQ(bytes.left(4), QByteArray(4, '\0'));
  EXPECT_EQ(bytes.mid(4, 4), QByteArray::fromHex("07000000"));
  EXPECT_EQ(bytes.mid(8, 7), QByteArray("Caf\xe9 \x80\0", 7));
  EXPECT_EQ(bytes.mid(15, 11), QByteArray::fromHex("07000000EFBBBFE4B8AD00"));

  TBinaryReader reader(bytes);
  EXPECT_EQ(reader.ReadString(), QString());
  EXPECT_EQ(reader.ReadString(), QStringLiteral("Caf\u00e9 \u20ac"));
  EXPECT_EQ(reader.ReadString(), QStringLiteral("\u4e2d"));
  EXPECT_EQ(reader.ReadString(), QStringLiteral("\u00ef\u00bb\u00bfx"));
  EXPECT_EQ(reader.ReadBlock(), QByteArray("\x01\x02", 2));
  EXPECT_TRUE(reader.AtEnd());

  // A string without a zero byte is taken whole; a negative length is the empty string.
  const QByteArray unterminated =
      QByteArray::fromHex("03000000414243") + QByteArray::fromHex("FFFFFFFF");
  TBinaryReader second(unterminated);
  EXPECT_EQ(second.ReadString(), QStringLiteral("ABC"));
  EXPECT_EQ(second.ReadString(), QString());
  // A block whose length runs past the end fails instead of allocating.
  const QByteArray huge = QByteArray::fromHex("FFFFFF7F00");
  TBinaryReader third(huge);
  EXPECT_THROW(third.ReadBlock(), EStreamError);
}

TEST(BinaryStreams, AReaderKeepsItsBytesWhenTheCallersGo)
{
  QByteArray bytes = QByteArray::fromHex("2A000000");
  TBinaryReader reader(bytes);
  bytes.clear();
  EXPECT_EQ(reader.ReadInt32(), 42);
  TBinaryReader fromTemporary(QByteArray::fromHex("04000000") + QByteArray("abc\0", 4) +
                              QByteArray::fromHex("07000000EFBBBF61D0B600"));
  EXPECT_EQ(fromTemporary.ReadString(), QStringLiteral("abc"));
  EXPECT_EQ(fromTemporary.ReadString(), QStringLiteral("a\u0436"));
}
