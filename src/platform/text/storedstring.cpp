#include "platform/text/storedstring.h"

#include <QList>

#include "platform/text/ansicodepage.h"

namespace {

constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

}  // namespace

QByteArray TStoredString::Encode(const QString& text)
{
  QByteArray bytes;
  bytes.reserve(text.size());
  for (const char32_t codePoint : text.toUcs4()) {
    const int b = TAnsiCodePage::ByteOf(codePoint);
    if (b < 0) return kUtf8Mark.toByteArray() + text.toUtf8();
    bytes.append(static_cast<char>(b));
  }
  // Code-page text that happens to begin like the mark ("ï»¿") would read back as UTF-8.
  if (bytes.startsWith(kUtf8Mark)) return kUtf8Mark.toByteArray() + text.toUtf8();
  return bytes;
}

QString TStoredString::Decode(QByteArrayView bytes)
{
  if (bytes.startsWith(kUtf8Mark)) return QString::fromUtf8(bytes.sliced(kUtf8Mark.size()));
  return TAnsiCodePage::Decode(bytes);
}
