#include "app/mainform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrlQuery>

#include "app/commands/commandtable.h"
#include "app/commands/controlstates.h"
#include "app/commands/featurecommands.h"
#include "app/commands/modelcommands.h"
#include "app/commands/savebyextension.h"
#include "app/dialogs/accessiblenames.h"
#include "app/dialogs/dialogservice.h"
#include "app/dialogs/qtdialogservice.h"
#include "app/modelform.h"
#include "app/settings/settingsstore.h"
#include "app/shell/filefilters.h"
#include "app/shell/helpwindow.h"
#include "app/shell/modelwindows.h"
#include "app/shell/recentfilesmenu.h"
#include "app/shell/splashform.h"
#include "app/shell/statuspanel.h"
#include "app/shell/windowmenu.h"
#include "app/toolbars/dropdownmenus.h"
#include "app/toolbars/maintoolbars.h"
#include "app/toolbars/modelmenu.h"
#include "app/toolbars/quickzoombutton.h"
#include "document/modeldocument.h"
#include "interaction/cursorlibrary.h"
#include "interaction/modelpaintbox.h"
#include "io/recovery.h"
#include "io/undorecorder.h"
#include "model/cgpobject.h"
#include "model/objectkind.h"
#include "model/operationmode.h"

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
      actions_(this),
      mail_(dialogs_)
{
  Build();
}

TMainForm::TMainForm(IDialogService& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), actions_(this), mail_(dialogs_)
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
  BuildToolbars();
  features_ = new TFeatureCommands(*this);
  resize(1024, 720);

  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
    ConnectModelWindows();
    UpdateControls();
  });
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
  // Every command stands in the menus and toolbars from the start; those whose work is
  // built here get their handlers below, the others stay disabled until Implement.
  for (const TCommandRow& row : TCommandTable::Rows()) {
    QAction* action = actions_.Register(
        QString::fromLatin1(row.Id), QString::fromUtf8(row.Caption),
        QKeySequence::fromString(QString::fromLatin1(row.Shortcut), QKeySequence::PortableText),
        QString::fromLatin1(row.Icon), nullptr, QString::fromUtf8(row.Hint));
    action->setCheckable(row.Checkable);
  }
  QAction* survey = actions_.Register(
      QStringLiteral("SurveyMode"), kSurveyOff, QKeySequence(), QString(),
      [this] { SetSurveyMode(actions_.Action(QStringLiteral("SurveyMode"))->isChecked()); });
  survey->setCheckable(true);
  BindCommands();
  BindViewCommands();
}

std::function<void()> TMainForm::OnModel(std::function<void(TModelCommands&)> command)
{
  return [this, command = std::move(command)] {
    TModelForm* model = ActiveModel();
    if (!model) {
      ReportError(QString());
      return;
    }
    TModelCommands commands(*model, dialogs_);
    command(commands);
    UpdateControls();
  };
}

