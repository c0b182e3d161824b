#include "io/keyvaluetext.h"

#include <limits>

namespace {

QString Folded(QStringView text)
{
  return text.toString().toCaseFolded();
}

bool IsLineEnd(QChar c)
{
  return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

}  // namespace

TKeyValueText::TKeyValueText(QStringView text)
{
  TSection* current = nullptr;
  qsizetype start = 0;
  while (start < text.size()) {
    qsizetype end = start;
    while (end < text.size() && !IsLineEnd(text[end]))
      ++end;
    const QStringView line = text.sliced(start, end - start).trimmed();
    start = end + 1;
    if (line.isEmpty() || line.front() == QLatin1Char(';')) continue;
    if (line.front() == QLatin1Char('[')) {
      const qsizetype close = line.indexOf(QLatin1Char(']'));
      const QStringView name = (close < 0 ? line.sliced(1) : line.sliced(1, close - 1)).trimmed();
      const QString folded = Folded(name);
      if (index_.contains(folded)) {
        current = nullptr;  // a repeated section adds nothing to the first
        continue;
      }
      index_.insert(folded, sections_.size());
      sections_.push_back({name.toString(), {}, {}});
      current = &sections_.back();
      continue;
    }
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (!current || equals < 0) continue;
    const QStringView key = line.first(equals).trimmed();
    const QString folded = Folded(key);
    if (current->Values.contains(folded)) continue;
    current->Values.insert(folded, line.sliced(equals + 1).trimmed().toString());
    current->Keys.append(key.toString());
  }
}

const TKeyValueText::TSection* TKeyValueText::Find(QStringView section) const
{
  const auto found = index_.constFind(Folded(section));
  return found == index_.constEnd() ? nullptr : &sections_[*found];
}

bool TKeyValueText::HasSection(QStringView section) const
{
  return Find(section) != nullptr;
}

std::optional<QString> TKeyValueText::Value(QStringView section, QStringView key) const
{
  const TSection* found = Find(section);
  if (!found) return std::nullopt;
  const auto value = found->Values.constFind(Folded(key));
  if (value == found->Values.constEnd()) return std::nullopt;
  return *value;
}

std::optional<qint64> TKeyValueText::Integer(QStringView section, QStringView key) const
{
  const std::optional<QString> value = Value(section, key);
  return value ? ParseInteger(*value) : std::nullopt;
}

QStringList TKeyValueText::SectionNames() const
{
  QStringList names;
  names.reserve(static_cast<qsizetype>(sections_.size()));
  for (const TSection& section : sections_)
    names.append(section.Name);
  return names;
}

QStringList TKeyValueText::Keys(QStringView section) const
{
  const TSection* found = Find(section);
  return found ? found->Keys : QStringList();
}

std::optional<qint64> TKeyValueText::ParseInteger(QStringView text)
{
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
    negative = text[i++] == QLatin1Char('-');
  if (i == text.size()) return std::nullopt;
  // Accumulated negatively, so that the lowest 64-bit value reads too.
  constexpr qint64 kLowest = std::numeric_limits<qint64>::min();
  qint64 value = 0;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    const int digit = c.unicode() - '0';
    if (value < (kLowest + digit) / 10) return std::nullopt;
    value = value * 10 - digit;
  }
  if (negative) return value;
  if (value == kLowest) return std::nullopt;
  return -value;
}

std::optional<qint64> TKeyValueText::NumberAfter(QStringView name, QStringView prefix)
{
  if (name.size() <= prefix.size() || !name.startsWith(prefix, Qt::CaseInsensitive))
    return std::nullopt;
  const QStringView digits = name.sliced(prefix.size());
  if (digits.size() > 1 && digits.front() == QLatin1Char('0')) return std::nullopt;
  if (digits.front() == QLatin1Char('-') || digits.front() == QLatin1Char('+')) return std::nullopt;
  return ParseInteger(digits);
}
