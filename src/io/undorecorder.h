// Undo and redo on whole-model snapshots: every recorded edit pushes the state before it to
// a snapshot file, and the current state is copied into the window's recovery file.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <utility>

#include "document/undorecorder.h"
#include "platform/streams/filelock.h"
#include "platform/streams/warmfile.h"

class TModelDocument;

class TUndoRecorder : public IUndoRecorder {
 public:
  TUndoRecorder() = default;
  ~TUndoRecorder() override;

  // Holds the lock that tells other running copies the recovery file, and every file named
  // after it, is in use; false when it cannot be held (the lock held before is kept then).
  bool ClaimRecoveryFile(const QString& path);
  // Makes a recovery file whose lock is already held the document's own, with the undo
  // history kept beside it. The window's previous recovery file goes, and its lock is let go
  // only now that the new one is held.
  void TakeOverRecoveryFile(TModelDocument& document, const QString& path,
                            std::unique_ptr<TFileLock> lock);

  void RecordUndo(TModelDocument& document, const QString& caption) override;

  // (available, text) for the Undo and Redo commands.
  static std::pair<bool, QString> UndoCaption(const TModelDocument& document);
  static std::pair<bool, QString> RedoCaption(const TModelDocument& document);
  void Undo(TModelDocument& document);
  void Redo(TModelDocument& document);

  // Replaces the objects and header by a stream while keeping the view; when the stream
  // cannot be read the document is put back as it was and the error is thrown.
  static void RestoreModel(TModelDocument& document, const QByteArray& stream);
  // Serialises the document as the undo baseline (a new window or an opened file).
  static void TakeBaseline(TModelDocument& document);

  // A fresh, unique snapshot file name in the private folder, named after the claimed
  // recovery file so that its lock guards the snapshot too.
  QString NewSnapshotFileName(TModelDocument& document);

 private:
  void Step(TModelDocument& document, bool undo);
  // RestoreModel with the document's own stream as it stands, to put back on failure.
  // ownSnapshot: the stream is one of the document's snapshots, whose arrows were placed
  // when it was taken.
  static void Restore(TModelDocument& document, const QByteArray& stream, const QByteArray& before,
                      bool ownSnapshot);
  // Waits for the snapshots handed to the writer; false when one could not be stored, which
  // is reported once until writing works again.
  bool FinishSnapshots(TModelDocument& document);
  // Writes a snapshot or recovery file; a failure is reported once until writing works again.
  bool Store(TModelDocument& document, const QString& path, const QByteArray& bytes, bool atomic);
  // Stores the model's state before an edit as the snapshot file: a second name for the
  // recovery file when that holds exactly this state, a copy written on the writer's thread
  // otherwise.
  void StoreSnapshot(TModelDocument& document, const QString& file, const QByteArray& bytes);
  // Makes the state just restored from a snapshot file (its bytes given) the document's
  // snapshot and stores it as the recovery file; false when that could not be stored.
  bool StoreRestored(TModelDocument& document, const QString& file, const QByteArray& bytes);

  // Keeps the model's file name beside the recovery file, so a recovered window can say
  // which model it was.
  void StoreRecoveryName(const TModelDocument& document);
  // Keeps the undo and redo entries beside the recovery file, so a recovered window can
  // still undo; and reads them back, deleting the snapshots they do not name.
  void StoreHistory(const TModelDocument& document);
  void LoadHistory(TModelDocument& document);

  bool failingSnapshots_ = false;
  bool failingRecovery_ = false;
  QString storedName_;
  // The recovery file as last stored, and its bytes (shared with the document's snapshot).
  QString storedRecoveryPath_;
  QByteArray storedRecovery_;
  std::unique_ptr<TFileLock> lock_;
  QString stem_;  // of the recovery file whose lock is held
  // Writes the recovery file; after the lock, so that its temporary file goes while held.
  TWarmFile recoveryFile_;
};
