#include "app/mainform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusTipEvent>

#include "app/dialogs/accessiblenames.h"
#include "app/dialogs/dialogservice.h"
#include "app/dialogs/qtdialogservice.h"
#include "app/modelform.h"
#include "app/settings/settingsstore.h"
#include "app/shell/filefilters.h"
#include "app/shell/modelwindows.h"
#include "app/shell/recentfilesmenu.h"
#include "app/shell/splashform.h"
#include "app/shell/statuspanel.h"
#include "app/shell/windowmenu.h"
#include "document/modeldocument.h"
#include "interaction/cursorlibrary.h"
#include "interaction/modelpaintbox.h"
#include "io/recovery.h"
#include "io/undorecorder.h"

namespace {

const QString kTitle = QStringLiteral("Mindorra");
// The survey-mode item sits apart at the end of the menu bar, padded while it is off.
const QString kSurveyOff = QStringLiteral("Survey Mode        ");
const QString kSurveyOn = QStringLiteral("Survey Mode");

bool IsModelName(const QString& path)
{
  return path.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive);
}

// Hides the splash however the step it guards ends.
struct TSplashGuard {
  ~TSplashGuard() { TSplashForm::HideSplash(); }
};

}  // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent),
      ownDialogs_(std::make_unique<TQtDialogService>(this)),
      dialogs_(*ownDialogs_),
      actions_(this)
{
  Build();
}

TMainForm::TMainForm(IDialogService& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), actions_(this)
{
  Build();
}

TMainForm::~TMainForm()
{
  // The model windows go before the pieces they refer to.
  delete mdiArea_;
  mdiArea_ = nullptr;
}

void TMainForm::Build()
{
  setWindowTitle(kTitle);
  setObjectName(QStringLiteral("MainForm"));
  store_ = std::make_unique<TSettingsStore>();
  preferences_.Load(*store_);
  mdiArea_ = new QMdiArea(this);
  mdiArea_->setObjectName(QStringLiteral("ModelArea"));
  mdiArea_->setAccessibleName(QStringLiteral("Models"));
  setCentralWidget(mdiArea_);
  windows_ = new TModelWindows(*mdiArea_, dialogs_, preferences_, recent_, this);
  status_ = new TStatusPanel(this);
  setStatusBar(status_);
  RegisterActions();
  BuildMenus();
  resize(1024, 720);

  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] { UpdateControls(); });
  connect(windows_, &TModelWindows::ControlsChanged, this, [this] { UpdateControls(); });
  connect(windows_, &TModelWindows::HintChanged, this, &TMainForm::ShowHint);
  connect(windows_, &TModelWindows::ProgressChanged, status_, &TStatusPanel::ShowProgress);
  connect(windows_, &TModelWindows::ProgressEnded, status_, &TStatusPanel::EndProgress);
  connect(status_, &TStatusPanel::GridClicked, this, [this] { ToggleSnap(true); });
  connect(status_, &TStatusPanel::ShapeClicked, this, [this] { ToggleSnap(false); });
  loadTimer_.setSingleShot(true);
  loadTimer_.setInterval(1000);
  connect(&loadTimer_, &QTimer::timeout, this, &TMainForm::RunLoadStep);

  // A cursor file that could not be loaded is reported once; its cursor is the default.
  for (const QString& message : TCursorLibrary::Shared().TakeMessages())
    ReportError(message);
  UpdateControls();
}

