// The 8-bit character set of model files (Windows-1252) and Unicode text inside the program.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class TAnsiCodePage {
 public:
  static QString Decode(QByteArrayView bytes);
  // The code page byte of a character, or -1 when it has none.
  static int ByteOf(char32_t codePoint);
};