void TMainForm::BindCommands()
{
  const auto bind = [this](const char* id, std::function<void()> handler) {
    actions_.Implement(QString::fromLatin1(id), std::move(handler));
  };
  // ---- File
  // The page setup question of New comes with its dialog; until then New is New Model.
  bind("FileNew", [this] { NewModel(); });
  bind("NewModel", [this] { NewModel(); });
  bind("FileOpen", [this] { OpenCommand(); });
  bind("OpenModel", [this] { OpenCommand(); });
  bind("FileClose", [this] { CloseCommand(); });
  const auto save = [this] {
    if (TModelForm* model = ActiveModel())
      windows_->Save(*model);
    else
      ReportError(QString());
    UpdateControls();
  };
  bind("FileSave", save);
  bind("SaveModel", save);
  bind("FileSaveAs", [this] {
    if (TModelForm* model = ActiveModel())
      windows_->SaveAs(*model);
    else
      ReportError(QString());
    UpdateControls();
  });
  bind("FileSaveAll", [this] { SaveAllCommand(); });
  bind("FileEmail", [this] { SendByEmailCommand(); });
  bind("SendByEmail", [this] { SendByEmailCommand(); });
  bind("FileExportImage", [this] { ExportImageCommand(); });
  bind("FileExit", [this] { close(); });

  // ---- Edit
  bind("EditUndo", [this] {
    if (TModelForm* model = ActiveModel()) model->Recorder().Undo(model->Document());
    UpdateControls();
  });
  bind("EditRedo", [this] {
    if (TModelForm* model = ActiveModel()) model->Recorder().Redo(model->Document());
    UpdateControls();
  });
  bind("EditDelete", OnModel([](TModelCommands& c) { c.Delete(); }));
  bind("EditSelectAll", OnModel([](TModelCommands& c) { c.SelectAll(); }));
  bind("EditInsertShortcut", [this] {
    TModelForm* model = ActiveModel();
    if (!model) return ReportError(QString());
    TFileRequest request;
    request.Title = QStringLiteral("Create Shortcut");
    request.Filter = filefilters::kProgram;
    const std::optional<TFileChoice> choice = dialogs_.OpenFiles(request);
    if (!choice) return;
    model->EndOperation();
    model->Document().InsertShortcut(choice->Files.front());
    model->Repaint();
    UpdateControls();
  });

  // ---- Model and Cogi
  bind("ModelShowGrid", OnModel([](TModelCommands& c) { c.ToggleGrid(); }));
  bind("ModelSnapToGrid", OnModel([](TModelCommands& c) { c.ToggleSnapToGrid(); }));
  bind("ModelSnapToShape", OnModel([](TModelCommands& c) { c.ToggleSnapToShape(); }));
  bind("ModelZoomSpeed", OnModel([](TModelCommands& c) { c.AskZoomSpeed(); }));
  bind("ModelClearBackground", OnModel([](TModelCommands& c) { c.ClearBackground(); }));
  bind("CogiRenumber", OnModel([](TModelCommands& c) { c.Renumber(); }));
  bind("CogiShowNumber", OnModel([this](TModelCommands& c) {
         c.ToggleShowNumber(actions_.Action(QStringLiteral("CogiShowNumber"))->isChecked());
       }));

  // ---- Navigation
  bind("ToMainView", OnModel([](TModelCommands& c) { c.ToMainView(); }));
  bind("SetMainView", OnModel([](TModelCommands& c) { c.SetMainView(); }));
  bind("WholeModel", OnModel([](TModelCommands& c) { c.WholeModel(); }));
  bind("ZoomIn", OnModel([](TModelCommands& c) { c.EnterMode(opZoomBox); }));
  bind("ZoomBack", OnModel([](TModelCommands& c) { c.ZoomBack(); }));
  bind("SetZoom", [this] { dropDowns_->ZoomMenu()->popup(QCursor::pos()); });
  bind("PanView", OnModel([](TModelCommands& c) { c.EnterMode(opPan); }));

  // ---- Modify: the drop-down buttons open their menus; the rest act at once
  bind("ChangeSize", [this] { dropDowns_->SizeMenu()->popup(QCursor::pos()); });
  bind("ChangeFill", [this] { dropDowns_->FillMenu()->popup(QCursor::pos()); });
  bind("LineThickness", [this] { dropDowns_->LineMenu()->popup(QCursor::pos()); });
  bind("ShowLine", OnModel([](TModelCommands& c) { c.ToggleShowLine(); }));
  bind("Shadow", OnModel([](TModelCommands& c) { c.ToggleShadow(); }));
  bind("Style3D", OnModel([](TModelCommands& c) { c.Toggle3D(); }));
  bind("SendToBack", OnModel([](TModelCommands& c) { c.SendToBack(); }));
  bind("BringToFront", OnModel([](TModelCommands& c) { c.BringToFront(); }));
  bind("RotateRight", OnModel([](TModelCommands& c) { c.RotateRight(); }));
  bind("FreeRotate", OnModel([](TModelCommands& c) { c.FreeRotate(); }));

  // ---- Quick
  bind("EndOperation", OnModel([](TModelCommands& c) { c.EnterMode(opNone); }));
  bind("CreateCogis", OnModel([](TModelCommands& c) { c.StartTool(TCreationTool::Cogis); }));
  bind("CreateClusters", OnModel([](TModelCommands& c) { c.StartTool(TCreationTool::Clusters); }));
  bind("EditText", OnModel([](TModelCommands& c) { c.EditText(); }));
  bind("CreateLabel", OnModel([](TModelCommands& c) { c.EnterMode(opCreateLabel); }));
  bind("DrawArrowPlain",
       OnModel([](TModelCommands& c) { c.StartTool(TCreationTool::ArrowPlain); }));
  bind("DrawLine", OnModel([](TModelCommands& c) { c.StartTool(TCreationTool::Line); }));
  bind("DrawArrowDefault",
       OnModel([](TModelCommands& c) { c.StartTool(TCreationTool::ArrowDefault); }));
  bind("Freeform", OnModel([](TModelCommands& c) { c.StartTool(TCreationTool::Freeform); }));
  bind("Standardise", OnModel([](TModelCommands& c) { c.EnterMode(opFormatPaint); }));
  bind("StingCogis", OnModel([](TModelCommands& c) { c.EnterMode(opSting); }));

  // ---- Help
  bind("HelpContents", [this] { ShowHelp(QStringLiteral("index.html")); });
  bind("HelpButton", [this] { ShowHelp(QStringLiteral("index.html")); });
  bind("HelpHowTo", [this] { ShowHelp(QStringLiteral("usinghelp.html")); });
  bind("HelpSuggestion", [this] { OpenMailLink(QStringLiteral("Mindorra Suggestion")); });
  bind("HelpReportError", [this] { OpenMailLink(QStringLiteral("Mindorra Error")); });
  bind("HelpAbout", [this] { AboutCommand(); });
}

