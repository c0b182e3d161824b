#include "platform/text/richtext.h"

#include <QBrush>
#include <QTextList>

namespace richtext {

QString DefaultFamily()
{
  return QStringLiteral("Arial");
}

QString FamilyOf(const QTextCharFormat& format, const QFont& fallback)
{
  const QStringList families = format.fontFamilies().toStringList();
  if (!families.isEmpty() && !families.front().isEmpty()) return families.front();
  const QString family = fallback.family();
  return family.isEmpty() ? DefaultFamily() : family;
}

double PointSizeOf(const QTextCharFormat& format, const QFont& fallback)
{
  const double size = format.fontPointSize();
  if (size > 0) return size;
  return fallback.pointSizeF() > 0 ? fallback.pointSizeF() : kDefaultPointSize;
}

bool IsBold(const QTextCharFormat& format)
{
  return format.fontWeight() > QFont::Medium;
}

std::optional<TColorRef> ColorOf(const QTextCharFormat& format)
{
  if (!format.hasProperty(QTextFormat::ForegroundBrush)) return std::nullopt;
  const QBrush brush = format.foreground();
  if (brush.style() == Qt::NoBrush) return std::nullopt;
  return FromQColor(brush.color());
}

TAlignment AlignmentOf(const QTextBlockFormat& format)
{
  const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
  if (horizontal & Qt::AlignJustify) return TAlignment::Justify;
  if (horizontal & Qt::AlignHCenter) return TAlignment::Centre;
  if (horizontal & (Qt::AlignRight | Qt::AlignTrailing)) return TAlignment::Right;
  return TAlignment::Left;
}

Qt::Alignment ToQtAlignment(TAlignment alignment)
{
  switch (alignment) {
    case TAlignment::Right:
      return Qt::AlignRight | Qt::AlignAbsolute;
    case TAlignment::Centre:
      return Qt::AlignHCenter;
    case TAlignment::Justify:
      return Qt::AlignJustify;
    case TAlignment::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignAbsolute;
}

bool IsBulleted(const QTextBlock& block)
{
  return block.textList() != nullptr;
}

QTextCharFormat NewTextFormat()
{
  QTextCharFormat format;
  format.setFontFamilies(QStringList{DefaultFamily()});
  format.setFontPointSize(8.0);
  format.setFontWeight(QFont::Normal);
  format.setFontItalic(false);
  format.setFontUnderline(false);
  format.setFontStrikeOut(false);
  return format;
}

}  // namespace richtext
