// Feeds arbitrary bytes to the rich-text reader. Besides memory faults it checks the reader's
// promises: a document no larger than its input, and a write-then-read that changes nothing.
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

#include "fontconfigleaks.h"
#include "platform/richtext.h"
#include "platform/rtfreader.h"
#include "platform/rtfwriter.h"

namespace {

// What the reader promises to keep through a write and a read: every feature, as values.
QString Signature(const QTextDocument& document)
{
  const QFont fallback = document.defaultFont();
  QString s;
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
    const QTextBlockFormat p = b.blockFormat();
    s += QString::number(static_cast<int>(richtext::AlignmentOf(p))) +
         QLatin1Char(richtext::IsBulleted(b) ? '*' : '-') + QString::number(p.textIndent()) +
         QLatin1Char(',') + QString::number(p.leftMargin()) + QLatin1Char(',') +
         QString::number(p.rightMargin());
    const auto format = [&](const QTextCharFormat& f) {
      const auto color = richtext::ColorOf(f);
      return QLatin1Char('{') + richtext::FamilyOf(f, fallback) + QLatin1Char('/') +
             QString::number(richtext::PointSizeOf(f, fallback)) +
             QString::number(richtext::IsBold(f)) + QString::number(f.fontItalic()) +
             QString::number(f.fontUnderline()) + QString::number(f.fontStrikeOut()) +
             (color ? QString::number(*color) : QString()) + QLatin1Char('}');
    };
    if (b.begin().atEnd()) s += format(b.charFormat());
    for (auto it = b.begin(); !it.atEnd(); ++it)
      s += format(it.fragment().charFormat()) + it.fragment().text();
    s += QLatin1Char('\n');
  }
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QTextDocument document;
  TRtfReader::Read(bytes, document);
  if (document.characterCount() > bytes.size() + 1) std::abort();
  QTextDocument again;
  TRtfReader::Read(TRtfWriter::Write(document), again);
  if (Signature(again) != Signature(document)) std::abort();
  return 0;
}
