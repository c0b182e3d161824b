#include "app/shell/modelwindows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/dialogs/dialogservice.h"
#include "app/settings/preferences.h"
#include "app/shell/filefilters.h"
#include "app/shell/recentfiles.h"
#include "app/shell/splashform.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"
#include "io/modelfile.h"
#include "io/recovery.h"
#include "platform/streams/streamerror.h"

namespace {

const QString kTitle = QStringLiteral("Mindorra");

QString FileNameOf(const TModelForm& form)
{
  return QFileInfo(form.Document().FileName).fileName();
}

}  // namespace

TModelWindows::TModelWindows(QMdiArea& area, IDialogService& dialogs,
                             const TPreferences& preferences, TRecentFiles& recent, QObject* parent)
    : QObject(parent),
      area_(area),
      dialogs_(dialogs),
      preferences_(preferences),
      recent_(recent),
      saver_(dialogs)
{
}

// ---- Listing ------------------------------------------------------------------------------

QList<QMdiSubWindow*> TModelWindows::Windows() const
{
  QList<QMdiSubWindow*> windows;
  // The area lists the most recently activated last; a window closing is already hidden.
  const QList<QMdiSubWindow*> history = area_.subWindowList(QMdiArea::ActivationHistoryOrder);
  for (auto it = history.rbegin(); it != history.rend(); ++it)
    if (!(*it)->isHidden() && qobject_cast<TModelForm*>((*it)->widget())) windows << *it;
  return windows;
}

QList<TModelForm*> TModelWindows::Models() const
{
  QList<TModelForm*> models;
  for (QMdiSubWindow* window : Windows())
    models << static_cast<TModelForm*>(window->widget());
  return models;
}

TModelForm* TModelWindows::ActiveModel() const
{
  // The current window stays current while a dialog of the program has the focus.
  QMdiSubWindow* current = area_.currentSubWindow();
  if (current && !current->isHidden())
    if (auto* form = qobject_cast<TModelForm*>(current->widget())) return form;
  const QList<TModelForm*> models = Models();
  return models.isEmpty() ? nullptr : models.front();
}

QMdiSubWindow* TModelWindows::WindowOf(const TModelForm* form) const
{
  for (QMdiSubWindow* window : area_.subWindowList())
    if (window->widget() == form) return window;
  return nullptr;
}

void TModelWindows::Activate(TModelForm* form)
{
  if (QMdiSubWindow* window = WindowOf(form)) {
    if (window->isMinimized()) window->showNormal();
    area_.setActiveSubWindow(window);
    window->raise();
  }
}

// ---- New windows --------------------------------------------------------------------------

TModelForm* TModelWindows::NewWindow()
{
  bool maximised = true;
  if (TModelForm* active = ActiveModel()) {
    active->EndOperation();
    const QMdiSubWindow* window = WindowOf(active);
    maximised = window && window->isMaximized();
  }
  auto* form = new TModelForm;
  form->SetHost(this);
  TModelDocument& document = form->Document();
  // Numbered by the windows open now, the new one included.
  document.FileName = QStringLiteral("Model %1").arg(Models().size() + 1);
  form->SetCaption(QStringLiteral("New ") + document.FileName);
  preferences_.ApplyToNewModel(document);
  form->PaintBox().SetPreferences(preferences_.Interaction());
  TUndoRecorder::TakeBaseline(document);
  connect(form, &TModelForm::ControlsChanged, this, &TModelWindows::ControlsChanged);
  connect(form, &TModelForm::HintChanged, this, &TModelWindows::HintChanged);
  connect(form, &TModelForm::ProgressChanged, this, &TModelWindows::ProgressChanged);
  connect(form, &TModelForm::ProgressEnded, this, &TModelWindows::ProgressEnded);
  QMdiSubWindow* window = area_.addSubWindow(form);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowIcon(TSplashForm::ProgramIcon());
  window->resize(640, 480);
  if (maximised)
    window->showMaximized();
  else
    window->show();
  area_.setActiveSubWindow(window);
  return form;
}

