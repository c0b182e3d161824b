// Damaged and hostile rich text: the reader must end cleanly with a document no larger than
// its input, and what it reads must survive writing and reading again unchanged.
#include <gtest/gtest.h>

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <random>

#include "platform/richtextdump.h"
#include "platform/text/rtfreader.h"
#include "platform/text/rtfwriter.h"
#include "testsupport.h"

namespace {

// Reads the bytes and checks the bounds every input must keep; returns the document's dump.
std::string ReadBounded(const QByteArray& bytes)
{
  QTextDocument document;
  TRtfReader::Read(bytes, document);
  // Every character and every paragraph mark costs at least one byte of input.
  EXPECT_LE(document.characterCount(), bytes.size() + 1);
  EXPECT_LE(document.blockCount(), bytes.size() / 2 + 1);
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      EXPECT_LE(it.fragment().charFormat().fontPointSize(), 1638.0);
  return testsupport::Dump(document);
}

void ExpectStableRoundTrip(const QByteArray& bytes)
{
  QTextDocument document;
  TRtfReader::Read(bytes, document);
  QTextDocument again;
  TRtfReader::Read(TRtfWriter::Write(document), again);
  ASSERT_EQ(testsupport::Dump(again), testsupport::Dump(document)) << bytes.toStdString();
}

QByteArray Sample(const char* name)
{
  QFile file(testsupport::DataPath(QStringLiteral("rtf/") + QLatin1String(name)));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return file.readAll();
}

}  // namespace

TEST(RtfMalformed, DamagedInputReadsWhatIsThere)
{
  EXPECT_EQ(ReadBounded("{\\rtf1 {\\b bold"), "<L>{Arial 12 b}bold\n");  // unbalanced
  EXPECT_EQ(ReadBounded("{\\rtf1 a}}}}}b"), "<L>{Arial 12}a\n");
  EXPECT_EQ(ReadBounded("{\\rtf1 \\fs999999999999999999 big}"), "<L>{Arial 1638}big\n");
  EXPECT_EQ(ReadBounded("{\\rtf1 \\fs-5 x\\fs0 y}"), "<L>{Arial 12}xy\n");
  EXPECT_EQ(ReadBounded("{\\rtf1 \\fi-99999999\\li99999999 x}"),
            "<L fi-31680 li31680>{Arial 12}x\n");
  // A damaged hex escape stands for nothing and what follows it reads as text.
  EXPECT_EQ(ReadBounded("{\\rtf1 a\\'zzb\\'4}"), "<L>{Arial 12}azzb\n");
  EXPECT_EQ(ReadBounded("{\\rtf1 a\\'"), "<L>{Arial 12}a\n");
  // Binary lengths are bounded by the bytes present; negative ones skip nothing.
  EXPECT_EQ(ReadBounded("{\\rtf1 a\\bin99999999999999 xyz}"), "<L>{Arial 12}a\n");
  EXPECT_EQ(ReadBounded("{\\rtf1 a\\bin-5 xyz}"), "<L>{Arial 12}axyz\n");
  EXPECT_EQ(ReadBounded("{\\rtf1 a\\bin"), "<L>{Arial 12}a\n");
  // Over-long words and numbers, and endings in the middle of a control sequence.
  EXPECT_EQ(ReadBounded("{\\rtf1 a\\" + QByteArray(1000, 'b') + " c}"), "<L>{Arial 12}ac\n");
  EXPECT_EQ(ReadBounded("{\\rtf1 a\\b" + QByteArray(1000, '7') + " c}"),
            "<L>{Arial 12}a{Arial 12 b}c\n");
  EXPECT_EQ(ReadBounded("{\\rtf1\\uc999999999 \\u8364 abcdefghijklmnopqrstuvwxyz}"),
            "<L>{Arial 12}€qrstuvwxyz\n");
  for (const char* tail : {"\\", "\\u", "\\u-", "\\'4", "{\\*", "{\\*\\", "\\uc"})
    ReadBounded(QByteArray("{\\rtf1 a") + tail);
  static const char kControls[] =
      "{\\rtf1 a\0b\x01\x1f"
      "c\\u8233?\\u65532?\\u64976?d}";
  EXPECT_EQ(ReadBounded(QByteArray(kControls, sizeof kControls - 1)), "<L>{Arial 12}abcd\n");
}

TEST(RtfMalformed, NestingIsLimited)
{
  const int limit = TRtfReader::kMaxGroupDepth;
  // The document's group counts: text at the limit still shows, one level deeper does not, and
  // reading goes on normally once the deep groups close.
  const auto nested = [](int depth, const char* text) {
    return "{\\rtf1 a" + QByteArray(depth - 1, '{') + text + QByteArray(depth - 1, '}') + "b}";
  };
  EXPECT_EQ(ReadBounded(nested(limit, "x")), "<L>{Arial 12}axb\n");
  EXPECT_EQ(ReadBounded(nested(limit + 1, "x\\b\\fs80")), "<L>{Arial 12}ab\n");
  EXPECT_EQ(ReadBounded(nested(200000, "deep")), "<L>{Arial 12}ab\n");
  ReadBounded("{\\rtf1 " + QByteArray(200000, '{'));
  QByteArray groups = "{\\rtf1 ";
  for (int i = 0; i < 50000; ++i)
    groups += "{\\b\\*\\x{\\pn{\\fonttbl";
  ReadBounded(groups);
  // Many table entries cost input too.
  QByteArray fonts = "{\\rtf1{\\fonttbl";
  for (int i = 0; i < 20000; ++i)
    fonts += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
  EXPECT_EQ(ReadBounded(fonts + "}\\f19999 x}"), "<L>{F19999 12}x\n");
}

TEST(RtfMalformed, TruncatedAndMutatedSamplesStayBoundedAndStable)
{
  // Every truncation of a sample, and random damage to all of them, with a fixed seed.
  const QByteArray wordpad = Sample("wordpad.rtf");
  for (qsizetype n = 0; n <= wordpad.size(); ++n) {
    ReadBounded(wordpad.left(n));
    ExpectStableRoundTrip(wordpad.left(n));
  }
  std::mt19937 random(20240601);
  const QByteArray specials = "{}\\';*0123456789-";
  for (const char* name : {"wordpad.rtf", "word.rtf", "libreoffice.rtf"}) {
    const QByteArray sample = Sample(name);
    for (int round = 0; round < 150; ++round) {
      QByteArray bytes = sample;
      const int edits = 1 + static_cast<int>(random() % 8);
      for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
        const auto at = static_cast<qsizetype>(random() % bytes.size());
        switch (random() % 3) {
          case 0:
            bytes[at] = specials[random() % specials.size()];
            break;
          case 1:
            bytes[at] = static_cast<char>(random() % 256);
            break;
          default:
            bytes.remove(at, 1 + static_cast<qsizetype>(random() % 16));
            break;
        }
      }
      ReadBounded(bytes);
      ExpectStableRoundTrip(bytes);
    }
  }
}