void TMainForm::RegisterActions()
{
  actions_.Register(
      QStringLiteral("FileNew"), QStringLiteral("&New..."), QKeySequence(Qt::CTRL | Qt::Key_N),
      QStringLiteral("document-new"), [this] { NewModel(); },
      QStringLiteral("New|Create a new model of specified size"));
  actions_.Register(
      QStringLiteral("FileOpen"), QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
      QStringLiteral("document-open"), [this] { OpenCommand(); },
      QStringLiteral("Open|Opens a model from a file"));
  actions_.Register(
      QStringLiteral("FileClose"), QStringLiteral("&Close"), QKeySequence(),
      QStringLiteral("document-close"), [this] { CloseCommand(); },
      QStringLiteral("Close|Closes the open model"));
  actions_.Register(
      QStringLiteral("FileSave"), QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
      QStringLiteral("document-save"),
      [this] {
        if (TModelForm* model = ActiveModel())
          windows_->Save(*model);
        else
          ReportError(QString());
        UpdateControls();
      },
      QStringLiteral("Save|Saves the open model in the current file"));
  actions_.Register(
      QStringLiteral("FileSaveAs"), QStringLiteral("Save &As..."), QKeySequence(),
      QStringLiteral("document-save-as"),
      [this] {
        if (TModelForm* model = ActiveModel())
          windows_->SaveAs(*model);
        else
          ReportError(QString());
        UpdateControls();
      },
      QStringLiteral("Save As|Save the open model in a new file"));
  actions_.Register(
      QStringLiteral("FileSaveAll"), QStringLiteral("Sa&ve All"), QKeySequence(), QString(),
      [this] { SaveAllCommand(); }, QStringLiteral("Save All|Save all open models"));
  actions_.Register(
      QStringLiteral("FileExit"), QStringLiteral("E&xit"), QKeySequence(Qt::ALT | Qt::Key_F4),
      QStringLiteral("application-exit"), [this] { close(); },
      QStringLiteral("Exit|Exits Mindorra"));
  actions_.Register(QStringLiteral("EditUndo"), QStringLiteral("Can't Undo"), QKeySequence::Undo,
                    QStringLiteral("edit-undo"), [this] {
                      if (TModelForm* model = ActiveModel())
                        model->Recorder().Undo(model->Document());
                      UpdateControls();
                    });
  actions_.Register(QStringLiteral("EditRedo"), QStringLiteral("Can't Redo"), QKeySequence::Redo,
                    QStringLiteral("edit-redo"), [this] {
                      if (TModelForm* model = ActiveModel())
                        model->Recorder().Redo(model->Document());
                      UpdateControls();
                    });
  actions_.Register(QStringLiteral("HelpAbout"), QStringLiteral("&About"), QKeySequence(),
                    QString(), [this] { AboutCommand(); });
  QAction* survey = actions_.Register(QStringLiteral("SurveyMode"), kSurveyOff, QKeySequence(),
                                      QString(), nullptr);
  survey->setCheckable(true);
  connect(survey, &QAction::triggered, this, [this](bool on) { SetSurveyMode(on); });
}

void TMainForm::BuildMenus()
{
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  for (const char* id : {"FileNew", "FileOpen", "FileClose", "FileSave", "FileSaveAs"})
    file->addAction(actions_.Action(QLatin1String(id)));
  file->addAction(actions_.Action(QStringLiteral("FileSaveAll")));
  file->addSeparator();
  recentMenu_ = new TRecentFilesMenu(recent_, file);
  connect(recentMenu_, &TRecentFilesMenu::OpenRequested, this,
          [this](const QString& path) { OpenModel(path, false); });
  file->addMenu(recentMenu_);
  // The submenu is greyed while the list is empty.
  connect(file, &QMenu::aboutToShow, recentMenu_, &TRecentFilesMenu::Refresh);
  file->addSeparator();
  file->addAction(actions_.Action(QStringLiteral("FileExit")));
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->addAction(actions_.Action(QStringLiteral("EditUndo")));
  edit->addAction(actions_.Action(QStringLiteral("EditRedo")));
  windowMenu_ = new TWindowMenu(
      *mdiArea_, [this] { return windows_->Windows(); }, this);
  connect(windowMenu_, &TWindowMenu::WindowChosen, this, [this](QMdiSubWindow* window) {
    windows_->Activate(qobject_cast<TModelForm*>(window->widget()));
  });
  menuBar()->addMenu(windowMenu_);
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->addAction(actions_.Action(QStringLiteral("HelpAbout")));
  menuBar()->addAction(actions_.Action(QStringLiteral("SurveyMode")));
  TAccessibleNames::NameControls(this);
}

