// The main window: the frame of the program with its menus, status bar and the document area
// that holds the model windows. It runs the start-up after the first show (recovery files,
// the models named on the command line, the control model or a new model) and the shut-down
// (every model window's close question, then the settings written).
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/actionregistry.h"
#include "app/settings/preferences.h"
#include "app/shell/recentfiles.h"
#include "io/recovery.h"

class IDialogService;
class QMdiArea;
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
  TStatusPanel& StatusPanel() const { return *status_; }
  TRecentFilesMenu& RecentFilesMenu() const { return *recentMenu_; }
  TWindowMenu& WindowMenu() const { return *windowMenu_; }
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
  void BuildMenus();
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
  QTimer loadTimer_;
  QStringList startFiles_;
  std::function<void()> thoughtHook_;
  bool firstShow_ = true;
  bool loadStepDone_ = false;
  bool paletteVisible_ = true;
};
