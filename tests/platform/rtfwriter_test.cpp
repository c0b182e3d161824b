#include "platform/text/rtfwriter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "platform/richtextdump.h"
#include "platform/text/rtfreader.h"
#include "testsupport.h"

namespace {

std::string Dump(const QByteArray& rtf)
{
  QTextDocument document;
  TRtfReader::Read(rtf, document);
  return testsupport::Dump(document);
}

QTextCharFormat Format(const QString& family, double size, bool bold = false, bool italic = false,
                       bool underline = false, bool strike = false, QColor color = QColor())
{
  QTextCharFormat f;
  f.setFontFamilies(QStringList{family});
  f.setFontPointSize(size);
  f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(italic);
  f.setFontUnderline(underline);
  f.setFontStrikeOut(strike);
  if (color.isValid()) f.setForeground(color);
  return f;
}

QTextBlockFormat Paragraph(Qt::Alignment alignment, double first = 0, double left = 0,
                           double right = 0)
{
  QTextBlockFormat f;
  f.setAlignment(alignment);
  f.setTextIndent(first);
  f.setLeftMargin(left);
  f.setRightMargin(right);
  return f;
}

}  // namespace

TEST(RtfWriter, WriteThenReadIsTheIdentityOnSamples)
{
  for (const char* name : {"wordpad.rtf", "word.rtf", "libreoffice.rtf"}) {
    QFile file(testsupport::DataPath(QStringLiteral("rtf/") + QLatin1String(name)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    QTextDocument document;
    TRtfReader::Read(file.readAll(), document);
    const QByteArray written = TRtfWriter::Write(document);
    EXPECT_EQ(Dump(written), testsupport::Dump(document)) << name;
    // Writing what was read back gives the same bytes: nothing drifts from save to save.
    QTextDocument again;
    TRtfReader::Read(written, again);
    EXPECT_EQ(TRtfWriter::Write(again), written) << name;
  }
}

TEST(RtfWriter, WriteThenReadKeepsEveryFeature)
{
  QTextDocument document;
  QTextCursor c(&document);
  c.setBlockFormat(Paragraph(Qt::AlignHCenter));
  c.insertText(QStringLiteral("Title"), Format("Arial", 16, true, false, false, false, Qt::red));
  c.insertBlock(Paragraph(Qt::AlignLeft, 24, 24, 12));
  c.insertText(QStringLiteral("plain "), Format("Times New Roman", 10.5));
  c.insertText(QStringLiteral("b"), Format("Times New Roman", 10.5, true));
  c.insertText(QStringLiteral("i"), Format("Times New Roman", 10.5, false, true));
  c.insertText(QStringLiteral("u"), Format("Times New Roman", 10.5, false, false, true));
  c.insertText(QStringLiteral("s"), Format("Times New Roman", 10.5, false, false, false, true));
  c.insertText(QStringLiteral("5-9 "), Format("Times New Roman", 9));  // digits after a word
  c.insertText(QStringLiteral(" two spaces"), Format("Times New Roman", 9, true));
  c.insertBlock(Paragraph(Qt::AlignRight | Qt::AlignAbsolute));
  c.insertText(QStringLiteral("{braces} \\ back\tslash") + QChar(QChar::LineSeparator) +
                   QStringLiteral("café € Ω 中文 😀 \u00A0 \u0081"),
               Format("Verdana", 12, false, false, false, false, QColor(1, 2, 3)));
  c.insertBlock(Paragraph(Qt::AlignLeft, -48, 48));
  QTextListFormat bullets;
  bullets.setStyle(QTextListFormat::ListDisc);
  bullets.setIndent(0);
  c.createList(bullets);
  c.insertText(QStringLiteral("first bullet"), Format("Arial", 8));
  c.insertBlock(Paragraph(Qt::AlignLeft, -48, 48));
  document.lastBlock().previous().textList()->add(c.block());
  c.insertText(QStringLiteral("second bullet"), Format("Arial", 8));
  c.insertBlock(Paragraph(Qt::AlignJustify), Format("Arial", 20));  // an empty paragraph
  c.insertBlock(Paragraph(Qt::AlignLeft));
  c.insertText(QStringLiteral("symbol \u00B7\u00E5 and \u2022"), Format("Symbol", 12));

  const QByteArray rtf = TRtfWriter::Write(document);
  const std::string expected = testsupport::Dump(document);
  EXPECT_EQ(Dump(rtf), expected) << rtf.toStdString();
  EXPECT_NE(expected.find("<L * fi-720 li720>{Arial 8}second bullet"), std::string::npos);
  EXPECT_NE(expected.find("<J>{Arial 20}\n"), std::string::npos);

  // Standard and compact: Windows-1252 with \u for the rest, a "?" fallback for readers
  // without Unicode, only what is used in the tables, control words only where things change.
  EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
  EXPECT_NE(rtf.indexOf("caf\\'e9 \\'80 \\u937?"), -1);
  EXPECT_NE(rtf.indexOf("\\u-10179?\\u-8704?"), -1);
  EXPECT_NE(rtf.indexOf("\\{braces\\} \\\\ back\\tab slash\\line caf"), -1);
  EXPECT_NE(rtf.indexOf("\\pard\\qc\\fs32\\b\\cf1 Title\\par"), -1);
  EXPECT_NE(rtf.indexOf("\\fs18\\strike0 5-9 \\b  two spaces"), -1);
  EXPECT_NE(rtf.indexOf("{\\pntext\\f"), -1);
  EXPECT_EQ(rtf.count("\\pnlvlblt"), 1);
  EXPECT_EQ(rtf.count("\\pard"), 6);  // the two bullet paragraphs share one
  EXPECT_EQ(rtf.count("{\\colortbl ;\\red255\\green0\\blue0;\\red1\\green2\\blue3;}"), 1);
  EXPECT_EQ(rtf.count("Symbol;}"), 1);
}

TEST(RtfWriter, CentredTextWritesOneCentredParagraph)
{
  EXPECT_EQ(Dump(TRtfWriter::CentredText(QStringLiteral("report.doc"))),
            "<C>{Arial 8}report.doc\n");
  EXPECT_EQ(Dump(TRtfWriter::CentredText(QStringLiteral("{a} \\ b"))), "<C>{Arial 8}{a} \\ b\n");
  EXPECT_EQ(Dump(TRtfWriter::CentredText(QString())), "<C>{Arial 8}\n");
  EXPECT_EQ(Dump(TRtfWriter::CentredText(QStringLiteral("one\r\ntwo"))),
            "<C>{Arial 8}one\n<C>{Arial 8}two\n");
  QTextCharFormat thought = richtext::NewTextFormat();
  thought.setFontPointSize(11);
  thought.setForeground(QColor(0, 0, 255));
  EXPECT_EQ(Dump(TRtfWriter::CentredText(QStringLiteral("Think"), thought)),
            "<C>{Arial 11 #0000ff}Think\n");
}