void TMainForm::BindViewCommands()
{
  const std::pair<const char*, const char*> bars[] = {{"ViewToolbarModify", "Modify"},
                                                      {"ViewToolbarNavigation", "Navigation"},
                                                      {"ViewToolbarPalettes", "Palettes"},
                                                      {"ViewToolbarQuick", "Quick"},
                                                      {"ViewToolbarSpecial", "Special"},
                                                      {"ViewToolbarStandard", "Standard"},
                                                      {"ViewToolbarText", "TextProperties"},
                                                      {"ToggleQuick", "Quick"},
                                                      {"ToggleModify", "Modify"},
                                                      {"ToggleSpecial", "Special"}};
  for (const auto& [id, bar] : bars)
    actions_.Implement(QString::fromLatin1(id), [this, bar = QString::fromLatin1(bar)] {
      toolbars_->Toggle(bar);
      UpdateControls();
    });
  actions_.Implement(QStringLiteral("ViewColorPalette"),
                     [this] { SetColorPaletteVisible(!paletteVisible_); });
  actions_.Implement(QStringLiteral("ViewStatusBar"), [this] {
    status_->setVisible(status_->isHidden());
    UpdateControls();
  });
}

void TMainForm::BuildMenus()
{
  const auto fill = [this](QMenu* menu, std::initializer_list<const char*> ids) {
    for (const char* id : ids)
      if (QLatin1String(id) == QLatin1String("-"))
        menu->addSeparator();
      else
        menu->addAction(actions_.Action(QLatin1String(id)));
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  fill(file, {"FileNew", "FileOpen", "FileClose", "-", "FileSave", "FileSaveAs", "FileSaveAll",
              "FileSaveHtml", "-", "FilePrint", "FilePageSetup", "FileSummary", "-", "FileEmail",
              "FileExportImage", "FileTextReport", "-"});
  recentMenu_ = new TRecentFilesMenu(recent_, file);
  connect(recentMenu_, &TRecentFilesMenu::OpenRequested, this,
          [this](const QString& path) { OpenModel(path, false); });
  file->addMenu(recentMenu_);
  // The submenu is greyed while the list is empty.
  connect(file, &QMenu::aboutToShow, recentMenu_, &TRecentFilesMenu::Refresh);
  file->addSeparator();
  file->addAction(actions_.Action(QStringLiteral("FileExit")));

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  fill(edit, {"EditUndo", "EditRedo", "-", "EditCut", "EditCopy", "EditPaste", "EditDelete", "-",
              "EditSelectAll", "-", "EditInsertClipart", "EditInsertObject", "EditInsertShortcut",
              "EditInsertModel", "-", "EditOptions"});

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  fill(view, {"ViewMagnifier"});
  QMenu* bars = view->addMenu(QStringLiteral("Toolbars"));
  bars->setObjectName(QStringLiteral("ToolbarsMenu"));
  fill(bars, {"ViewToolbarModify", "ViewToolbarNavigation", "ViewToolbarPalettes",
              "ViewToolbarQuick", "ViewToolbarSpecial", "ViewToolbarStandard", "ViewToolbarText"});
  fill(view, {"ViewColorPalette", "ViewStatusBar"});
  connect(view, &QMenu::aboutToShow, this, [this] { UpdateControls(); });

  QMenu* model = menuBar()->addMenu(QStringLiteral("&Model"));
  fill(model, {"ModelShowGrid", "ModelSnapToShape", "ModelSnapToGrid", "-", "ModelSize",
               "ModelZoomSpeed", "-", "ModelBackground", "ModelClearBackground"});
  connect(model, &QMenu::aboutToShow, this, [this] { UpdateControls(); });
  QMenu* cogi = menuBar()->addMenu(QStringLiteral("&Cogi"));
  fill(cogi, {"CogiRenumber", "CogiShowNumber", "-", "CogiBrainstorm", "-", "CogiLinkGateway",
              "CogiLinkNewModel", "CogiLinkWeb", "CogiRemoveLink"});
  connect(cogi, &QMenu::aboutToShow, this, [this] { UpdateControls(); });
  templatesMenu_ = menuBar()->addMenu(QStringLiteral("&Templates"));
  templatesMenu_->setObjectName(QStringLiteral("TemplatesMenu"));
  windowMenu_ = new TWindowMenu(
      *mdiArea_, [this] { return windows_->Windows(); }, this);
  connect(windowMenu_, &TWindowMenu::WindowChosen, this, [this](QMdiSubWindow* window) {
    windows_->Activate(qobject_cast<TModelForm*>(window->widget()));
  });
  menuBar()->addMenu(windowMenu_);
  navigateMenu_ = menuBar()->addMenu(QStringLiteral("&Navigate"));
  navigateMenu_->setObjectName(QStringLiteral("NavigateMenu"));
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  fill(help,
       {"HelpContents", "HelpHowTo", "-", "HelpSuggestion", "HelpReportError", "-", "HelpAbout"});
  menuBar()->addAction(actions_.Action(QStringLiteral("SurveyMode")));
  TAccessibleNames::NameControls(this);
}

void TMainForm::BuildToolbars()
{
  TDropDownMenus::THandlers handlers;
  handlers.Size = [this](int size) { OnModel([size](TModelCommands& c) { c.SetSize(size); })(); };
  handlers.Fill = [this](int style) {
    OnModel([style](TModelCommands& c) { c.SetFill(static_cast<std::uint8_t>(style)); })();
  };
  handlers.LineWidth = [this](double points) {
    OnModel([points](TModelCommands& c) { c.SetLineWidth(points); })();
  };
  handlers.LineWidthOther = [this] { OnModel([](TModelCommands& c) { c.AskLineWidth(); })(); };
  handlers.Zoom = [this](int value) {
    OnModel([value](TModelCommands& c) { c.ZoomMenu(value); })();
  };
  handlers.ZoomOther = [this] { OnModel([](TModelCommands& c) { c.AskZoom(); })(); };
  dropDowns_ = new TDropDownMenus(this, std::move(handlers));
  toolbars_ = new TMainToolbars(*this, actions_, *dropDowns_, recentMenu_);
  for (QToolBar* bar : toolbars_->Bars())
    connect(bar, &QToolBar::visibilityChanged, this, [this] { UpdateControls(); });
  TQuickZoomButton* rocker = toolbars_->QuickZoomButton();
  connect(rocker, &TQuickZoomButton::Pressed, this,
          [this](bool in) { quickZoom_.Begin(ActiveModel(), in); });
  connect(rocker, &TQuickZoomButton::DirectionChanged, &quickZoom_, &TQuickZoom::SetDirection);
  connect(rocker, &TQuickZoomButton::Released, &quickZoom_, &TQuickZoom::End);
  connect(&quickZoom_, &TQuickZoom::Stepped, this, [this] { UpdateControls(); });
  connect(&quickZoom_, &TQuickZoom::Ended, this, [this] { UpdateControls(); });
  connect(status_, &TStatusPanel::ZoomClicked, this,
          [this](QPoint at) { dropDowns_->ZoomMenu()->popup(at); });
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
  ApplyPaletteVisibility();
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
  // Every named, modified model goes to its own file in the model format, whatever its
  // name's extension. A read-only model is never overwritten, a model without a file is
  // asked about (its placeholder name is no place to write), and a failure (reported by
  // the save) does not stop the others.
  QStringList readOnly;
  for (TModelForm* model : models) {
    model->EndOperation();
    const TModelDocument& document = model->Document();
    if (!document.Modified) continue;
    if (document.ReadOnly) {
      readOnly << model->Caption();
      continue;
    }
    if (document.Named) {
      windows_->SaveModelFile(*model, document.FileName);
      continue;
    }
    windows_->Activate(model);
    const TAnswer answer =
        dialogs_.Ask(TBoxKind::Question, kTitle,
                     QStringLiteral("Save Changes to ") + model->Caption() + QStringLiteral(" ?"),
                     TButtons::YesNoCancel);
    if (answer == TAnswer::Cancel) break;
    if (answer == TAnswer::Yes) windows_->SaveAs(*model);
  }
  if (!readOnly.isEmpty())
    dialogs_.Message(TBoxKind::Warning, kTitle,
                     QStringLiteral("These models are read-only and were not saved:\r") +
                         readOnly.join(QStringLiteral("\r")));
  UpdateControls();
}

void TMainForm::ExportImageCommand()
{
  TModelForm* model = ActiveModel();
  if (!model || model->Document().Objects.empty()) {
    ReportError(QString());
    return;
  }
  model->EndOperation();
  const TModelDocument& document = model->Document();
  TFileRequest request;
  request.Title = QStringLiteral("Export Model Image");
  request.Folder = document.Named ? QFileInfo(document.FileName).absolutePath()
                                  : preferences_.Text("Model Folder");
  request.FileName = QFileInfo(document.FileName).completeBaseName();
  request.Filter = filefilters::kImage;
  request.DefaultSuffix = QStringLiteral("bmp");
  const std::optional<QString> path = dialogs_.SaveFile(request);
  if (!path) return;
  if (!QFileInfo(*path).absoluteDir().exists()) {
    ReportError(QStringLiteral("The folder of \"%1\" does not exist.").arg(*path));
    return;
  }
  if (!TSaveByExtension::IsPictureName(*path)) {
    ReportError(QStringLiteral("Unknown graphic format."));
    return;
  }
  windows_->Saver().Save(*model, *path, [](TModelForm&, const QString&) { return false; });
  UpdateControls();
}

void TMainForm::SendByEmailCommand()
{
  TModelForm* model = ActiveModel();
  if (!model) {
    ReportError(QString());
    return;
  }
  model->EndOperation();
  mail_.SendModel(model->Document());
}

QUrl TMainForm::SupportMail(const QString& subject)
{
  QUrl url(QStringLiteral("mailto:") + kSupportAddress);
  QUrlQuery query;
  query.addQueryItem(QStringLiteral("subject"), subject);
  url.setQuery(query);
  return url;
}

void TMainForm::OpenMailLink(const QString& subject)
{
  if (!QDesktopServices::openUrl(SupportMail(subject))) ReportError(QString());
}

void TMainForm::ShowHelp(const QString& page)
{
  if (!help_) help_ = new THelpWindow(this);
  help_->ShowPage(page);
}

void TMainForm::SetColorPalette(QWidget* palette)
{
  palette_ = palette;
  toolbars_->PaletteBar()->addWidget(palette);
  ApplyPaletteVisibility();
}

void TMainForm::SetColorPaletteVisible(bool visible)
{
  paletteVisible_ = visible;
  ApplyPaletteVisibility();
  UpdateControls();
}

void TMainForm::ApplyPaletteVisibility()
{
  // An empty bar would show only its frame.
  toolbars_->PaletteBar()->setVisible(paletteVisible_ && palette_);
}

QMenu* TMainForm::BuildModelMenu(CGPObject* object)
{
  TModelForm* model = ActiveModel();
  if (!model) return nullptr;
  UpdateControls();
  if (object) actions_.Action(QStringLiteral("CogiShowNumber"))->setChecked(object->ShowNumber);
  return TModelMenu::Build(this, actions_, model->Document(), object);
}

void TMainForm::ShowModelMenu(TModelForm* form, QPoint pixel, CGPObject* object)
{
  if (form != ActiveModel()) return;
  QMenu* menu = BuildModelMenu(object);
  if (!menu) return;
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(form->PaintBox().mapToGlobal(pixel));
}

void TMainForm::ConnectModelWindows()
{
  for (TModelForm* form : Models()) {
    if (form->property("modelMenuConnected").toBool()) continue;
    form->setProperty("modelMenuConnected", true);
    features_->ConnectModelWindow(*form);
    connect(&form->PaintBox(), &TModelPaintBox::ModelMenuRequested, this,
            [this, form](QPoint pixel, CGPObject* object) { ShowModelMenu(form, pixel, object); });
  }
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

namespace {

// Commands that act without a model window.
const QStringList kWithoutModel = {
    QStringLiteral("FileNew"),          QStringLiteral("NewModel"),
    QStringLiteral("FileOpen"),         QStringLiteral("OpenModel"),
    QStringLiteral("FileExit"),         QStringLiteral("HelpContents"),
    QStringLiteral("HelpButton"),       QStringLiteral("HelpHowTo"),
    QStringLiteral("HelpSuggestion"),   QStringLiteral("HelpReportError"),
    QStringLiteral("HelpAbout"),        QStringLiteral("SurveyMode"),
    QStringLiteral("ControlModel"),     QStringLiteral("ToLastModel"),
    QStringLiteral("ObliqueThought"),   QStringLiteral("EditOptions"),
    QStringLiteral("ViewMagnifier"),    QStringLiteral("MagnifierButton"),
    QStringLiteral("ViewColorPalette"), QStringLiteral("ViewStatusBar")};

// The toolbar each view item and toggle button follows.
const std::pair<const char*, const char*> kToolbarItems[] = {
    {"ViewToolbarModify", "Modify"},
    {"ViewToolbarNavigation", "Navigation"},
    {"ViewToolbarPalettes", "Palettes"},
    {"ViewToolbarQuick", "Quick"},
    {"ViewToolbarSpecial", "Special"},
    {"ViewToolbarStandard", "Standard"},
    {"ViewToolbarText", "TextProperties"},
    {"ToggleQuick", "Quick"},
    {"ToggleModify", "Modify"},
    {"ToggleSpecial", "Special"}};

}  // namespace

void TMainForm::UpdateControls()
{
  TModelForm* model = ActiveModel();
  const bool survey = SurveyMode();
  for (const QString& id : actions_.Ids())
    if (!id.startsWith(QLatin1String("ViewToolbar")) && !id.startsWith(QLatin1String("Toggle")))
      actions_.Enable(id, model || kWithoutModel.contains(id));
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
  const bool saving = model && !survey;
  for (const char* id : {"FileSave", "SaveModel", "FileSaveAs", "FileSaveAll"})
    actions_.Enable(QLatin1String(id), saving);
  if (toolbars_)
    for (const auto& [id, bar] : kToolbarItems)
      if (QToolBar* toolbar = toolbars_->Bar(QLatin1String(bar)))
        actions_.Action(QLatin1String(id))->setChecked(toolbar->isVisibleTo(this));
  actions_.Action(QStringLiteral("ViewColorPalette"))->setChecked(paletteVisible_);
  actions_.Action(QStringLiteral("ViewStatusBar"))->setChecked(!status_->isHidden());
  status_->ShowModel(model != nullptr);
  if (features_) features_->UpdateControls();
  bool anyModified = false;
  for (const TModelForm* open : Models())
    anyModified = anyModified || open->Document().Modified;
  if (dropDowns_)
    TControlStates::Apply(actions_, *dropDowns_, model ? &model->Document() : nullptr, survey,
                          anyModified, TControlStates::TextModeOf(model));
  if (!model) return;
  const TModelDocument& document = model->Document();
  actions_.Action(QStringLiteral("ModelShowGrid"))->setChecked(document.ShowGrid);
  actions_.Action(QStringLiteral("ModelSnapToGrid"))->setChecked(document.SnapToGrid);
  actions_.Action(QStringLiteral("ModelSnapToShape"))->setChecked(document.SnapToShape);
  actions_.Enable(QStringLiteral("ModelClearBackground"), document.Background.has_value());
  const CGPObject* first = document.FirstSelected();
  actions_.Action(QStringLiteral("CogiShowNumber"))
      ->setChecked(first ? first->ShowNumber : document.ShowNumber);
  // A tool's button stays pressed while its mode runs, and only then.
  const TOperationMode mode = document.Mode;
  const bool arrows = mode == opCreateArrows;
  const std::pair<const char*, bool> tools[] = {
      {"CreateCogis", mode == opPlaceShape && document.CreateKind == okCogi},
      {"CreateClusters", mode == opCreateClusters},
      {"EditText", mode == opPickText || mode == opEditText},
      {"CreateLabel", mode == opCreateLabel},
      {"DrawArrowPlain", arrows && document.NewArrowStyle == 0 && document.NewArrowB == 0},
      {"DrawLine", arrows && document.NewArrowStyle == 10},
      {"DrawArrowDefault", arrows && document.NewArrowB == 1},
      {"Freeform", mode == opFreeform},
      {"Standardise", mode == opFormatPaint},
      {"StingCogis", mode == opSting}};
  for (const auto& [id, on] : tools)
    actions_.Action(QLatin1String(id))->setChecked(on);
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
