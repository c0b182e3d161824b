// How a document tells whoever shows it what changed; the window implements it and tests
// observe it, so the document never needs a widget.
#pragma once

#include <QString>

class IDocumentObserver {
 public:
  virtual ~IDocumentObserver() = default;
  // The model must be painted again.
  virtual void Repaint() = 0;
  // Commands' enabled and checked states may have changed.
  virtual void UpdateControls() = 0;
  // The text toolbar should show the attributes of the selection.
  virtual void SyncTextToolbar() = 0;
  // A command did not apply (nothing selected, nothing to do).
  virtual void Beep() = 0;
  // A command failed with a message for the user (an empty message only beeps).
  virtual void ReportError(const QString& message)
  {
    (void)message;
    Beep();
  }
  // Paint the model at once, before returning; fast paints skip selection marks and hit
  // regions (used for every frame of a moving view).
  virtual void PaintNow(bool fast)
  {
    (void)fast;
    Repaint();
  }
  // Long work shows its progress (0 to 100) with a caption; EndProgress restores the normal
  // status display.
  virtual void ShowProgress(int percent, const QString& caption)
  {
    (void)percent;
    (void)caption;
  }
  virtual void EndProgress() {}
};
