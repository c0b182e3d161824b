#include "app/consoleoutput.h"

namespace console {

void Print(FILE* stream, const QString& text)
{
  const QByteArray bytes = (text + QLatin1Char('\n')).toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

void PrintError(const QString& message)
{
  Print(stderr, QStringLiteral("mindorra: ") + message);
}

int Usage(const QString& message)
{
  PrintError(message + QStringLiteral(" (try 'mindorra --help')"));
  return 2;
}

}  // namespace console
