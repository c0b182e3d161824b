#include "platform/userfolders.h"

#include <pwd.h>
#include <unistd.h>
#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString TUserFolders::CurrentUserName()
{
  if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name && *entry->pw_name)
    return QString::fromLocal8Bit(entry->pw_name);
  const QString fromEnvironment = qEnvironmentVariable("USER");
  return fromEnvironment.isEmpty() ? QStringLiteral("User") : fromEnvironment;
}

QString TUserFolders::RecoveryFolder()
{
  QString base = qEnvironmentVariable("XDG_STATE_HOME");
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/state");
  return base + QStringLiteral("/mindorra/recovery");
}

bool TUserFolders::PrepareRecoveryFolder()
{
  const QString folder = RecoveryFolder();
  return QDir().mkpath(folder) &&
         QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString TUserFolders::UniqueFileName(const QString& folder, const QString& prefix,
                                     const QString& suffix)
{
  // Milliseconds alone collide between windows and between running copies; the process id
  // and a counter make the name unique, and the existence check covers stale leftovers.
  static QAtomicInteger<quint32> counter;
  for (;;) {
    const QString name = QStringLiteral("%1%2-%3-%4%5")
                             .arg(prefix)
                             .arg(QTime::currentTime().msecsSinceStartOfDay())
                             .arg(QCoreApplication::applicationPid())
                             .arg(counter.fetchAndAddRelaxed(1))
                             .arg(suffix);
    const QString path = folder + QLatin1Char('/') + name;
    if (!QFileInfo::exists(path)) return path;
  }
}
