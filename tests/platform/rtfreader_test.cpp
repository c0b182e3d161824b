#include "platform/text/rtfreader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextDocument>

#include "platform/richtextdump.h"
#include "testsupport.h"

namespace {

QByteArray Sample(const char* name)
{
  QFile file(testsupport::DataPath(QStringLiteral("rtf/") + QLatin1String(name)));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  return file.readAll();
}

std::string Read(const QByteArray& rtf)
{
  QTextDocument document;
  TRtfReader::Read(rtf, document);
  return testsupport::Dump(document);
}

std::string Text(const QByteArray& rtf)
{
  return TRtfReader::PlainText(rtf).toStdString();
}

}  // namespace

TEST(RtfReader, ReadsRichEditSampleIntoAttributes)
{
  EXPECT_EQ(Read(Sample("wordpad.rtf")),
            "<C>{Arial 16 b #ff0000}Café Title\n"
            "<L fi360 li360>{Arial 10}Plain {Arial 10 b}bold{Arial 10} {Arial 10 i}italic"
            "{Arial 10} {Arial 10 u}underline{Arial 10} {Arial 10 s}struck{Arial 10} "
            "{Arial 10 #008000}green{Arial 10} {Times New Roman 12}Times 12\n"
            "<R>{Arial 10}Right €uro and 中文 ok\n"
            "<L * fi-720 li720>{Arial 10}First bullet\n"
            "<L * fi-720 li720>{Arial 10}Second bullet\n"
            "<L>{Arial 10}tab\\there\\nnext line\n"
            "<L>{Arial CYR 10}Привет{Arial 10} {braces} and \\backslash\n");
}

TEST(RtfReader, ReadsWordProcessorSamples)
{
  // Style sheets, list tables, document information, fields, bookmarks, pictures and theme
  // data are skipped; list paragraphs with a bullet in their list text are bulleted, numbered
  // ones are not; the padding after the document is ignored.
  EXPECT_EQ(Read(Sample("word.rtf")),
            "<C>{Arial 16 b}Quarterly Review\n"
            "<L fi720>{Times New Roman 12}The team’s results were {Times New Roman 12 b}good"
            "{Times New Roman 12} — see {Times New Roman 12 u #0000ff}the report"
            "{Times New Roman 12} for “details”.\n"
            "<L * fi-360 li720>{Times New Roman 12 #ff0000}Red item\n"
            "<L * fi-360 li720>{Times New Roman 12 i s}Struck italic item\n"
            "<L fi-360 li720>{Times New Roman 12}Numbered item\n"
            "<R>{Verdana 10 u}Verdana 10{Times New Roman 12}\\t{MS Gothic 12}あい"
            "{Times New Roman 12}うえ\n");
  EXPECT_EQ(Read(Sample("libreoffice.rtf")),
            "<C>{Liberation Sans 14 b #c9211e}Shopping list\n"
            "<L * fi-360 li720>{Liberation Serif 12}Bread and butter for the whole week\n"
            "<L * fi-360 li720>{Liberation Serif 12 i #3465a4}Tea – green{Liberation Serif 12} and "
            "{Liberation Serif 12 u}black\n"
            "<J fi567>{Liberation Serif 12}Justified paragraph with 中文 and a smile 😀\n");
}

TEST(RtfReader, DecodesBytesInTheNamedCodePage)
{
  // The document's code page, a font's character set, the Mac set and raw 8-bit bytes.
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\'cf\\'f0\\'e8}"), "При");
  EXPECT_EQ(Text("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset238 Arial CE;}}\\f0 \\'b9\\'9c}"), "ąś");
  EXPECT_EQ(Text("{\\rtf1\\mac caf\\'8e}"), "café");
  EXPECT_EQ(Text("{\\rtf1\\ansi caf\xe9 \x80}"), "café €");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg99999 \\'80}"), "€");  // unknown pages read as 1252
  EXPECT_EQ(Text("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0\\'93\\'fa\\'96\\'7b}"),
            "日本");
  EXPECT_EQ(Text("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0\\'93\\'fa\\'96{\\b x}}"),
            "日x");  // a lead byte without its trail
  // Symbol fonts keep their byte values as characters.
  EXPECT_EQ(Read("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\\f1\\'b7\\'a5}"),
            "<L>{Symbol 12}\u00B7\u00A5\n");
  // Font names in another code page or written with \u.
  EXPECT_EQ(Read("{\\rtf1{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}x}"),
            "<L>{Ариал 12}x\n");
  EXPECT_EQ(Read("{\\rtf1{\\fonttbl{\\f0 \\u23435?\\u20307?A;}}x}"), "<L>{宋体A 12}x\n");
}