// ---- Start-up -----------------------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* event)
{
  QMainWindow::showEvent(event);
  if (!firstShow_) return;
  firstShow_ = false;
  FirstShow();
}

void TMainForm::FirstShow()
{
  // A machine without a printer is normal: models take the default page and print to PDF.
  restoreState(store_->Bytes("State"));
  recent_.Load(*store_);
  paletteVisible_ = store_->Boolean("Other Toolbars/Color Palette");
  status_->setVisible(store_->Boolean("Other Toolbars/Status Bar"));
  setWindowTitle(kTitle);
  QApplication::setApplicationDisplayName(kTitle);
  const QString folder = preferences_.Text("Model Folder");
  if (!folder.isEmpty() && !QFileInfo::exists(folder)) QDir().mkpath(folder);
  loadTimer_.start();
}

void TMainForm::RunLoadStep()
{
  if (loadStepDone_) return;
  loadStepDone_ = true;
  loadTimer_.stop();
  const TSplashGuard splash;
  const int recovered = windows_->RecoverModels();
  // Models named on the command line open after a recovery as well.
  bool named = false;
  for (const QString& file : startFiles_)
    if (IsModelName(file)) {
      named = true;
      OpenModel(file, false);
    }
  if (recovered == 0 && !named && preferences_.Boolean("Load Control Model")) {
    const QString control = preferences_.Text("Control Model");
    if (QFileInfo(control).isFile()) OpenModel(control, false);
  }
  if (Models().isEmpty()) NewModel();
  UpdateControls();
  if (TModelForm* model = ActiveModel()) model->Repaint();
  TSplashForm::HideSplash();
  if (store_->Boolean("Quotes/Show on Startup") && thoughtHook_) thoughtHook_();
}

// ---- Model windows ------------------------------------------------------------------------

TModelForm* TMainForm::ActiveModel() const
{
  return windows_->ActiveModel();
}

QList<TModelForm*> TMainForm::Models() const
{
  return windows_->Models();
}

TModelForm* TMainForm::CreateModelWindow()
{
  TModelForm* form = windows_->CreateModelWindow();
  UpdateControls();
  return form;
}

TModelForm* TMainForm::OpenModel(const QString& path, bool readOnly)
{
  TModelForm* form = windows_->OpenModel(path, readOnly);
  UpdateControls();
  return form;
}

int TMainForm::RecoverModels()
{
  const int recovered = windows_->RecoverModels();
  UpdateControls();
  return recovered;
}

int TMainForm::RecoverModels(std::vector<TRecoveryClaim> claims)
{
  const int recovered = windows_->RecoverModels(std::move(claims));
  UpdateControls();
  return recovered;
}

TModelForm* TMainForm::NewModel()
{
  return CreateModelWindow();
}

void TMainForm::OpenCommand()
{
  TFileRequest request;
  request.Title = QStringLiteral("Open Model");
  const TModelForm* model = ActiveModel();
  request.Folder = model && model->Document().Named
                       ? QFileInfo(model->Document().FileName).absolutePath()
                       : preferences_.Text("Model Folder");
  request.Filter = filefilters::kModel;
  request.MultipleFiles = true;
  request.OfferReadOnly = true;
  request.PreviewModels = true;
  const std::optional<TFileChoice> choice = dialogs_.OpenFiles(request);
  if (!choice) return;
  for (const QString& file : choice->Files)
    OpenModel(file, choice->ReadOnly);
}

void TMainForm::CloseCommand()
{
  TModelForm* model = ActiveModel();
  if (!model) {
    ReportError(QString());
    return;
  }
  model->EndOperation();
  if (QMdiSubWindow* window = windows_->WindowOf(model)) window->close();
  UpdateControls();
}

