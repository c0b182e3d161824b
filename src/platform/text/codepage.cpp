#include "platform/text/codepage.h"

#include <QStringDecoder>

#include "platform/text/ansicodepage.h"

namespace {

// Converter names for the code pages rich-text writers use besides 1252.
const char* ConverterName(int number)
{
  switch (number) {
    case 437:
      return "IBM437";
    case 850:
      return "IBM850";
    case 874:
      return "windows-874";
    case 932:
      return "Shift_JIS";
    case 936:
      return "GBK";
    case 949:
      return "windows-949";
    case 950:
      return "Big5";
    case 1250:
      return "windows-1250";
    case 1251:
      return "windows-1251";
    case 1253:
      return "windows-1253";
    case 1254:
      return "windows-1254";
    case 1255:
      return "windows-1255";
    case 1256:
      return "windows-1256";
    case 1257:
      return "windows-1257";
    case 1258:
      return "windows-1258";
    case 10000:
      return "macintosh";
    default:
      return nullptr;
  }
}

QString Latin1(QByteArrayView bytes)
{
  QString text;
  text.reserve(bytes.size());
  for (char c : bytes)
    text.append(QChar(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

int TCodePage::OfCharset(int charset)
{
  switch (charset) {
    case 0:
      return kAnsi;
    case 2:
      return 0;
    case 77:
      return 10000;
    case 128:
      return 932;
    case 129:
      return 949;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 254:
      return 437;
    case 255:
      return 850;
    default:
      return -1;
  }
}

TCodePage::TCodePage(int number) : number_(number) {}

QString TCodePage::Decode(QByteArrayView bytes) const
{
  if (number_ == 0) return Latin1(bytes);
  if (const char* name = ConverterName(number_)) {
    QStringDecoder decoder(name, QStringDecoder::Flag::Stateless);
    // Damaged sequences come out as U+FFFD, so the text never outgrows the bytes.
    if (decoder.isValid()) return decoder.decode(bytes);
  }
  return TAnsiCodePage::Decode(bytes);
}
