#include "app/modelform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QVBoxLayout>

#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"
#include "io/modelfile.h"
#include "platform/streamerror.h"

TModelForm::TModelForm(QWidget* parent)
    : QWidget(parent),
      document_(std::make_unique<TModelDocument>()),
      paintBox_(new TModelPaintBox(*document_, this))
{
  setWindowTitle(document_->FileName);
  setMinimumSize(160, 120);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(paintBox_);
  setFocusProxy(paintBox_);
  document_->SetObserver(this);
  document_->SetUndoRecorder(&recorder_);
  recorder_.ClaimRecoveryFile(document_->RecoverFileName);
  TUndoRecorder::TakeBaseline(*document_);
}

void TModelForm::DocumentOpened()
{
  QString caption = QFileInfo(document_->FileName).fileName();
  if (document_->ReadOnly) caption += QStringLiteral("  (Read Only)");
  setWindowTitle(caption);
  TUndoRecorder::TakeBaseline(*document_);
  Repaint();
}

bool TModelForm::QuerySave()
{
  if (!document_->Modified) return true;
  QApplication::beep();
  const auto answer = QMessageBox::warning(
      this, QStringLiteral("Mindorra"),
      QStringLiteral("Save Changes to %1 ?").arg(QFileInfo(document_->FileName).fileName()),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::No) return true;
  if (answer != QMessageBox::Yes) return false;
  QString path = document_->FileName;
  if (!document_->Named) {
    path = QFileDialog::getSaveFileName(this, QString(), document_->FileName,
                                        QStringLiteral("CGP Model (*.mdl);;All files (*)"));
    if (path.isEmpty()) return false;
  }
  try {
    TModelFile::SaveModelAs(*document_, path, QSize(640, 480));
  } catch (const EStreamError& error) {
    ReportError(error.Message());
    return false;
  }
  return true;
}

void TModelForm::closeEvent(QCloseEvent* event)
{
  // A running tool records its edits when it ends; the question must know about them.
  paintBox_->Machine().SetMode(opNone);
  if (QuerySave())
    event->accept();
  else
    event->ignore();
}

TModelForm::~TModelForm()
{
  document_->SetObserver(nullptr);
  // The surface's mode machine refers to the document: it goes first.
  delete paintBox_;
  paintBox_ = nullptr;
  // The document deletes its recovery files while the recorder still holds their lock, so
  // that no other copy can take them over half deleted.
  document_.reset();
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
  QApplication::beep();
}

void TModelForm::ReportError(const QString& message)
{
  QApplication::beep();
  if (!message.isEmpty())
    QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Error.\n\n") + message);
}

void TModelForm::PaintNow(bool fast)
{
  if (paintBox_) paintBox_->PaintNow(fast);
}