bool TModelWindows::MakeRoom(TModelForm* initiator)
{
  const QList<TModelForm*> models = Models();
  if (models.size() < preferences_.Integer("Max Models")) return true;
  QList<TModelForm*> candidates;
  for (TModelForm* model : models) {
    // A running tool's edits count: they are recorded before anything is judged unmodified.
    model->EndOperation();
    if (model != initiator && !model->Busy()) candidates << model;
  }
  // The least recently used window that holds no unsaved work goes quietly.
  for (auto it = candidates.rbegin(); it != candidates.rend(); ++it)
    if (!(*it)->Document().Modified || surveyMode_) {
      CloseWithoutQuestion(**it);
      return true;
    }
  // Nothing may be closed: the new window goes beyond the limit rather than losing work.
  if (candidates.isEmpty()) return true;
  TModelForm& victim = *candidates.front();
  Activate(&victim);
  victim.PaintNow(false);
  dialogs_.Beep(TBeep::Question);
  const TAnswer answer =
      dialogs_.Ask(TBoxKind::Warning, kTitle,
                   kTitle + QStringLiteral(" needs to close ") + FileNameOf(victim) +
                       QStringLiteral("\r\rSave it before closing?"),
                   TButtons::YesNoCancel);
  if (answer == TAnswer::Cancel) return false;
  if (answer == TAnswer::Yes && !SaveForClose(victim)) return false;
  CloseWithoutQuestion(victim);
  return true;
}

TModelForm* TModelWindows::CreateModelWindow(TModelForm* initiator)
{
  if (!MakeRoom(initiator)) return nullptr;
  return NewWindow();
}

// ---- Opening ------------------------------------------------------------------------------

TModelForm* TModelWindows::OpenModel(const QString& path, bool readOnly, TModelForm* initiator)
{
  const QString identity = TRecentFiles::Identity(path);
  for (TModelForm* model : Models())
    if (model->Document().Named && TRecentFiles::Identity(model->Document().FileName) == identity) {
      Activate(model);
      WindowOf(model)->showMaximized();
      recent_.Add(path);
      return model;
    }
  const QFileInfo info(path);
  if (!info.isFile()) {
    dialogs_.ReportError(QStringLiteral("Cannot load model.  File not found."));
    return nullptr;
  }
  TModelForm* form = CreateModelWindow(initiator);
  if (!form) return nullptr;
  TModelDocument& document = form->Document();
  // The file's own mark counts even for a user who could write it anyway.
  const bool protectedFile = !info.isWritable() || !(info.permissions() & QFile::WriteOwner);
  try {
    TModelFile::OpenModelFile(document, path, readOnly || protectedFile);
  } catch (const EStreamError& error) {
    dialogs_.ReportError(error.Message());
    if (document.Objects.empty()) {
      // Nothing was read: no window and no recent entry stand for a file that did not open.
      CloseWithoutQuestion(*form);
      return nullptr;
    }
    // A damaged file: what was read stays in the window, which is not that file.
    TUndoRecorder::TakeBaseline(document);
    form->Repaint();
    return form;
  }
  document.Named = true;
  form->DocumentOpened();
  recent_.Add(path);
  if (protectedFile) {
    dialogs_.Beep(TBeep::Exclamation);
    dialogs_.Message(TBoxKind::Warning, kTitle,
                     QStringLiteral("This file is Read Only. You will not affect changes in "
                                    "this file."));
  }
  return form;
}

int TModelWindows::RecoverModels()
{
  // The files stay claimed from the moment they are found, so that a copy starting meanwhile
  // cannot take them too.
  return RecoverModels(TRecovery::FindRecoveryFiles());
}

int TModelWindows::RecoverModels(std::vector<TRecoveryClaim> claims)
{
  int recovered = 0;
  for (TRecoveryClaim& claim : claims) {
    TModelForm* form = NewWindow();
    TModelDocument& document = form->Document();
    try {
      TRecovery::Adopt(document, form->Recorder(), claim);
    } catch (const EStreamError& error) {
      // A damaged file is kept aside for the user, and the others are still recovered.
      const QString aside = TRecovery::SetAside(claim);
      CloseWithoutQuestion(*form);
      dialogs_.ReportError(error.Message() +
                           QStringLiteral("\r\rIt has been kept as \"%1\".").arg(aside));
      continue;
    }
    form->SetCaption(TRecovery::RecoveredCaption(document));
    // The recovered model is work no file holds: closing it must ask.
    document.Modified = !document.ReadOnly;
    form->Repaint();
    ++recovered;
  }
  return recovered;
}

