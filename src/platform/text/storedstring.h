// The characters of a string in a model file. A string Windows-1252 can hold keeps its
// 8-bit bytes, so files stay readable by older readers; any other string is UTF-8 after the
// bytes EF BB BF, which no ordinary code-page text begins with.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class TStoredString {
 public:
  static QByteArray Encode(const QString& text);
  static QString Decode(QByteArrayView bytes);
};
