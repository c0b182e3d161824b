#include "app/modelform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QVBoxLayout>

#include "app/dialogs/dialogservice.h"
#include "app/text/texteditors.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"
#include "platform/memorypolicy.h"

TModelForm::TModelForm(QWidget* parent)
    : QWidget(parent),
      document_(std::make_unique<TModelDocument>()),
      paintBox_(new TModelPaintBox(*document_, this)),
      textEditors_(std::make_unique<TTextEditors>(*paintBox_))
{
  paintBox_->SetTextEditing(textEditors_.get());
  setMinimumSize(160, 120);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(paintBox_);
  setFocusProxy(paintBox_);
  connect(paintBox_, &TModelPaintBox::HintChanged, this, &TModelForm::HintChanged);
  SetCaption(document_->FileName);
  document_->SetObserver(this);
  document_->SetUndoRecorder(&recorder_);
  recorder_.ClaimRecoveryFile(document_->RecoverFileName);
  TUndoRecorder::TakeBaseline(*document_);
}

TModelForm::~TModelForm()
{
  document_->SetObserver(nullptr);
  paintBox_->SetTextEditing(nullptr);
  textEditors_.reset();
  // The surface's mode machine refers to the document: it goes first.
  delete paintBox_;
  paintBox_ = nullptr;
  // The document deletes its recovery files while the recorder still holds their lock, so
  // that no other copy can take them over half deleted.
  document_.reset();
  TMemoryPolicy::GiveBack();
}

void TModelForm::SetCaption(const QString& caption)
{
  setWindowTitle(caption);
  paintBox_->setAccessibleName(caption);
}

void TModelForm::ShowFileCaption()
{
  QString caption = QFileInfo(document_->FileName).fileName();
  if (document_->ReadOnly) caption += QStringLiteral("  (Read Only)");
  SetCaption(caption);
}

void TModelForm::DocumentOpened()
{
  ShowFileCaption();
  TUndoRecorder::TakeBaseline(*document_);
  Repaint();
}

void TModelForm::EndOperation()
{
  if (document_->Mode != opNone && document_->Mode != opLocked)
    paintBox_->Machine().SetMode(opNone);
  // An editor left open outside text editing still writes back, as one entry.
  if (textEditors_->EditedObject() && document_->Mode != opLocked && textEditors_->Close(true)) {
    document_->ChangePending = true;
    document_->RecordUndo(QStringLiteral("Edit Cogi Text"));
  }
}

bool TModelForm::Busy() const
{
  return document_->Mode == opLocked;
}

void TModelForm::closeEvent(QCloseEvent* event)
{
  // Whatever decides the close, typed text is in the model before the window can go.
  if (textEditors_->EditedObject()) EndOperation();
  if (closeApproved_ || !host_) {
    event->accept();
    return;
  }
  // Edits of a running tool are recorded when it ends; the question must know of them.
  EndOperation();
  if (!Busy() && host_->CanClose(*this)) {
    event->accept();
    return;
  }
  event->ignore();
}

void TModelForm::Repaint()
{
  if (paintBox_) paintBox_->Repaint();
}

void TModelForm::UpdateControls()
{
  Q_EMIT ControlsChanged();
}

void TModelForm::SyncTextToolbar()
{
  Q_EMIT SelectionChanged();
}

void TModelForm::Beep()
{
  if (host_)
    host_->Dialogs().Beep(TBeep::Default);
  else
    QApplication::beep();
}

void TModelForm::ReportError(const QString& message)
{
  if (host_)
    host_->Dialogs().ReportError(message);
  else
    QApplication::beep();
}

void TModelForm::PaintNow(bool fast)
{
  if (paintBox_) paintBox_->PaintNow(fast);
}

void TModelForm::ShowProgress(int percent, const QString& caption)
{
  Q_EMIT ProgressChanged(percent, caption);
}

void TModelForm::EndProgress()
{
  Q_EMIT ProgressEnded();
}
