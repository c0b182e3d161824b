#include "render/text/textlayout.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <QTextDocument>

#include "platform/text/rtfreader.h"
#include "render/text/textmeasurer.h"

namespace {

constexpr double kD = TTextMeasurer::kPixelsPerInch;

struct TLines {
  std::vector<TTextParagraph> Paragraphs;
  std::vector<TTextLine> Lines;
  std::vector<QString> Text;  // the characters of each line
  std::vector<std::vector<TTextCharacter>> Chars;
};

TLines Split(const TTextLayout& layout)
{
  TLines out;
  for (const TTextLayoutEntry& e : layout.Entries()) {
    if (const auto* p = std::get_if<TTextParagraph>(&e)) {
      out.Paragraphs.push_back(*p);
    } else if (const auto* l = std::get_if<TTextLine>(&e)) {
      out.Lines.push_back(*l);
      out.Text.emplace_back();
      out.Chars.emplace_back();
    } else if (const auto* c = std::get_if<TTextCharacter>(&e)) {
      out.Text.back() += QString::fromUcs4(&c->Char, 1);
      out.Chars.back().push_back(*c);
    }
  }
  return out;
}

QByteArray Rtf(const char* body)
{
  return QByteArray(
             "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
             "{\\colortbl ;\\red255\\green0\\blue0;}\\f0\\fs20 ") +
         body + "}";
}

const char* const kLong =
    "The quick brown fox jumps over the lazy dog while the cat watches from the wall";

}  // namespace

TEST(TextLayout, EmptyTextGivesAnEmptyLayout)
{
  TTextLayout layout;
  layout.Add(TTextParagraph{});
  EXPECT_EQ(BuildTextLayout(QByteArray(), 100, layout), TTextExtent{});
  EXPECT_TRUE(layout.Empty());
  EXPECT_EQ(BuildTextLayout("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\fs40\\par}", 100, layout),
            TTextExtent{});
  EXPECT_TRUE(layout.Empty());
  // Empty paragraphs after a first one still take their height, without characters.
  const TTextExtent e = BuildTextLayout(Rtf("\\par\\par"), 100, layout);
  const TLines lines = Split(layout);
  ASSERT_EQ(lines.Lines.size(), 2u);
  EXPECT_GT(e.Height, 0.0);
  EXPECT_TRUE(lines.Text[0].isEmpty() && lines.Text[1].isEmpty());
  FreeTextLayout(layout);
  EXPECT_TRUE(layout.Empty());
}

TEST(TextLayout, EntriesAndExtentFollowTheText)
{
  TTextLayout layout;
  const TTextExtent e = BuildTextLayout(
      Rtf("\\qc One \\b bold\\b0\\par\\pard\\qr\\cf1\\f1\\fs40 Big\\tab x"), 1000, layout);
  ASSERT_FALSE(layout.Empty());
  EXPECT_TRUE(std::holds_alternative<TTextParagraph>(layout.Entries()[0]));
  EXPECT_TRUE(std::holds_alternative<TTextLine>(layout.Entries()[1]));
  const TLines l = Split(layout);
  ASSERT_EQ(l.Paragraphs.size(), 2u);
  ASSERT_EQ(l.Lines.size(), 2u);
  EXPECT_EQ(l.Paragraphs[0].Alignment, 2);
  EXPECT_EQ(l.Paragraphs[1].Alignment, 1);
  EXPECT_EQ(l.Text[0], QStringLiteral("One bold"));
  EXPECT_EQ(l.Text[1], QStringLiteral("Big\tx"));
  EXPECT_EQ(l.Lines[0].CharCount, 8);

  // Attributes: 10 point is 13 pixels at 96 per inch, 20 point 27; sizes are negative heights.
  const TTextCharacter& o = l.Chars[0][0];
  EXPECT_EQ(o.FontName, QStringLiteral("Arial"));
  EXPECT_DOUBLE_EQ(o.Size, -13.0 / kD);
  EXPECT_EQ(o.Weight, 400);
  EXPECT_EQ(o.Style, 0);
  EXPECT_EQ(o.Color, colors::Black);
  const TTextCharacter& b = l.Chars[0][4];
  EXPECT_EQ(b.Weight, 700);
  EXPECT_EQ(b.Style, kStyleBold);
  const TTextCharacter& big = l.Chars[1][0];
  EXPECT_EQ(big.FontName, QStringLiteral("Times New Roman"));
  EXPECT_DOUBLE_EQ(big.Size, -27.0 / kD);
  EXPECT_EQ(big.Color, MakeColorRef(255, 0, 0));
  EXPECT_DOUBLE_EQ(l.Chars[1][3].Width, TTextMeasurer::kTabWidth);

  // Widths are the fonts' advances; a line is as high as its tallest font.
  QFont arial(QStringLiteral("Arial"));
  arial.setPixelSize(13);
  arial.setHintingPreference(QFont::PreferNoHinting);
  EXPECT_NEAR(o.Width, QFontMetricsF(arial).horizontalAdvance(QLatin1Char('O')) / kD, 1e-9);
  double sum = 0;
  for (const TTextCharacter& c : l.Chars[1])
    sum += c.Width;
  EXPECT_NEAR(l.Lines[1].Width, sum, 1e-12);
  EXPECT_GT(l.Lines[1].Height, l.Lines[0].Height);
  EXPECT_GE(l.Lines[1].Descent, l.Lines[0].Descent);
  EXPECT_NEAR(e.Width, std::max(l.Lines[0].Width, l.Lines[1].Width) + 5.0 / kD, 1e-12);
  EXPECT_NEAR(e.Height, l.Lines[0].Height + l.Lines[1].Height, 1e-12);
  EXPECT_NEAR(layout.TotalHeight(), e.Height, 1e-12);
}

