#include "app/settings/settingdef.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

QString FromView(std::string_view text)
{
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What the store held as text. Settings files turn an unquoted "a, b" into a list; a path
// written that way by hand comes back whole.
QString StoredText(const QVariant& stored)
{
  if (stored.typeId() == QMetaType::QStringList)
    return stored.toStringList().join(QStringLiteral(", "));
  if (stored.typeId() == QMetaType::QByteArray) return QString::fromUtf8(stored.toByteArray());
  return stored.toString();
}

std::optional<double> StoredNumber(const QVariant& stored)
{
  const QString text = StoredText(stored).trimmed();
  if (text.isEmpty() || text.size() > 64) return std::nullopt;
  bool ok = false;
  const qlonglong whole = text.toLongLong(&ok);
  if (ok) return static_cast<double>(whole);
  const double real = text.toDouble(&ok);
  if (!ok || std::isnan(real)) return std::nullopt;
  return real;
}

std::optional<bool> StoredBoolean(const QVariant& stored)
{
  const QString text = StoredText(stored).trimmed();
  if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
  if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
  // The registry kept booleans as integers.
  if (const std::optional<double> number = StoredNumber(stored)) return *number != 0.0;
  return std::nullopt;
}

QString WithoutTrailingSeparator(QString path)
{
  while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
    path.chop(1);
  return path;
}

}  // namespace

QString DocumentsFolder()
{
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  return QDir::cleanPath(folder);
}

QVariant TSettingDef::DefaultValue() const
{
  switch (Type) {
    case TSettingType::Boolean:
      return Default != 0.0;
    case TSettingType::Integer:
    case TSettingType::Code:
    case TSettingType::Colour:
      return static_cast<int>(Default);
    case TSettingType::Float:
      return Default;
    case TSettingType::Text:
      return FromView(TextDefault);
    case TSettingType::File:
    case TSettingType::Folder: {
      if (Series > 0) return QString();
      const QString documents = DocumentsFolder();
      return TextDefault.empty() ? documents : QDir(documents).filePath(FromView(TextDefault));
    }
    case TSettingType::Bytes:
      return QByteArray();
  }
  return {};
}

QVariant TSettingDef::Clamp(const QVariant& stored) const
{
  if (!stored.isValid()) return DefaultValue();
  switch (Type) {
    case TSettingType::Boolean: {
      const std::optional<bool> value = StoredBoolean(stored);
      return value ? QVariant(*value) : DefaultValue();
    }
    case TSettingType::Integer:
    case TSettingType::Float: {
      const std::optional<double> value = StoredNumber(stored);
      if (!value) return DefaultValue();
      // Infinities and values past the range take the nearest end of it.
      const double held = std::clamp(*value, Min, Max);
      if (Type == TSettingType::Float) return held;
      return static_cast<int>(std::lround(held));
    }
    case TSettingType::Code:
    case TSettingType::Colour: {
      const std::optional<double> value = StoredNumber(stored);
      if (!value || *value != std::floor(*value) || *value < Min || *value > Max)
        return DefaultValue();
      const int code = static_cast<int>(*value);
      if (Type == TSettingType::Code && !((Codes >> code) & 1u)) return DefaultValue();
      return code;
    }
    case TSettingType::Text: {
      const QString text = StoredText(stored);
      return text.size() > MaxLength ? DefaultValue() : QVariant(text);
    }
    case TSettingType::File:
    case TSettingType::Folder: {
      QString path = StoredText(stored);
      // A relative path would land in whatever folder the program was started from.
      if (path.size() > MaxLength || path.contains(QChar(0)) || !QDir::isAbsolutePath(path))
        return DefaultValue();
      if (Type == TSettingType::Folder) path = WithoutTrailingSeparator(path);
      return path;
    }
    case TSettingType::Bytes: {
      const QByteArray bytes = stored.toByteArray();
      return bytes.size() > MaxLength ? DefaultValue() : QVariant(bytes);
    }
  }
  return DefaultValue();
}

QString TSettingDef::Key(int number) const
{
  QString key = FromView(Name);
  if (number > 0) key += QString::number(number);
  return Group.empty() ? key : FromView(Group) + QLatin1Char('/') + key;
}
