// The main window: the frame of the program with its menus, status bar and the document area
// that holds the model windows. It runs the start-up after the first show (recovery files,
// the models named on the command line, the control model or a new model) and the shut-down
// (every model window's close question, then the settings written).
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

#include "app/actionregistry.h"
#include "app/commands/mailsender.h"
#include "app/commands/quickzoom.h"
#include "app/settings/preferences.h"
#include "app/shell/helpwindow.h"
#include "app/shell/recentfiles.h"
#include "io/recovery.h"

class CGPObject;
class IDialogService;
class QMdiArea;
class QMenu;
class TDropDownMenus;
class TMainToolbars;
class TModelCommands;

class TFeatureCommands;
class TModelForm;
class TModelWindows;
class TRecentFilesMenu;
class TSettingsStore;
class TStatusPanel;
class TWindowMenu;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // With the desktop's own dialogs.
  explicit TMainForm(QWidget* parent = nullptr);
  // With a dialog service of the caller's (tests answer the questions in-process).
  explicit TMainForm(IDialogService& dialogs, QWidget* parent = nullptr);
  ~TMainForm() override;

  // ---- Start-up
  // The arguments the program was started with that name model files.
  void SetStartFiles(const QStringList& files) { startFiles_ = files; }
  // The delayed load step: recovery files, then the files named on the command line, else
  // the control model or one new model; then the splash goes. Runs once; the load timer
  // started by the first show calls it.
  void RunLoadStep();
  bool LoadStepDone() const { return loadStepDone_; }
  // What shows the oblique thought at start when the user wants it.
  void SetThoughtHook(std::function<void()> hook) { thoughtHook_ = std::move(hook); }

  // ---- Model windows
  TModelForm* ActiveModel() const;
  QList<TModelForm*> Models() const;
  TModelForm* CreateModelWindow();
  TModelForm* OpenModel(const QString& path, bool readOnly);
  int RecoverModels();
  // Restores recovery files claimed earlier, one window each; returns how many.
  int RecoverModels(std::vector<TRecoveryClaim> claims);
  // The New Model command: a new model of the preferred size, without asking.
  TModelForm* NewModel();
  QMdiArea* ModelArea() const { return mdiArea_; }
  TModelWindows& Windows() const { return *windows_; }

  // ---- Shared pieces
  IDialogService& Dialogs() const { return dialogs_; }
  TPreferences& Preferences() { return preferences_; }
  TRecentFiles& RecentFiles() { return recent_; }
  TActionRegistry& Actions() { return actions_; }
  TSettingsStore& Store() const { return *store_; }
  TFeatureCommands& Features() const { return *features_; }
  TStatusPanel& StatusPanel() const { return *status_; }
  TRecentFilesMenu& RecentFilesMenu() const { return *recentMenu_; }
  TWindowMenu& WindowMenu() const { return *windowMenu_; }
  TMainToolbars& Toolbars() const { return *toolbars_; }
  TDropDownMenus& DropDownMenus() const { return *dropDowns_; }
  TQuickZoom& QuickZoom() { return quickZoom_; }
  TMailSender& Mail() { return mail_; }
  // The menus other pieces fill: built-in models and templates.
  QMenu* NavigateMenu() const { return navigateMenu_; }
  QMenu* TemplatesMenu() const { return templatesMenu_; }
  // Puts the colour palette strip in its bar along the bottom, above the status bar.
  void SetColorPalette(QWidget* palette);
  void SetColorPaletteVisible(bool visible);
  THelpWindow* HelpWindow() const { return help_; }
  // Opens the help window on a page ("index.html" is the contents).
  void ShowHelp(const QString& page);
  // The "mailto:" link of a suggestion or an error report.
  static QUrl SupportMail(const QString& subject);
  static inline const QString kSupportAddress = QStringLiteral("support@mindorra.org");
  // The model menu of a right click, as built for an object (or none) of the active model.
  QMenu* BuildModelMenu(CGPObject* object);
  // The program's one error path for commands: a beep, and the message in an error box.
  void ReportError(const QString& message);

  bool SurveyMode() const;
  void SetSurveyMode(bool on);
  bool ColorPaletteVisible() const { return paletteVisible_; }
  void UpdateControls();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void Build();
  void RegisterActions();
  void BindCommands();
  void BindViewCommands();
  void BuildMenus();
  void BuildToolbars();
  // A command on the active model: a beep without one, else the command and UpdateControls.
  std::function<void()> OnModel(std::function<void(TModelCommands&)> command);
  void ExportImageCommand();
  void SendByEmailCommand();
  void OpenMailLink(const QString& subject);
  void ShowModelMenu(TModelForm* form, QPoint pixel, CGPObject* object);
  void ConnectModelWindows();
  void ApplyPaletteVisibility();
  // The first show: clickable panels, toolbar layout, recent files, bar visibility, the
  // model folder and the load timer.
  void FirstShow();
  void SaveSettings();
  void OpenCommand();
  void CloseCommand();
  void SaveAllCommand();
  void AboutCommand();
  void ToggleSnap(bool grid);
  void ShowHint(const QString& hint);

  std::unique_ptr<IDialogService> ownDialogs_;
  IDialogService& dialogs_;
  std::unique_ptr<TSettingsStore> store_;
  TPreferences preferences_;
  TRecentFiles recent_;
  TActionRegistry actions_;
  QMdiArea* mdiArea_ = nullptr;
  TModelWindows* windows_ = nullptr;
  TStatusPanel* status_ = nullptr;
  TRecentFilesMenu* recentMenu_ = nullptr;
  TWindowMenu* windowMenu_ = nullptr;
  TDropDownMenus* dropDowns_ = nullptr;
  TMainToolbars* toolbars_ = nullptr;
  QMenu* navigateMenu_ = nullptr;
  QMenu* templatesMenu_ = nullptr;
  QWidget* palette_ = nullptr;
  TFeatureCommands* features_ = nullptr;
  QPointer<THelpWindow> help_;
  TQuickZoom quickZoom_;
  TMailSender mail_;
  QTimer loadTimer_;
  QStringList startFiles_;
  std::function<void()> thoughtHook_;
  bool firstShow_ = true;
  bool loadStepDone_ = false;
  bool paletteVisible_ = true;
};
