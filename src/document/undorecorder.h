// The undo recorder as the document sees it: the persistence layer implements it, since
// recording serialises the whole document.
#pragma once

#include <QString>

class TModelDocument;

class IUndoRecorder {
 public:
  virtual ~IUndoRecorder() = default;
  // Records the pending change under the caption (does nothing but refresh the controls
  // when no change is pending).
  virtual void RecordUndo(TModelDocument& document, const QString& caption) = 0;
};
