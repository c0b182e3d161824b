// One model window inside the main window's document area: it shows its document through
// an off-screen image, with the drag feedback on top, and handles the view keys.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "document/documentobserver.h"
#include "document/overlay.h"
#include "io/undorecorder.h"

class TModelDocument;

class TModelForm : public QWidget, public IDocumentObserver {
  Q_OBJECT

 public:
  explicit TModelForm(QWidget* parent = nullptr);
  ~TModelForm() override;

  TModelDocument& Document() const { return *document_; }
  TOverlay& Overlay() { return overlay_; }
  TUndoRecorder& Recorder() { return recorder_; }
  // After a file was read into the document: caption, undo baseline, a fresh paint.
  void DocumentOpened();

  // IDocumentObserver
  void Repaint() override;
  void UpdateControls() override;
  void SyncTextToolbar() override;
  void Beep() override;
  void ReportError(const QString& message) override;
  void PaintNow(bool fast) override;

 Q_SIGNALS:
  void ControlsChanged();
  void SelectionChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PaintModel(bool fast);

  // Asks whether to save changes; false when the user cancels or the save fails.
  bool QuerySave();

  std::unique_ptr<TModelDocument> document_;
  TUndoRecorder recorder_;
  QImage buffer_;
  TOverlay overlay_;
  bool dirty_ = true;
  bool fastPending_ = false;
  bool centred_ = false;
};
