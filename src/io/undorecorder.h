// Undo and redo on whole-model snapshots: every recorded edit pushes the state before it to
// a snapshot file, and the current state is copied into the window's recovery file.
#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <memory>
#include <utility>

#include "document/undorecorder.h"

class TModelDocument;

class TUndoRecorder : public IUndoRecorder {
 public:
  TUndoRecorder() = default;
  ~TUndoRecorder() override;

  // Holds the lock that tells other running copies the recovery file is in use.
  bool ClaimRecoveryFile(const QString& path);

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

  // The small file beside a recovery file that holds the model's file name.
  static QString RecoveryNameFile(const QString& recoveryFile);
  // A fresh, unique snapshot file name in the private folder.
  static QString NewSnapshotFileName();

 private:
  void Step(TModelDocument& document, bool undo);
  // Writes a snapshot or recovery file; a failure is reported once until writing works again.
  bool Store(TModelDocument& document, const QString& path, const QByteArray& bytes, bool atomic);

  // Keeps the model's file name beside the recovery file, so a recovered window can say
  // which model it was.
  void StoreRecoveryName(const TModelDocument& document);

  bool failingSnapshots_ = false;
  bool failingRecovery_ = false;
  QString storedName_;
  std::unique_ptr<QLockFile> lock_;
};
