#include "app/commands/numberinput.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

std::optional<double> TNumberInput::Decimal(const QString& text)
{
  const QString trimmed = text.trimmed();
  bool ok = false;
  double value = QLocale::c().toDouble(trimmed, &ok);
  if (!ok) value = QLocale().toDouble(trimmed, &ok);
  // "nan" and "inf" are read by the conversions but are no figure a user means.
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int64_t> TNumberInput::Integer(const QString& text)
{
  bool ok = false;
  const qlonglong value = text.trimmed().toLongLong(&ok);
  if (!ok) return std::nullopt;
  return static_cast<std::int64_t>(value);
}

double TNumberInput::Clamp(double value, const TNumberRange& range)
{
  if (std::isnan(value)) return range.Min;
  return std::clamp(value, range.Min, range.Max);
}

QString TNumberInput::NotADecimal(const QString& text)
{
  return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}
