#include "io/recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>

#include "document/modeldocument.h"
#include "io/modelstream.h"
#include "io/undorecorder.h"
#include "platform/streams/streamerror.h"
#include "platform/userfolders.h"

namespace {

const QString kRecoverPrefix = QStringLiteral("CGP Recover ");
const QString kUndoPrefix = QStringLiteral("CGP Undo ");
const QString kExtension = QStringLiteral(".MDL");

// The stem of the family a file of the private folder belongs to; empty for other files.
QString FamilyOf(const QString& name)
{
  if (name.startsWith(kRecoverPrefix)) {
    // The recovery file, the files beside it and the temporary copies made while saving it.
    const qsizetype end = name.indexOf(kExtension, kRecoverPrefix.size());
    return end > kRecoverPrefix.size()
               ? name.mid(kRecoverPrefix.size(), end - kRecoverPrefix.size())
               : QString();
  }
  if (name.startsWith(kUndoPrefix) && name.endsWith(kExtension)) {
    const qsizetype dash = name.lastIndexOf(QLatin1Char('-'));
    return dash > kUndoPrefix.size() ? name.mid(kUndoPrefix.size(), dash - kUndoPrefix.size())
                                     : QString();
  }
  return QString();
}

// Deletes the listed files of a family whose lock is held, except the lock itself, which
// goes when it is let go.
void RemoveFamily(const QDir& folder, const QStringList& names, const TFileLock& lock)
{
  for (const QString& name : names)
    if (folder.filePath(name) != lock.Path()) QFile::remove(folder.filePath(name));
}

// Looks at every family in the private folder whose owner is gone: one without a recovery
// file is deleted; one with it is claimed when `claim` is set and left for later otherwise.
std::vector<TRecoveryClaim> Sweep(bool claim)
{
  std::vector<TRecoveryClaim> claims;
  if (!TUserFolders::PrepareRecoveryFolder()) return claims;
  const QDir folder(TUserFolders::RecoveryFolder());
  std::map<QString, QStringList> families;
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name))
    if (const QString stem = FamilyOf(name); !stem.isEmpty()) families[stem] << name;
  for (const auto& [stem, names] : families) {
    const QString file = folder.filePath(kRecoverPrefix + stem + kExtension);
    auto lock = std::make_unique<TFileLock>(TRecovery::LockFile(file));
    if (!lock->TryLock()) continue;  // a running copy owns it
    // Only the holder of the lock deletes, so a file seen now is still there.
    if (!QFileInfo(file).isFile())
      RemoveFamily(folder, names, *lock);
    else if (claim)
      claims.push_back({file, std::move(lock)});
  }
  return claims;
}

}  // namespace

QString TRecovery::StemOf(const QString& recoveryFile)
{
  const QString name = QFileInfo(recoveryFile).fileName();
  if (!name.startsWith(kRecoverPrefix) || !name.endsWith(kExtension)) return QString();
  return name.mid(kRecoverPrefix.size(), name.size() - kRecoverPrefix.size() - kExtension.size());
}

QString TRecovery::LockFile(const QString& recoveryFile)
{
  return recoveryFile + QStringLiteral(".lock");
}

QString TRecovery::NameFile(const QString& recoveryFile)
{
  return recoveryFile + QStringLiteral(".name");
}

QString TRecovery::HistoryFile(const QString& recoveryFile)
{
  return recoveryFile + QStringLiteral(".undo");
}

QString TRecovery::SnapshotPrefix(const QString& stem)
{
  return kUndoPrefix + stem + QLatin1Char('-');
}

std::vector<TRecoveryClaim> TRecovery::FindRecoveryFiles()
{
  return Sweep(true);
}

void TRecovery::RemoveLeftovers()
{
  Sweep(false);
}

void TRecovery::Adopt(TModelDocument& document, TUndoRecorder& recorder, TRecoveryClaim& claim)
{
  const QString& file = claim.File;
  QFile input(file);
  if (!input.open(QIODevice::ReadOnly))
    throw EStreamError(QStringLiteral("Cannot read the recovery file \"%1\": %2")
                           .arg(QFileInfo(file).fileName(), input.errorString()));
  const QByteArray bytes = input.readAll();
  if (!(TModelStream::ReadVersion(bytes) >= 2.0))
    throw EStreamError(
        QStringLiteral("The recovery file \"%1\" is damaged").arg(QFileInfo(file).fileName()));
  TUndoRecorder::RestoreModel(document, bytes);
  QFile name(NameFile(file));
  if (name.open(QIODevice::ReadOnly)) {
    const QString previous = QString::fromUtf8(name.read(4096)).trimmed();
    if (!previous.isEmpty()) document.FileName = previous;
  }
  recorder.TakeOverRecoveryFile(document, file, std::move(claim.Lock));
  // This window never saved the model, so Save must ask for a name.
  document.Named = false;
  document.Snapshot = TModelStream::WriteModel(document, false);
  document.ChangePending = true;
  document.NotifyRepaint();
}

QString TRecovery::SetAside(TRecoveryClaim& claim)
{
  const QFileInfo info(claim.File);
  const QString aside = TUserFolders::UniqueFileName(
      info.absolutePath(), QStringLiteral("CGP Damaged "), QStringLiteral(".MDL"));
  if (!QFile::rename(claim.File, aside)) QFile::remove(claim.File);
  const QDir folder(info.absolutePath());
  const QString stem = StemOf(claim.File);
  QStringList family;
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
    if (FamilyOf(name) == stem) family << name;
  if (claim.Lock) RemoveFamily(folder, family, *claim.Lock);
  return aside;
}

QString TRecovery::RecoveredCaption(const TModelDocument& document)
{
  return QFileInfo(document.FileName).fileName() + QStringLiteral(" Recovered");
}
