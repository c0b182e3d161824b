// Text in sections of key-and-value lines, the layout of older model files:
//   [Section]
//   Key=Value
// Section names and keys compare without regard to case; a value is what follows the first
// "=", without the blanks round it; the first of repeated sections and keys wins; lines end in
// CRLF, LF or CR; other lines are skipped. Values are kept as written: commas and backslashes
// mean nothing here.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

class TKeyValueText {
 public:
  explicit TKeyValueText(QStringView text);

  bool HasSection(QStringView section) const;
  // The value, or none when the section or the key is missing.
  std::optional<QString> Value(QStringView section, QStringView key) const;
  // A decimal integer with an optional sign filling the whole value; none when the key is
  // missing or its value is no such number or does not fit in 64 bits.
  std::optional<qint64> Integer(QStringView section, QStringView key) const;

  // Section names and a section's keys as written, each once, in the order they first appear.
  QStringList SectionNames() const;
  QStringList Keys(QStringView section) const;

  // A whole decimal number without sign or leading zeros ("0" itself excepted) after a prefix
  // compared without regard to case, as in "COGI12" or "Text0"; none for anything else.
  static std::optional<qint64> NumberAfter(QStringView name, QStringView prefix);
  // The integer rule of Integer applied to any text.
  static std::optional<qint64> ParseInteger(QStringView text);

 private:
  struct TSection {
    QString Name;
    QStringList Keys;
    QHash<QString, QString> Values;  // by case-folded key
  };
  const TSection* Find(QStringView section) const;

  std::vector<TSection> sections_;
  QHash<QString, std::size_t> index_;  // by case-folded name
};
