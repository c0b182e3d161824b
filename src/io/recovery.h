// Crash recovery: finding the recovery files that running copies no longer own, taking one
// over for a window, setting damaged ones aside, and cleaning this copy's snapshots away.
#pragma once

#include <QString>
#include <QStringList>

class TModelDocument;
class TUndoRecorder;

class TRecovery {
 public:
  // Recovery files in the private folder whose owner is no longer running.
  static QStringList FindRecoveryFiles();
  // Restores a recovery file into a new document, which goes on using (and locking) it.
  // Throws EStreamError when the file cannot be read; the caller sets it aside.
  static void Adopt(TModelDocument& document, TUndoRecorder& recorder, const QString& file);
  // Moves a damaged recovery file out of the way, keeping it for the user; returns its
  // new path.
  static QString SetAside(const QString& file);
  // The caption of a recovered window.
  static QString RecoveredCaption(const TModelDocument& document);
  // Deletes the undo snapshots this process made (never another copy's).
  static void DeleteOwnSnapshots();
};