TEST(TextLayout, WrapsAtWordsWithinTheControlWidth)
{
  TTextLayout layout;
  const int width = 150;
  BuildTextLayout(Rtf(kLong), width, layout);
  const TLines l = Split(layout);
  ASSERT_GE(l.Lines.size(), 3u);
  ASSERT_EQ(l.Paragraphs.size(), 1u);  // wrapped lines belong to one paragraph
  QString rebuilt;
  for (std::size_t i = 0; i < l.Lines.size(); ++i) {
    EXPECT_LE(l.Lines[i].Width * kD, width + 1e-6) << i;
    // A wrapped line visits its trailing space but neither lists nor measures it.
    const bool last = i + 1 == l.Lines.size();
    EXPECT_EQ(l.Lines[i].CharCount, l.Text[i].size() + (last ? 0 : 1)) << i;
    EXPECT_FALSE(l.Text[i].endsWith(QLatin1Char(' '))) << i;
    rebuilt += l.Text[i] + (last ? QString() : QStringLiteral(" "));
  }
  EXPECT_EQ(rebuilt, QString::fromLatin1(kLong));

  // The first line measures the same with or without the space that ends it.
  TTextLayout alone;
  BuildTextLayout(Rtf(l.Text[0].toLatin1().constData()), 1000, alone);
  EXPECT_DOUBLE_EQ(Split(alone).Lines[0].Width, l.Lines[0].Width);

  // A word longer than the line is broken where it no longer fits.
  BuildTextLayout(Rtf("Incomprehensibilities"), 40, layout);
  EXPECT_GT(Split(layout).Lines.size(), 1u);
  // A line break inside a paragraph starts a new line of the same paragraph.
  BuildTextLayout(Rtf("one\\line two"), 1000, layout);
  const TLines broken = Split(layout);
  EXPECT_EQ(broken.Paragraphs.size(), 1u);
  ASSERT_EQ(broken.Text.size(), 2u);
  EXPECT_EQ(broken.Text[0], QStringLiteral("one"));
  EXPECT_EQ(broken.Lines[0].CharCount, 4);
}

TEST(TextLayout, IndentsNarrowTheLinesTheyApplyTo)
{
  TTextLayout plain;
  TTextLayout indented;
  TTextLayout bulleted;
  BuildTextLayout(Rtf(kLong), 200, plain);
  BuildTextLayout(Rtf((std::string("\\fi480\\li960 ") + kLong).c_str()), 200, indented);
  BuildTextLayout(Rtf((std::string("{\\*\\pn\\pnlvlblt}\\fi-720\\li720 ") + kLong).c_str()), 200,
                  bulleted);
  const TLines p = Split(plain);
  const TLines i = Split(indented);
  const TLines b = Split(bulleted);
  // First indent is where the first line starts, left indent what the others add to it.
  EXPECT_DOUBLE_EQ(i.Paragraphs[0].FirstIndent, 1440.0 / 1440.0);
  EXPECT_DOUBLE_EQ(i.Paragraphs[0].LeftIndent, -480.0 / 1440.0);
  EXPECT_EQ(b.Paragraphs[0].Bullet, 1);
  EXPECT_DOUBLE_EQ(b.Paragraphs[0].FirstIndent, 0.0);
  EXPECT_DOUBLE_EQ(b.Paragraphs[0].LeftIndent, 0.5);
  // 96 of 200 pixels are lost to the first line, 64 to the others.
  EXPECT_LE(i.Lines[0].Width * kD, 200 - 96 + 1e-6);
  for (std::size_t n = 1; n < i.Lines.size(); ++n)
    EXPECT_LE(i.Lines[n].Width * kD, 200 - 64 + 1e-6);
  EXPECT_GT(i.Lines.size(), p.Lines.size());
  // Bulleted text sits at the left indent on every line, the first included.
  for (const TTextLine& line : b.Lines)
    EXPECT_LE(line.Width * kD, 200 - 48 + 1e-6);
  EXPECT_LT(b.Text[0].size(), p.Text[0].size());
}

TEST(TextLayout, ControlWidths)
{
  EXPECT_EQ(TTextMeasurer::ObjectControlWidth(1.0, 0.8), 77 + 10);  // 76.8 rounds to 77
  EXPECT_EQ(TTextMeasurer::ObjectControlWidth(0.5, 0.5), 24 + 10);
  EXPECT_EQ(TTextMeasurer::ArrowControlWidth(2.5), 192);
}
