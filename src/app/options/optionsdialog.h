// The Options dialog: the user's preferences on five pages, edited on a copy of the record so
// that Cancel (or Escape, or the title bar) leaves everything as it was. OK and Apply put the
// copy into the record and save it; Restore Default Preferences empties the settings store.
#pragma once

#include <QDialog>
#include <map>
#include <vector>

#include "app/options/optionshooks.h"
#include "app/settings/preferences.h"

class IDialogService;
class QAbstractButton;
class QAction;
class QLineEdit;
class QMenu;
class QSpinBox;
class QTabWidget;
class QToolButton;
class TOptionsPreview;
class TSettingsStore;

// How the dialog was closed.
enum class TOptionsResult { Cancelled, Ok, Apply };

class TOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  TOptionsDialog(TPreferences& preferences, TSettingsStore& store, IDialogService& dialogs,
                 const TOptionsHooks& hooks = {}, QWidget* parent = nullptr);

  // Shows the dialog modally; with OK or Apply the record has been saved to the store.
  static TOptionsResult Run(QWidget* parent, TPreferences& preferences, TSettingsStore& store,
                            IDialogService& dialogs, const TOptionsHooks& hooks = {});

  TOptionsResult Result() const { return result_; }
  // The preferences as the controls hold them now.
  const TPreferences& Edited() const { return edited_; }

  // ---- The dialog's own commands, as its controls run them
  void OkClick();
  void ApplyClick();
  void RestoreDefaultsClick();
  void ZoomSpeedClick();
  void SizeOrientationClick();
  void FillStyleChosen(int style);
  void FillPropertiesClick();
  void LineThicknessChosen(int quarters);
  void LineThicknessOtherClick();
  void ChooseColour(TSettingId id, const QString& title);
  void ControlModelBrowse();
  void ModelFolderBrowse();

  // The dialog's own drop-down menus of the Cogis page.
  QMenu* FillMenu() const { return fillMenu_; }
  QMenu* LineThicknessMenu() const { return lineMenu_; }

 private:
  QWidget* BuildModelPage();
  QWidget* BuildCogiPage();
  QWidget* BuildClusterPage();
  QWidget* BuildStandardisePage();
  QWidget* BuildOtherPage();
  void BuildFillMenu();
  void BuildLineMenu();
  // A check box or toggle button that writes its state into a setting at once.
  void Bind(QAbstractButton* button, TSettingId id);
  // A button that chooses a colour setting, showing the colour.
  QToolButton* ColourBox(TSettingId id, const QString& caption, const QString& hint);
  QToolButton* Toggle(const QString& caption, const QString& hint);

  // Controls from the edited record, and the boxes typed into back into it.
  void LoadControls();
  void LoadButtons();
  void ReadTypedControls();
  void Accept(TOptionsResult result);
  void Changed();

  TPreferences& preferences_;
  TPreferences edited_;
  TSettingsStore& store_;
  IDialogService& dialogs_;
  TOptionsHooks hooks_;
  TOptionsResult result_ = TOptionsResult::Cancelled;
  bool loading_ = false;

  QTabWidget* pages_ = nullptr;
  std::vector<std::pair<QAbstractButton*, TSettingId>> bound_;
  std::vector<std::pair<QToolButton*, TSettingId>> colourBoxes_;
  std::vector<QAbstractButton*> sizeButtons_;
  QAbstractButton* lineStyle_ = nullptr;
  QAbstractButton* shadowed_ = nullptr;
  QAbstractButton* style3D_ = nullptr;
  QMenu* fillMenu_ = nullptr;
  QMenu* lineMenu_ = nullptr;
  std::vector<QAction*> fillActions_;  // Solid, Clear, Fill Properties...
  std::vector<std::pair<QAction*, int>> lineActions_;
  QAction* lineOther_ = nullptr;
  QLineEdit* controlModel_ = nullptr;
  QLineEdit* modelFolder_ = nullptr;
  QSpinBox* maxModels_ = nullptr;
  std::vector<TOptionsPreview*> previews_;
};
