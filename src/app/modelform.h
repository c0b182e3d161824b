// One model window inside the main window's document area: it owns its document, the undo
// recorder and the drawing surface on which the operation modes run.
#pragma once

#include <QWidget>
#include <memory>

#include "document/documentobserver.h"
#include "io/undorecorder.h"

class TModelDocument;
class TModelPaintBox;

class TModelForm : public QWidget, public IDocumentObserver {
  Q_OBJECT

 public:
  explicit TModelForm(QWidget* parent = nullptr);
  ~TModelForm() override;

  TModelDocument& Document() const { return *document_; }
  TModelPaintBox& PaintBox() const { return *paintBox_; }
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
  void closeEvent(QCloseEvent* event) override;

 private:
  // Asks whether to save changes; false when the user cancels or the save fails.
  bool QuerySave();

  std::unique_ptr<TModelDocument> document_;
  TUndoRecorder recorder_;
  TModelPaintBox* paintBox_;
};
