// Readable dump of a rich-text document for comparisons in tests: one line per paragraph,
// "<alignment bullet indents>" followed by "{font size styles colour}text" runs.
#pragma once

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <string>

#include "platform/rounding.h"
#include "platform/text/richtext.h"

namespace testsupport {

inline std::string DumpFormat(const QTextCharFormat& f, const QFont& fallback)
{
  QString s = QLatin1Char('{') + richtext::FamilyOf(f, fallback) + QLatin1Char(' ') +
              QString::number(richtext::PointSizeOf(f, fallback));
  if (richtext::IsBold(f)) s += QLatin1String(" b");
  if (f.fontItalic()) s += QLatin1String(" i");
  if (f.fontUnderline()) s += QLatin1String(" u");
  if (f.fontStrikeOut()) s += QLatin1String(" s");
  if (const auto c = richtext::ColorOf(f))
    s += QStringLiteral(" #%1%2%3")
             .arg(RedOf(*c), 2, 16, QLatin1Char('0'))
             .arg(GreenOf(*c), 2, 16, QLatin1Char('0'))
             .arg(BlueOf(*c), 2, 16, QLatin1Char('0'));
  return (s + QLatin1Char('}')).toStdString();
}

inline std::string Dump(const QTextDocument& document)
{
  std::string out;
  const QFont fallback = document.defaultFont();
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
    const QTextBlockFormat bf = b.blockFormat();
    out += '<';
    out += "LRCJ"[static_cast<int>(richtext::AlignmentOf(bf))];
    if (richtext::IsBulleted(b)) out += " *";
    const auto twips = [](double px) { return RoundHalfEven(px * richtext::kTwipsPerPixel); };
    if (twips(bf.textIndent()) != 0) out += " fi" + std::to_string(twips(bf.textIndent()));
    if (twips(bf.leftMargin()) != 0) out += " li" + std::to_string(twips(bf.leftMargin()));
    if (twips(bf.rightMargin()) != 0) out += " ri" + std::to_string(twips(bf.rightMargin()));
    out += '>';
    if (b.begin().atEnd()) out += DumpFormat(b.charFormat(), fallback);
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      QString text = it.fragment().text();
      text.replace(QChar::LineSeparator, QLatin1String("\\n"));
      text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
      out += DumpFormat(it.fragment().charFormat(), fallback) + text.toStdString();
    }
    out += '\n';
  }
  return out;
}

}  // namespace testsupport
