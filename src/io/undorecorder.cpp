#include "io/undorecorder.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "io/modelstream.h"
#include "io/recovery.h"
#include "platform/streams/streamerror.h"
#include "platform/streams/warmfile.h"
#include "platform/streams/wholefile.h"
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

// The copies of a user's models are for that user's eyes only.
constexpr QFileDevice::Permissions kPrivate = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Writes a file of the private folder; atomically, so that a crash leaves the old content
// whole, or in place for files nothing reads back while they are written.
void WritePrivateFile(const QString& path, const QByteArray& bytes, bool atomic)
{
  const auto fail = [&](const QFileDevice& file) {
    throw EStreamError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
  };
  if (atomic) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(kPrivate) ||
        file.write(bytes) != bytes.size() || !file.commit())
      fail(file);
  } else {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly, kPrivate) || file.write(bytes) != bytes.size() ||
        !file.flush())
      fail(file);
  }
}

// Bounds on the undo history read back from disk, which anyone may have edited.
constexpr qint64 kMaxHistoryBytes = 16 * 1024 * 1024;
constexpr qsizetype kMaxCaption = 200;

}  // namespace

TUndoRecorder::~TUndoRecorder() = default;

bool TUndoRecorder::ClaimRecoveryFile(const QString& path)
{
  const QString stem = TRecovery::StemOf(path);
  if (stem.isEmpty() || !TUserFolders::PrepareRecoveryFolder()) return false;
  auto lock = std::make_unique<TFileLock>(TRecovery::LockFile(path));
  if (!lock->TryLock()) return false;
  lock_ = std::move(lock);
  stem_ = stem;
  return true;
}

void TUndoRecorder::TakeOverRecoveryFile(TModelDocument& document, const QString& path,
                                         std::unique_ptr<TFileLock> lock)
{
  for (const std::vector<TUndoEntry>* list : {&document.UndoList, &document.RedoList})
    for (const TUndoEntry& entry : *list)
      document.SnapshotWriter.Remove(entry.FileName);
  document.UndoList.clear();
  document.RedoList.clear();
  const QString own = document.RecoverFileName;
  for (const QString& file : {own, TRecovery::NameFile(own), TRecovery::HistoryFile(own)})
    QFile::remove(file);
  const std::unique_ptr<TFileLock> previous = std::move(lock_);
  lock_ = std::move(lock);
  stem_ = TRecovery::StemOf(path);
  document.RecoverFileName = path;
  storedName_.clear();
  LoadHistory(document);
}

QString TUndoRecorder::NewSnapshotFileName(TModelDocument& document)
{
  const QString folder = TUserFolders::RecoveryFolder();
  if (!lock_) ClaimRecoveryFile(document.RecoverFileName);
  if (stem_.isEmpty())
    return TUserFolders::UniqueFileName(folder, QStringLiteral("CGP Undo "),
                                        QStringLiteral(".MDL"));
  // The stem's lock is held here, so no other process makes files of that name.
  static QAtomicInteger<quint32> counter;
  for (;;) {
    const QString path = folder + QLatin1Char('/') + TRecovery::SnapshotPrefix(stem_) +
                         QString::number(counter.fetchAndAddRelaxed(1)) + QStringLiteral(".MDL");
    if (!QFileInfo::exists(path)) return path;
  }
}

void TUndoRecorder::StoreSnapshot(TModelDocument& document, const QString& file,
                                  const QByteArray& bytes)
{
  // The recovery file is replaced by renaming a new one over it, so the old bytes stay with
  // the snapshot's name. Sharing the buffer proves they are the same bytes.
  const bool recoveryHoldsThem =
      !bytes.isEmpty() && storedRecoveryPath_ == document.RecoverFileName &&
      storedRecovery_.constData() == bytes.constData() && storedRecovery_.size() == bytes.size();
  if (!recoveryHoldsThem || !TWholeFile::Link(document.RecoverFileName, file))
    document.SnapshotWriter.Write(file, bytes);
}

