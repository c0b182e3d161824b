// One model window inside the main window's document area: it owns its document, the undo
// recorder and the drawing surface on which the operation modes run. Its host (the main
// window) decides whether it may close and shows its messages.
#pragma once

#include <QWidget>
#include <memory>

#include "document/documentobserver.h"
#include "io/undorecorder.h"

class IDialogService;
class TModelDocument;
class TModelForm;
class TModelPaintBox;
class TTextEditors;

// What a model window needs from the window that holds it.
class IModelWindowHost {
 public:
  virtual ~IModelWindowHost() = default;
  // The close question; the window's running operation has ended (and recorded) already.
  virtual bool CanClose(TModelForm& form) = 0;
  virtual IDialogService& Dialogs() = 0;
};

class TModelForm : public QWidget, public IDocumentObserver {
  Q_OBJECT

 public:
  explicit TModelForm(QWidget* parent = nullptr);
  ~TModelForm() override;

  TModelDocument& Document() const { return *document_; }
  TModelPaintBox& PaintBox() const { return *paintBox_; }
  TUndoRecorder& Recorder() { return recorder_; }
  // The window's text and notes editors.
  TTextEditors& TextEditors() const { return *textEditors_; }
  void SetHost(IModelWindowHost* host) { host_ = host; }

  // The caption: also the name a screen reader gives the drawing surface.
  void SetCaption(const QString& caption);
  QString Caption() const { return windowTitle(); }
  // The caption of a model read from or saved to its file: the file's name, marked when
  // the model is read-only.
  void ShowFileCaption();
  // After a file was read into the document: caption, undo baseline, a fresh paint.
  void DocumentOpened();

  // Ends the running operation, which records what it changed; open editors write their
  // text back first, so nothing typed is lost to a close, a revert or an undo.
  void EndOperation();
  // A handler or the undo recorder is working on the model.
  bool Busy() const;
  // The next close goes ahead without the close question (already asked, or survey mode).
  void ApproveClose() { closeApproved_ = true; }

  // ---- IDocumentObserver
  void Repaint() override;
  void UpdateControls() override;
  void SyncTextToolbar() override;
  void Beep() override;
  void ReportError(const QString& message) override;
  void PaintNow(bool fast) override;
  void ShowProgress(int percent, const QString& caption) override;
  void EndProgress() override;

 Q_SIGNALS:
  void ControlsChanged();
  void SelectionChanged();
  void HintChanged(const QString& hint);
  void ProgressChanged(int percent, const QString& caption);
  void ProgressEnded();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<TModelDocument> document_;
  TUndoRecorder recorder_;
  TModelPaintBox* paintBox_;
  std::unique_ptr<TTextEditors> textEditors_;
  IModelWindowHost* host_ = nullptr;
  bool closeApproved_ = false;
};
