#include "io/undorecorder.h"

#include <QFile>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "platform/streamerror.h"
#include "platform/userfolders.h"

namespace {

// Keeps the mode locked while the recorder works and puts it back however it ends.
class TModeLock {
 public:
  explicit TModeLock(TModelDocument& document) : document_(document), saved_(document.Mode)
  {
    document_.Mode = opLocked;
  }
  ~TModeLock() { document_.Mode = saved_; }

 private:
  TModelDocument& document_;
  TOperationMode saved_;
};

QByteArray ReadFile(const QString& path)
{
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw EStreamError(QStringLiteral("Cannot read the undo snapshot: %1").arg(file.errorString()));
  return file.readAll();
}

}  // namespace

TUndoRecorder::~TUndoRecorder() = default;

bool TUndoRecorder::ClaimRecoveryFile(const QString& path)
{
  lock_.reset();
  auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
  lock->setStaleLockTime(0);  // only a dead owner's lock is stale
  if (!lock->tryLock(0)) return false;
  lock_ = std::move(lock);
  return true;
}

QString TUndoRecorder::NewSnapshotFileName()
{
  return TUserFolders::UniqueFileName(TUserFolders::RecoveryFolder(), QStringLiteral("CGP Undo "),
                                      QStringLiteral(".MDL"));
}

bool TUndoRecorder::Store(TModelDocument& document, const QString& path, const QByteArray& bytes,
                          bool atomic)
{
  // Snapshots and the recovery file fail and recover independently (different folders
  // may be involved), so each reports its own trouble once.
  bool& failing = atomic ? failingRecovery_ : failingSnapshots_;
  try {
    if (atomic) {
      TModelFile::WriteFileAtomically(path, bytes);
    } else {
      QFile file(path);
      if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        throw EStreamError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    }
    failing = false;
    return true;
  } catch (const EStreamError& error) {
    if (!failing)
      if (IDocumentObserver* observer = document.Observer())
        observer->ReportError(error.Message() +
                              QStringLiteral("\nYour edit is kept, but it may not be undoable "
                                             "or recoverable until the folder can be written."));
    failing = true;
    if (!atomic) QFile::remove(path);
    return false;
  }
}

QString TUndoRecorder::RecoveryNameFile(const QString& recoveryFile)
{
  return recoveryFile + QStringLiteral(".name");
}

void TUndoRecorder::StoreRecoveryName(const TModelDocument& document)
{
  if (storedName_ == document.FileName) return;
  QFile file(RecoveryNameFile(document.RecoverFileName));
  if (file.open(QIODevice::WriteOnly) && file.write(document.FileName.toUtf8()) >= 0)
    storedName_ = document.FileName;
}

void TUndoRecorder::RecordUndo(TModelDocument& document, const QString& caption)
{
  if (!document.ChangePending) {
    document.NotifyControls();
    return;
  }
  {
    TModeLock lock(document);
    const QString file = NewSnapshotFileName();
    if (Store(document, file, document.Snapshot, false))
      document.UndoList.push_back({file, caption});
    for (const TUndoEntry& entry : document.RedoList)
      QFile::remove(entry.FileName);
    document.RedoList.clear();
    document.Snapshot = TModelStream::WriteModel(document, false);
    if (Store(document, document.RecoverFileName, document.Snapshot, true))
      StoreRecoveryName(document);
    document.ChangePending = false;
    if (!document.ReadOnly) document.Modified = true;
    document.NotifyRepaint();
  }
  document.NotifyControls();
}

std::pair<bool, QString> TUndoRecorder::UndoCaption(const TModelDocument& document)
{
  if (document.UndoList.empty()) return {false, QStringLiteral("Can't Undo")};
  return {true, QStringLiteral("Undo ") + document.UndoList.back().Caption};
}

std::pair<bool, QString> TUndoRecorder::RedoCaption(const TModelDocument& document)
{
  if (document.RedoList.empty()) return {false, QStringLiteral("Can't Redo")};
  return {true, QStringLiteral("Redo ") + document.RedoList.back().Caption};
}

void TUndoRecorder::Undo(TModelDocument& document)
{
  Step(document, true);
}

void TUndoRecorder::Redo(TModelDocument& document)
{
  Step(document, false);
}

void TUndoRecorder::Step(TModelDocument& document, bool undo)
{
  std::vector<TUndoEntry>& from = undo ? document.UndoList : document.RedoList;
  std::vector<TUndoEntry>& to = undo ? document.RedoList : document.UndoList;
  // A running tool records its edits when it ends; that entry is then the one undone.
  document.ChangeMode(opNone);
  if (from.empty()) return;
  const TUndoEntry entry = from.back();
  // Everything that can fail comes before the model changes, so a failure leaves it whole.
  QByteArray target;
  try {
    target = ReadFile(entry.FileName);
  } catch (const EStreamError& error) {
    if (IDocumentObserver* observer = document.Observer()) observer->ReportError(error.Message());
    return;
  }
  const QByteArray current = TModelStream::WriteModel(document, false);
  const QString file = NewSnapshotFileName();
  if (!Store(document, file, current, false)) return;
  try {
    RestoreModel(document, target);
  } catch (const EStreamError& error) {
    QFile::remove(file);
    if (IDocumentObserver* observer = document.Observer()) observer->ReportError(error.Message());
    return;
  }
  to.push_back({file, entry.Caption});
  QFile::remove(entry.FileName);
  from.pop_back();
  document.Snapshot = TModelStream::WriteModel(document, false);
  Store(document, document.RecoverFileName, document.Snapshot, true);
  // The model now differs from its file, so closing must ask before the state is lost.
  if (!document.ReadOnly) document.Modified = true;
  document.NotifyRepaint();
  document.NotifyControls();
}

void TUndoRecorder::RestoreModel(TModelDocument& document, const QByteArray& stream)
{
  const QByteArray before = TModelStream::WriteModel(document, false);
  const TModelPoint origin = document.ViewOrigin;
  const double zoom = document.Zoom;
  // Whether the window's model has a file of its own is not part of its history.
  const bool named = document.Named;
  const auto keepView = [&] {
    document.ViewOrigin = origin;
    document.Zoom = zoom;
    document.Named = named;
  };
  document.ClearModel();
  try {
    TModelStream::ReadModel(document, stream, false);
  } catch (...) {
    document.ClearModel();
    TModelStream::ReadModel(document, before, false);
    keepView();
    throw;
  }
  keepView();
}

void TUndoRecorder::TakeBaseline(TModelDocument& document)
{
  document.Snapshot = TModelStream::WriteModel(document, false);
}
