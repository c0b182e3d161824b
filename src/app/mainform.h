// The main window: the multiple-document area with the model windows, menus and status bar.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include "app/actionregistry.h"

class QMdiArea;
class TModelForm;

class TMainForm : public QMainWindow {
  Q_OBJECT

public:
  explicit TMainForm(QWidget* parent = nullptr);

  // Opens the models named on the command line, or one empty model when there are none.
  void OpenStartupFiles(const QStringList& files);
  TModelForm* ActiveModel() const;
  QMdiArea* ModelArea() const { return mdiArea_; }

private:
  void RegisterActions();
  void BuildMenus();
  TModelForm* CreateModelWindow();

  TActionRegistry actions_;
  QMdiArea* mdiArea_;
};