// ---- Saving -------------------------------------------------------------------------------

QString TModelWindows::SaveFolder(const TModelForm& form) const
{
  const TModelDocument& document = form.Document();
  if (document.Named) return QFileInfo(document.FileName).absolutePath();
  return preferences_.Text("Model Folder");
}

bool TModelWindows::SaveModelFile(TModelForm& form, const QString& path)
{
  TModelDocument& document = form.Document();
  try {
    TModelFile::SaveModelFile(document, path);
  } catch (const EStreamError& error) {
    dialogs_.ReportError(error.Message());
    return false;
  }
  // The file now written is the user's own to change.
  document.ReadOnly = false;
  form.ShowFileCaption();
  recent_.Add(document.FileName);
  Q_EMIT ControlsChanged();
  return true;
}

bool TModelWindows::Save(TModelForm& form)
{
  form.EndOperation();
  if (!form.Document().Named) return SaveAs(form);
  return SaveModelFile(form, form.Document().FileName);
}

bool TModelWindows::SaveAs(TModelForm& form)
{
  form.EndOperation();
  TModelDocument& document = form.Document();
  TFileRequest request;
  request.Title = QStringLiteral("Save Model");
  request.Folder = SaveFolder(form);
  request.FileName = QFileInfo(document.FileName).completeBaseName();
  request.Filter = filefilters::kLong;
  request.DefaultSuffix = QStringLiteral("mdl");
  const std::optional<QString> path = dialogs_.SaveFile(request);
  if (!path) return false;
  // A picture, page or report of the model leaves the model itself unsaved and unnamed.
  return saver_.Save(form, *path, [this](TModelForm& target, const QString& name) {
    return SaveModelFile(target, name);
  }) == TSaveOutcome::ModelSaved;
}

bool TModelWindows::SaveForClose(TModelForm& form)
{
  TModelDocument& document = form.Document();
  // A named model goes back to its own file in the model format, whatever its name's
  // extension; only a model file written counts as saved.
  if (document.Named) return SaveModelFile(form, document.FileName);
  TFileRequest request;
  request.Title = QStringLiteral("Save Model");
  request.Folder = SaveFolder(form);
  request.FileName = document.FileName;
  request.Filter = filefilters::kModel;
  request.DefaultSuffix = QStringLiteral("mdl");
  const std::optional<QString> chosen = dialogs_.SaveFile(request);
  if (!chosen) return false;
  QString path = *chosen;
  // The model must not hide under a picture's or a page's name.
  if (filefilters::IsExportName(path)) path += QStringLiteral(".mdl");
  return SaveModelFile(form, path);
}

// ---- Closing ------------------------------------------------------------------------------

bool TModelWindows::AskToSave(TModelForm& form)
{
  dialogs_.Beep(TBeep::Question);
  const TAnswer answer =
      dialogs_.Ask(TBoxKind::Warning, kTitle,
                   QStringLiteral("\rSave Changes to ") + FileNameOf(form) + QStringLiteral(" ?"),
                   TButtons::YesNoCancel);
  if (answer == TAnswer::Cancel) return false;
  if (answer == TAnswer::No) return true;
  return SaveForClose(form);
}

bool TModelWindows::CanClose(TModelForm& form)
{
  form.EndOperation();
  if (surveyMode_ || !form.Document().Modified) return true;
  return AskToSave(form);
}

void TModelWindows::CloseWithoutQuestion(TModelForm& form)
{
  QMdiSubWindow* window = WindowOf(&form);
  form.ApproveClose();
  if (window)
    window->close();
  else
    form.close();
}

bool TModelWindows::CloseAll()
{
  const QList<TModelForm*> models = Models();
  for (TModelForm* model : models) {
    if (model->Busy()) return false;
    if (!CanClose(*model)) return false;
  }
  for (TModelForm* model : models) {
    QMdiSubWindow* window = WindowOf(model);
    CloseWithoutQuestion(*model);
    // Gone at once, with its recovery file, not at some later turn of the event loop.
    delete window;
  }
  return true;
}

void TModelWindows::AskToSaveEach()
{
  for (TModelForm* model : Models()) {
    model->EndOperation();
    if (model->Document().Modified) AskToSave(*model);
  }
}
