// Decoding of 8-bit text in the Windows code page that a rich-text writer names (\ansicpg,
// \fcharset). Code pages the system's converters do not know read as Windows-1252.
#pragma once

#include <QByteArrayView>
#include <QString>

class TCodePage {
 public:
  static constexpr int kAnsi = 1252;
  // Code page of a font's character set number; 0 for the symbol set (bytes stand for themselves)
  // and -1 for the default set, which means "the document's code page".
  static int OfCharset(int charset);

  explicit TCodePage(int number = kAnsi);
  int Number() const { return number_; }
  // A lead byte of a double-byte code page without its trail stands for nothing.
  QString Decode(QByteArrayView bytes) const;

 private:
  int number_;
};
