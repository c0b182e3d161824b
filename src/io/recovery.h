// Crash recovery: finding the recovery files that running copies no longer own, taking one
// over for a window, setting damaged ones aside, and clearing away what dead copies left.
//
// Every window owns a family of files in the private folder, all named after one stem:
//   "CGP Recover <stem>.MDL"         the model as of its last recorded change
//   "CGP Recover <stem>.MDL.lock"    held by the owning process for as long as the window lives
//   "CGP Recover <stem>.MDL.name"    the model's own file name
//   "CGP Recover <stem>.MDL.undo"    the undo and redo entries
//   "CGP Undo <stem>-<n>.MDL"        the undo and redo snapshots
// Whoever holds the lock owns the whole family: only the holder writes or deletes any of it.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "platform/streams/filelock.h"

class TModelDocument;
class TUndoRecorder;

// A recovery file whose owner is gone, with its lock held for the copy that takes it over.
struct TRecoveryClaim {
  QString File;
  std::unique_ptr<TFileLock> Lock;
};

class TRecovery {
 public:
  // The stem of a recovery file's name; empty when the path is not named as one.
  static QString StemOf(const QString& recoveryFile);
  static QString LockFile(const QString& recoveryFile);
  static QString NameFile(const QString& recoveryFile);
  static QString HistoryFile(const QString& recoveryFile);
  // The start of the names of a stem's undo snapshots.
  static QString SnapshotPrefix(const QString& stem);

  // Claims every recovery file in the private folder whose owner is no longer running, in
  // name order, and deletes what dead owners left without a recovery file. Files whose lock
  // a running copy holds are left alone.
  static std::vector<TRecoveryClaim> FindRecoveryFiles();
  // Restores a claimed recovery file into a new document, which goes on using it, with its
  // undo history; the claim's lock passes to the recorder. Throws EStreamError when the file
  // cannot be read, leaving the claim with the caller, who sets it aside.
  static void Adopt(TModelDocument& document, TUndoRecorder& recorder, TRecoveryClaim& claim);
  // Moves a damaged recovery file out of the way, keeping it for the user, and deletes the
  // rest of its family; returns its new path.
  static QString SetAside(TRecoveryClaim& claim);
  // The caption of a recovered window.
  static QString RecoveredCaption(const TModelDocument& document);
  // Deletes what dead owners left without a recovery file (their snapshots and locks); their
  // recovery files stay for the next start.
  static void RemoveLeftovers();
};