bool TUndoRecorder::StoreRestored(TModelDocument& document, const QString& file,
                                  const QByteArray& bytes)
{
  // Unless something outside the objects changed meanwhile (a save names the model), the
  // snapshot just read is what serialising the model again would give, and its file becomes
  // the recovery file as it is.
  if (!TModelStream::BeginsAsWritten(document, bytes)) {
    document.Snapshot = TModelStream::WriteModel(document, false);
    return Store(document, document.RecoverFileName, document.Snapshot, true);
  }
  document.Snapshot = bytes;
  if (!TWholeFile::LinkOver(file, document.RecoverFileName))
    return Store(document, document.RecoverFileName, document.Snapshot, true);
  storedRecoveryPath_ = document.RecoverFileName;
  storedRecovery_ = document.Snapshot;
  failingRecovery_ = false;
  return true;
}

bool TUndoRecorder::Store(TModelDocument& document, const QString& path, const QByteArray& bytes,
                          bool atomic)
{
  // Whatever happens below, the recovery file no longer surely holds what was stored last.
  if (atomic) storedRecovery_.clear();
  // Snapshots and the recovery file fail and recover independently (different folders
  // may be involved), so each reports its own trouble once.
  bool& failing = atomic ? failingRecovery_ : failingSnapshots_;
  try {
    if (atomic) {
      recoveryFile_.Replace(path, bytes);
      storedRecoveryPath_ = path;
      storedRecovery_ = bytes;
      // The next edit's copy will be about as large; its file is made ready meanwhile.
      recoveryFile_.Prepare(path, bytes.size() + bytes.size() / 16 + 65536);
    } else {
      WritePrivateFile(path, bytes, false);
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

void TUndoRecorder::StoreRecoveryName(const TModelDocument& document)
{
  if (storedName_ == document.FileName) return;
  try {
    WritePrivateFile(TRecovery::NameFile(document.RecoverFileName), document.FileName.toUtf8(),
                     false);
    storedName_ = document.FileName;
  } catch (const EStreamError&) {
    // Only the caption of a recovered window suffers; the next change tries again.
  }
}

// One line per entry, undo entries first, oldest first: "U" or "R", the snapshot's file name
// and the caption, separated by tabs.
void TUndoRecorder::StoreHistory(const TModelDocument& document)
{
  QByteArray text;
  for (const auto& [kind, list] : {std::pair{'U', &document.UndoList}, {'R', &document.RedoList}})
    for (const TUndoEntry& entry : *list) {
      QString caption = entry.Caption.left(kMaxCaption);
      for (QChar& c : caption)
        if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
      text += kind;
      text += '\t' + QFileInfo(entry.FileName).fileName().toUtf8() + '\t' + caption.toUtf8() + '\n';
    }
  try {
    WritePrivateFile(TRecovery::HistoryFile(document.RecoverFileName), text, true);
  } catch (const EStreamError&) {
    // A recovered window would only lose its undo entries; the model itself is safe.
  }
}

void TUndoRecorder::LoadHistory(TModelDocument& document)
{
  const QFileInfo recovery(document.RecoverFileName);
  const QDir folder(recovery.absolutePath());
  const QString prefix = TRecovery::SnapshotPrefix(stem_);
  QFile file(TRecovery::HistoryFile(document.RecoverFileName));
  QSet<QString> named;
  if (!stem_.isEmpty() && file.open(QIODevice::ReadOnly)) {
    const QList<QByteArray> lines = file.read(kMaxHistoryBytes).split('\n');
    for (const QByteArray& line : lines) {
      const QList<QByteArray> fields = line.split('\t');
      if (fields.size() != 3 || (fields[0] != "U" && fields[0] != "R")) continue;
      // Only this window's own snapshots, each once: deleting an entry's file must never take
      // another entry's or anyone else's.
      const QString name = QString::fromUtf8(fields[1]);
      if (!name.startsWith(prefix) || !name.endsWith(QStringLiteral(".MDL")) ||
          name.contains(QLatin1Char('/')) || named.contains(name) ||
          !QFileInfo(folder.filePath(name)).isFile())
        continue;
      named.insert(name);
      (fields[0] == "U" ? document.UndoList : document.RedoList)
          .push_back({folder.filePath(name), QString::fromUtf8(fields[2]).left(kMaxCaption)});
    }
  }
  // Snapshots the history does not name (a crash came between writing one and the history)
  // would never be deleted otherwise.
  if (stem_.isEmpty()) return;
  for (const QString& name : folder.entryList({prefix + QStringLiteral("*.MDL")}, QDir::Files))
    if (name.startsWith(prefix) && !named.contains(name)) QFile::remove(folder.filePath(name));
}

void TUndoRecorder::RecordUndo(TModelDocument& document, const QString& caption)
{
  if (!document.ChangePending) {
    document.NotifyControls();
    return;
  }
  {
    TModeLock lock(document);
    // The state before the edit is written on the writer's thread while this one serialises
    // the edited model and stores the recovery file; both are on disk before the edit counts
    // as recorded, so a process killed right after it loses neither.
    const QString file = NewSnapshotFileName(document);
    StoreSnapshot(document, file, document.Snapshot);
    for (const TUndoEntry& entry : document.RedoList)
      document.SnapshotWriter.Remove(entry.FileName);
    document.RedoList.clear();
    document.Snapshot = TModelStream::WriteModel(document, false);
    const bool recovered = Store(document, document.RecoverFileName, document.Snapshot, true);
    if (FinishSnapshots(document)) document.UndoList.push_back({file, caption});
    if (recovered) {
      StoreRecoveryName(document);
      StoreHistory(document);
    }
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
  // The state left goes to disk on the writer's thread while this one reloads the model;
  // when it is the recorded state the recovery file holds, it takes a second name instead.
  const QByteArray current = TModelStream::WriteModel(document, false);
  const QString file = NewSnapshotFileName(document);
  StoreSnapshot(document, file, current == document.Snapshot ? document.Snapshot : current);
  try {
    Restore(document, target, current, true);
  } catch (const EStreamError& error) {
    document.SnapshotWriter.Remove(file);
    FinishSnapshots(document);
    if (IDocumentObserver* observer = document.Observer()) observer->ReportError(error.Message());
    return;
  }
  const bool recovered = StoreRestored(document, entry.FileName, target);
  document.SnapshotWriter.Remove(entry.FileName);
  from.pop_back();
  if (FinishSnapshots(document)) to.push_back({file, entry.Caption});
  if (recovered) StoreHistory(document);
  // The model now differs from its file, so closing must ask before the state is lost.
  if (!document.ReadOnly) document.Modified = true;
  document.NotifyRepaint();
  document.NotifyControls();
}

void TUndoRecorder::RestoreModel(TModelDocument& document, const QByteArray& stream)
{
  Restore(document, stream, TModelStream::WriteModel(document, false), false);
}

void TUndoRecorder::Restore(TModelDocument& document, const QByteArray& stream,
                            const QByteArray& before, bool ownSnapshot)
{
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
    TModelStream::ReadModel(document, stream, false, ownSnapshot);
  } catch (...) {
    document.ClearModel();
    TModelStream::ReadModel(document, before, false, true);
    keepView();
    throw;
  }
  keepView();
}

bool TUndoRecorder::FinishSnapshots(TModelDocument& document)
{
  document.SnapshotWriter.Flush();
  const QStringList failures = document.SnapshotWriter.TakeFailures();
  if (failures.isEmpty()) {
    failingSnapshots_ = false;
    return true;
  }
  if (!failingSnapshots_)
    if (IDocumentObserver* observer = document.Observer())
      observer->ReportError(failures.front() +
                            QStringLiteral("\nYour edit is kept, but it may not be undoable "
                                           "or recoverable until the folder can be written."));
  failingSnapshots_ = true;
  return false;
}

void TUndoRecorder::TakeBaseline(TModelDocument& document)
{
  document.Snapshot = TModelStream::WriteModel(document, false);
}
