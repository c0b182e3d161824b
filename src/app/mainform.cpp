#include "app/mainform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "app/modelform.h"
#include "document/modeldocument.h"
#include "io/modelfile.h"
#include "io/recovery.h"
#include "io/undorecorder.h"
#include "platform/streamerror.h"

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent), actions_(this), mdiArea_(new QMdiArea(this))
{
  setWindowTitle(QStringLiteral("Mindorra"));
  setCentralWidget(mdiArea_);
  RegisterActions();
  BuildMenus();
  statusBar()->showMessage(QString());
  resize(1024, 720);
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] { UpdateControls(); });
}

void TMainForm::RegisterActions()
{
  actions_.Register(QStringLiteral("FileExit"), tr("E&xit"), QKeySequence(Qt::ALT | Qt::Key_F4),
                    QStringLiteral("application-exit"), [this] { close(); });
  actions_.Register(QStringLiteral("EditUndo"), tr("Can't Undo"), QKeySequence::Undo,
                    QStringLiteral("edit-undo"), [this] {
                      if (TModelForm* model = ActiveModel())
                        model->Recorder().Undo(model->Document());
                      UpdateControls();
                    });
  actions_.Register(QStringLiteral("EditRedo"), tr("Can't Redo"), QKeySequence::Redo,
                    QStringLiteral("edit-redo"), [this] {
                      if (TModelForm* model = ActiveModel())
                        model->Recorder().Redo(model->Document());
                      UpdateControls();
                    });
}

void TMainForm::BuildMenus()
{
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(actions_.Action(QStringLiteral("FileExit")));
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(actions_.Action(QStringLiteral("EditUndo")));
  edit->addAction(actions_.Action(QStringLiteral("EditRedo")));
  UpdateControls();
}

void TMainForm::UpdateControls()
{
  TModelForm* model = ActiveModel();
  QAction* undo = actions_.Action(QStringLiteral("EditUndo"));
  QAction* redo = actions_.Action(QStringLiteral("EditRedo"));
  const auto [canUndo, undoText] = model ? TUndoRecorder::UndoCaption(model->Document())
                                         : std::pair{false, QStringLiteral("Can't Undo")};
  const auto [canRedo, redoText] = model ? TUndoRecorder::RedoCaption(model->Document())
                                         : std::pair{false, QStringLiteral("Can't Redo")};
  undo->setEnabled(canUndo);
  undo->setText(undoText);
  redo->setEnabled(canRedo);
  redo->setText(redoText);
}

void TMainForm::ShowError(const QString& message)
{
  QApplication::beep();
  QMessageBox::critical(this, QStringLiteral("Error"), message);
}

TModelForm* TMainForm::CreateModelWindow()
{
  auto* form = new TModelForm;
  form->Document().FileName = QStringLiteral("Model %1").arg(nextModelNumber_++);
  form->setWindowTitle(form->Document().FileName);
  connect(form, &TModelForm::ControlsChanged, this, [this] { UpdateControls(); });
  QMdiSubWindow* sub = mdiArea_->addSubWindow(form);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->resize(640, 480);
  sub->show();
  return form;
}

TModelForm* TMainForm::OpenModel(const QString& path, bool readOnly)
{
  if (!QFileInfo(path).isFile()) {
    ShowError(QStringLiteral("Cannot load model.  File not found.\n\n") + path);
    return nullptr;
  }
  TModelForm* form = CreateModelWindow();
  const bool protectedFile = !QFileInfo(path).isWritable();
  try {
    TModelFile::OpenModelFile(form->Document(), path, readOnly || protectedFile);
  } catch (const EStreamError& error) {
    // The objects read before the error stay in the window, as the file had them.
    ShowError(error.Message());
  }
  form->DocumentOpened();
  return form;
}

int TMainForm::RecoverModels()
{
  // The files stay claimed from the moment they are found, so that a copy starting meanwhile
  // cannot take them too.
  return RecoverModels(TRecovery::FindRecoveryFiles());
}

int TMainForm::RecoverModels(std::vector<TRecoveryClaim> claims)
{
  int recovered = 0;
  for (TRecoveryClaim& claim : claims) {
    TModelForm* form = CreateModelWindow();
    try {
      TRecovery::Adopt(form->Document(), form->Recorder(), claim);
      form->setWindowTitle(TRecovery::RecoveredCaption(form->Document()));
      ++recovered;
    } catch (const EStreamError& error) {
      // A damaged file is kept aside for the user, and the others are still recovered.
      const QString aside = TRecovery::SetAside(claim);
      form->parentWidget()->close();
      ShowError(error.Message() + QStringLiteral("\n\nIt has been kept as \"%1\".").arg(aside));
    }
  }
  return recovered;
}

void TMainForm::Start(const QStringList& files)
{
  if (RecoverModels() > 0) return;
  for (const QString& file : files)
    OpenModel(file, false);
  if (mdiArea_->subWindowList().isEmpty()) CreateModelWindow();
}

TModelForm* TMainForm::ActiveModel() const
{
  QMdiSubWindow* sub = mdiArea_->activeSubWindow();
  if (!sub && !mdiArea_->subWindowList().isEmpty()) sub = mdiArea_->subWindowList().back();
  return sub ? qobject_cast<TModelForm*>(sub->widget()) : nullptr;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
  mdiArea_->closeAllSubWindows();
  // Closed windows are deleted later; one still shown asked to stay open.
  for (QMdiSubWindow* sub : mdiArea_->subWindowList())
    if (sub->isVisible()) {
      event->ignore();
      return;
    }
  TRecovery::RemoveLeftovers();
  event->accept();
}
