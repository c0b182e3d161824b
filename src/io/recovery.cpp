#include "io/recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include "document/modeldocument.h"
#include "io/modelstream.h"
#include "io/undorecorder.h"
#include "platform/streamerror.h"
#include "platform/userfolders.h"

QStringList TRecovery::FindRecoveryFiles()
{
  const QDir folder(TUserFolders::RecoveryFolder());
  QStringList found;
  for (const QString& name :
       folder.entryList({QStringLiteral("CGP Recover *.MDL")}, QDir::Files, QDir::Name)) {
    const QString path = folder.filePath(name);
    // A live owner holds the lock; probing it must not disturb that owner.
    QLockFile probe(path + QStringLiteral(".lock"));
    probe.setStaleLockTime(0);
    if (!probe.tryLock(0)) continue;
    probe.unlock();
    found << path;
  }
  return found;
}

void TRecovery::Adopt(TModelDocument& document, TUndoRecorder& recorder, const QString& file)
{
  QFile input(file);
  if (!input.open(QIODevice::ReadOnly))
    throw EStreamError(QStringLiteral("Cannot read the recovery file \"%1\": %2")
                           .arg(QFileInfo(file).fileName(), input.errorString()));
  const QByteArray bytes = input.readAll();
  if (!(TModelStream::ReadVersion(bytes) >= 2.0))
    throw EStreamError(
        QStringLiteral("The recovery file \"%1\" is damaged").arg(QFileInfo(file).fileName()));
  TUndoRecorder::RestoreModel(document, bytes);
  QFile name(TUndoRecorder::RecoveryNameFile(file));
  if (name.open(QIODevice::ReadOnly)) {
    const QString previous = QString::fromUtf8(name.read(4096)).trimmed();
    if (!previous.isEmpty()) document.FileName = previous;
  }
  // The window's own new recovery file is replaced by the one it takes over.
  QFile::remove(document.RecoverFileName);
  document.RecoverFileName = file;
  recorder.ClaimRecoveryFile(file);
  // This window never saved the model, so Save must ask for a name.
  document.Named = false;
  document.Snapshot = TModelStream::WriteModel(document, false);
  document.ChangePending = true;
  document.NotifyRepaint();
}

QString TRecovery::SetAside(const QString& file)
{
  const QFileInfo info(file);
  const QString aside = TUserFolders::UniqueFileName(
      info.absolutePath(), QStringLiteral("CGP Damaged "), QStringLiteral(".MDL"));
  if (!QFile::rename(file, aside)) QFile::remove(file);
  QFile::remove(TUndoRecorder::RecoveryNameFile(file));
  return aside;
}

QString TRecovery::RecoveredCaption(const TModelDocument& document)
{
  return QFileInfo(document.FileName).fileName() + QStringLiteral(" Recovered");
}

void TRecovery::DeleteOwnSnapshots()
{
  const QDir folder(TUserFolders::RecoveryFolder());
  // Snapshot names carry the process id between two dashes.
  const QString own = QStringLiteral("CGP Undo *-%1-*.MDL").arg(QCoreApplication::applicationPid());
  for (const QString& name : folder.entryList({own}, QDir::Files))
    QFile::remove(folder.filePath(name));
}
