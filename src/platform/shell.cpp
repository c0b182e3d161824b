#include "platform/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool TDesktopShell::OpenPath(const QString& path)
{
  if (path.isEmpty()) return false;
  // Anything that is not an address with a scheme is a file.
  const bool address =
      path.contains(QLatin1String("://")) || path.startsWith(QLatin1String("mailto:"));
  return QDesktopServices::openUrl(address ? QUrl(path) : QUrl::fromLocalFile(path));
}

QString TDesktopShell::FindProgramFor(const QString&)
{
  return QString();
}

bool TDesktopShell::StartProgram(const QString& program, const QStringList& arguments, bool)
{
  // Window managers decide how new windows appear; there is no portable way to ask for a
  // minimised one.
  return QProcess::startDetached(program, arguments);
}
