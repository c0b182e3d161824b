// The life of the model windows in the main window's document area: making new ones under
// the open-model limit, opening model files (each file in one window only), restoring
// recovery files, the close question, and saving in the model format for the paths that
// must keep the model (closing, the limit, shut-down).
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <vector>

#include "app/commands/savebyextension.h"
#include "app/modelform.h"
#include "io/recovery.h"

class QMdiArea;
class QMdiSubWindow;
class TPreferences;
class TRecentFiles;

class TModelWindows : public QObject, public IModelWindowHost {
  Q_OBJECT

 public:
  TModelWindows(QMdiArea& area, IDialogService& dialogs, const TPreferences& preferences,
                TRecentFiles& recent, QObject* parent = nullptr);

  // The open model windows in activation order: the active one first.
  QList<TModelForm*> Models() const;
  QList<QMdiSubWindow*> Windows() const;
  TModelForm* ActiveModel() const;
  QMdiSubWindow* WindowOf(const TModelForm* form) const;
  void Activate(TModelForm* form);

  // A new, empty model window, after closing one when the open-model limit is reached; none
  // when the user cancelled that or saving the model to be closed failed. The initiating
  // window (the one a command came from) is never the one closed.
  TModelForm* CreateModelWindow(TModelForm* initiator = nullptr);
  // Opens a model file, or brings forward the window that already shows that file; none
  // when the file is missing, cannot be read, or no window could be made.
  TModelForm* OpenModel(const QString& path, bool readOnly, TModelForm* initiator = nullptr);
  // Restores every recovery file no running copy owns, each into a window of its own
  // whatever the open-model limit; returns how many came back.
  int RecoverModels();
  // The same for recovery files claimed earlier.
  int RecoverModels(std::vector<TRecoveryClaim> claims);

  // Save: to the model's own file when it has one, else as Save As.
  bool Save(TModelForm& form);
  // Save As: the save dialog, then the model or a picture by the chosen name's extension.
  bool SaveAs(TModelForm& form);
  // Writes the model format to a file; only this names the model, clears Modified and
  // ReadOnly and adds the file to the recent list.
  bool SaveModelFile(TModelForm& form, const QString& path);
  // The one path by extension every save command ends in (exporters plug in there).
  TSaveByExtension& Saver() { return saver_; }

  // Shut-down: every window's close question, and when none was cancelled every window
  // closed. False (and every window still open) when one was cancelled.
  bool CloseAll();
  // Asks each modified window whether to save it, closing none (entering survey mode).
  void AskToSaveEach();

  bool SurveyMode() const { return surveyMode_; }
  void SetSurveyMode(bool on) { surveyMode_ = on; }

  // ---- IModelWindowHost
  bool CanClose(TModelForm& form) override;
  IDialogService& Dialogs() override { return dialogs_; }

 Q_SIGNALS:
  void ControlsChanged();
  void HintChanged(const QString& hint);
  void ProgressChanged(int percent, const QString& caption);
  void ProgressEnded();

 private:
  TModelForm* NewWindow();
  // Closes one window when the limit is reached; false when the user cancelled.
  bool MakeRoom(TModelForm* initiator);
  // The close question's Yes: the model format to its own file, or to a name the user gives.
  bool SaveForClose(TModelForm& form);
  // Asks whether to save a modified model: Yes saves, No does not; false on Cancel or when
  // the save failed.
  bool AskToSave(TModelForm& form);
  void CloseWithoutQuestion(TModelForm& form);
  QString SaveFolder(const TModelForm& form) const;

  QMdiArea& area_;
  IDialogService& dialogs_;
  const TPreferences& preferences_;
  TRecentFiles& recent_;
  TSaveByExtension saver_;
  bool surveyMode_ = false;
};