void TMainForm::SaveAllCommand()
{
  const QList<TModelForm*> models = Models();
  if (models.isEmpty()) {
    ReportError(QString());
    return;
  }
  // Every named model goes to its own file in the model format, whatever its name's
  // extension; a failure is reported and the others are still saved.
  for (TModelForm* model : models) {
    model->EndOperation();
    const TModelDocument& document = model->Document();
    if (document.Named && document.Modified && !document.ReadOnly)
      windows_->SaveModelFile(*model, document.FileName);
  }
  UpdateControls();
}

void TMainForm::AboutCommand()
{
  TSplashForm::ShowSplash(true);
  TSplashForm::HideSplash();
}

void TMainForm::ToggleSnap(bool grid)
{
  TModelForm* model = ActiveModel();
  if (!model) {
    ReportError(QString());
    return;
  }
  TModelDocument& document = model->Document();
  if (grid)
    document.SnapToGrid = !document.SnapToGrid;
  else
    document.SnapToShape = !document.SnapToShape;
  model->Repaint();
  UpdateControls();
}

// ---- Shared pieces ------------------------------------------------------------------------

void TMainForm::ReportError(const QString& message)
{
  dialogs_.ReportError(message);
}

bool TMainForm::SurveyMode() const
{
  return windows_->SurveyMode();
}

void TMainForm::SetSurveyMode(bool on)
{
  if (on) {
    // Each model is offered a save first; nothing is closed, and Cancel still enters it.
    windows_->AskToSaveEach();
    windows_->SetSurveyMode(true);
    setWindowTitle(kTitle + QStringLiteral(" - SURVEY MODE"));
    actions_.SetCaption(QStringLiteral("SurveyMode"), kSurveyOn);
  } else {
    windows_->SetSurveyMode(false);
    setWindowTitle(kTitle);
    actions_.SetCaption(QStringLiteral("SurveyMode"), kSurveyOff);
  }
  actions_.Action(QStringLiteral("SurveyMode"))->setChecked(on);
  UpdateControls();
}

void TMainForm::ShowHint(const QString& hint)
{
  status_->SetHint(TActionRegistry::LongHint(hint));
}

bool TMainForm::event(QEvent* event)
{
  // Menu items, buttons and panels show their long hint in the hint area.
  if (event->type() == QEvent::StatusTip) {
    status_->SetHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
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
  actions_.SetCaption(QStringLiteral("EditUndo"), undoText);
  redo->setEnabled(canRedo);
  actions_.SetCaption(QStringLiteral("EditRedo"), redoText);
  const bool saving = model && !SurveyMode();
  for (const char* id : {"FileSave", "FileSaveAs", "FileSaveAll"})
    actions_.Action(QLatin1String(id))->setEnabled(saving);
  actions_.Action(QStringLiteral("FileClose"))->setEnabled(model != nullptr);
  status_->ShowModel(model != nullptr);
  if (!model) return;
  const TModelDocument& document = model->Document();
  status_->SetSnapToGrid(document.SnapToGrid);
  status_->SetSnapToShape(document.SnapToShape);
  status_->SetPages(document.PagesAcross, document.PagesDown, document.Orientation);
  status_->SetZoom(document.Zoom);
}

// ---- Shut-down ----------------------------------------------------------------------------

void TMainForm::closeEvent(QCloseEvent* event)
{
  if (!windows_->CloseAll()) {
    event->ignore();
    return;
  }
  disconnect(mdiArea_, nullptr, this, nullptr);
  SaveSettings();
  TRecovery::RemoveLeftovers();
  TSplashForm::HideSplash();
  event->accept();
}

void TMainForm::SaveSettings()
{
  preferences_.Save(*store_);
  store_->Write("State", saveState());
  recent_.Save(*store_);
  store_->Write("Other Toolbars/Color Palette", paletteVisible_);
  store_->Write("Other Toolbars/Status Bar", !status_->isHidden());
  store_->Sync();
}