TEST(RtfReader, ReadsUnicodeEscapesWithTheirFallbacks)
{
  EXPECT_EQ(Text("{\\rtf1 \\u8364\\'80 x}"), "€ x");
  EXPECT_EQ(Text("{\\rtf1\\uc0 \\u8364 x}"), "€x");
  EXPECT_EQ(Text("{\\rtf1\\uc2 \\u8364 abc}"), "€c");
  EXPECT_EQ(Text("{\\rtf1\\uc2 \\u8364\\'80\\'81c}"), "€c");
  // \uc is scoped by groups, and a group boundary ends a fallback.
  EXPECT_EQ(Text("{\\rtf1{\\uc2\\u4660 xx}\\u4661 yz}"), "\u1234\u1235z");
  EXPECT_EQ(Text("{\\rtf1{\\uc5\\u8364}abc}"), "€abc");
  // Negative numbers stand for code points above 32767; pairs of halves join.
  EXPECT_EQ(Text("{\\rtf1 \\u-3913?}"), "\uF0B7");
  EXPECT_EQ(Text("{\\rtf1 \\u-10179?\\u-8704?!}"), "😀!");
  // Lone halves and numbers outside 16 bits become U+FFFD.
  EXPECT_EQ(Text("{\\rtf1 \\u-10179?a\\u-8704?b\\u70000?c\\u-40000?}"),
            "\uFFFDa\uFFFDb\uFFFDc\uFFFD");
}

TEST(RtfReader, SkipsDestinationsAndUnknownWordsSafely)
{
  EXPECT_EQ(Text("{\\rtf1 a{\\*\\unknown text {nested {deeper}} more}b}"), "ab");
  EXPECT_EQ(Text("{\\rtf1 a{\\unknownword shown}b\\alsounknown42 c}"), "ashownbc");
  EXPECT_EQ(Text("{\\rtf1 a{\\info{\\title T}{\\author A}}b{\\pict\\pngblip 89504e47}c}"), "abc");
  EXPECT_EQ(Text("{\\rtf1 a\\bin5 {}\\}}b}"), "ab");  // binary data may hold anything
  EXPECT_EQ(Text("{\\rtf1 a{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}b}"), "alinkb");
  EXPECT_EQ(Text("{\\rtf1 a{\\v hidden}b}"), "ab");
  EXPECT_EQ(Text("{\\rtf1 a\\~b\\_c\\-d\\emdash\\endash\\bullet\\lquote\\rquote}"),
            "a\u00A0b\u2011cd—–•‘’");
  EXPECT_EQ(Text("{\\rtf1 one\\\ntwo\\\r\nthree}"), "one\ntwo\nthree");  // "\" + line end
  EXPECT_EQ(Text("{\\rtf1 a}trailing {\\b bytes}"), "a");
  EXPECT_EQ(Text("{\\rtf1 a\\cell b\\row c\\sect d\\page e}"), "a\tb\nc\nd\ne");
}

TEST(RtfReader, ParagraphMarksAndScopes)
{
  // A mark at the very end closes the last paragraph; a second one makes an empty paragraph,
  // which keeps the format of its mark.
  EXPECT_EQ(Read("{\\rtf1 a\\par}"), "<L>{Arial 12}a\n");
  EXPECT_EQ(Read("{\\rtf1 a\\par\\fs40\\par}"), "<L>{Arial 12}a\n<L>{Arial 20}\n");
  EXPECT_EQ(Read("{\\rtf1 a\\par b}"), "<L>{Arial 12}a\n<L>{Arial 12}b\n");
  EXPECT_EQ(Read("{\\rtf1 }"), "<L>{Arial 12}\n");
  // Paragraph properties hold until \pard, character properties until \plain or the group's
  // end, and a paragraph takes the properties in force at its mark.
  EXPECT_EQ(Read("{\\rtf1\\qc\\b a\\par b\\pard\\plain c\\par{\\qr\\i d}e\\par}"),
            "<C>{Arial 12 b}a\n<L>{Arial 12 b}b{Arial 12}c\n<L>{Arial 12 i}d{Arial 12}e\n");
  // Font tables without braces and with a missing ";", automatic and unknown colours.
  EXPECT_EQ(Read("{\\rtf1\\deff1{\\fonttbl\\f0\\froman Times;\\f1\\fswiss Helvetica}"
                 "{\\colortbl;\\red1\\green2\\blue3;}a\\f0 b\\f7 c\\cf1 d\\cf9 e\\cf0 f}"),
            "<L>{Helvetica 12}a{Times 12}b{Helvetica 12}c{Helvetica 12 #010203}d"
            "{Helvetica 12}ef\n");
  // Numbering groups set bullets for their paragraph only when they are bullets.
  EXPECT_EQ(Read("{\\rtf1{\\*\\pn\\pnlvlbody\\pndec}a\\par{\\*\\pn\\pnlvlblt}b\\par\\pard c}"),
            "<L>{Arial 12}a\n<L *>{Arial 12}b\n<L>{Arial 12}c\n");
}

TEST(RtfReader, ReadsOtherBytesAsPlainText)
{
  EXPECT_EQ(Read(""), "<L>{Arial 12}\n");
  EXPECT_EQ(Read("line one\r\nline\ttwo\rthree\n"),
            "<L>{Arial 12}line one\n<L>{Arial 12}line\\ttwo\n<L>{Arial 12}three\n<L>{Arial 12}\n");
  EXPECT_EQ(Text("caf\xc3\xa9"), "café");  // UTF-8 when it is valid
  EXPECT_EQ(Text("caf\xe9"), "café");      // else Windows-1252
  EXPECT_EQ(Text("  \r\n{\\rtf1 rich}"), "rich");
  EXPECT_EQ(Text("\xEF\xBB\xBF{\\rtf1 rich}"), "rich");
}
