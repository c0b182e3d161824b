// The main window: the multiple-document area with the model windows, menus and status bar.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <vector>

#include "app/actionregistry.h"
#include "io/recovery.h"

class QMdiArea;
class QProgressBar;
class TModelForm;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(QWidget* parent = nullptr);

  // The start: recovery files left by a crash first, else the models named on the command
  // line, else one empty model.
  void Start(const QStringList& files);
  // Restores every recovery file no running copy owns into its own window; returns how many.
  int RecoverModels();
  // Restores recovery files claimed earlier, one window each; returns how many.
  int RecoverModels(std::vector<TRecoveryClaim> claims);
  TModelForm* OpenModel(const QString& path, bool readOnly);
  TModelForm* ActiveModel() const;
  QMdiArea* ModelArea() const { return mdiArea_; }
  TModelForm* CreateModelWindow();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void RegisterActions();
  void BuildMenus();
  void UpdateControls();

 protected:
  // The one error path of the shell; a beep and a message box.
  virtual void ShowError(const QString& message);

 private:
  TActionRegistry actions_;
  QMdiArea* mdiArea_;
  int nextModelNumber_ = 1;
};
