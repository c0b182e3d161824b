#include "app/modelform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>

#include "document/modeldocument.h"
#include "document/modelpainter.h"
#include "document/modelview.h"
#include "io/modelfile.h"
#include "platform/streamerror.h"

TModelForm::TModelForm(QWidget* parent)
    : QWidget(parent), document_(std::make_unique<TModelDocument>())
{
  setWindowTitle(document_->FileName);
  setMinimumSize(160, 120);
  setFocusPolicy(Qt::StrongFocus);
  // Every paint covers the whole window from the back buffer; no background erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
  document_->SetObserver(this);
  document_->ScreenDpiX = logicalDpiX();
  document_->ScreenDpiY = logicalDpiY();
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
  if (QuerySave())
    event->accept();
  else
    event->ignore();
}

TModelForm::~TModelForm()
{
  document_->SetObserver(nullptr);
  // The document deletes its recovery files while the recorder still holds their lock, so
  // that no other copy can take them over half deleted.
  document_.reset();
}

void TModelForm::Repaint()
{
  dirty_ = true;
  update();
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
  dirty_ = true;
  fastPending_ = fast;
  repaint();
}

void TModelForm::PaintModel(bool fast)
{
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (buffer_.size() != pixels) {
    buffer_ = QImage(pixels, QImage::Format_RGB32);
    buffer_.setDevicePixelRatio(ratio);
  }
  TModelPainter(*document_).DrawScreen(buffer_, fast);
  // A new paint of the model wipes any feedback drawn over the previous one.
  overlay_.Reset(size(), ratio);
  dirty_ = false;
}

void TModelForm::paintEvent(QPaintEvent*)
{
  if (dirty_ || buffer_.isNull()) PaintModel(fastPending_);
  fastPending_ = false;
  QPainter painter(this);
  if (overlay_.IsEmpty())
    painter.drawImage(QPoint(0, 0), buffer_);
  else
    painter.drawImage(QPoint(0, 0), overlay_.Apply(buffer_));
}

void TModelForm::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  document_->ClientSize = size();
  if (!centred_) {
    // A new window shows the middle of its model.
    TModelView view(*document_);
    document_->ViewOrigin.X = document_->ModelWidth / 2.0 - view.HalfWidth();
    document_->ViewOrigin.Y = document_->ModelHeight / 2.0 - view.HalfHeight();
    centred_ = true;
  }
  dirty_ = true;
}

void TModelForm::keyPressEvent(QKeyEvent* event)
{
  TModelView view(*document_);
  const bool control = event->modifiers() & Qt::ControlModifier;
  if (view.MoveByKey(event->key(), control)) return;
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      view.ZoomStep(true);
      return;
    case Qt::Key_Minus:
      view.ZoomStep(false);
      return;
    case Qt::Key_Escape:
      document_->DeselectAll(true);
      PaintNow(false);
      return;
    case Qt::Key_Delete:
      document_->DeleteSelection();
      PaintNow(false);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}
