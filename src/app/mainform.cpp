#include "app/mainform.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

#include "app/modelform.h"

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent), actions_(this), mdiArea_(new QMdiArea(this))
{
  setWindowTitle(QStringLiteral("Mindorra"));
  setCentralWidget(mdiArea_);
  RegisterActions();
  BuildMenus();
  statusBar()->showMessage(QString());
  resize(1024, 720);
}

void TMainForm::RegisterActions()
{
  actions_.Register(QStringLiteral("FileExit"), tr("E&xit"), QKeySequence(Qt::ALT | Qt::Key_F4),
                    QStringLiteral("application-exit"), [this] { close(); });
}

void TMainForm::BuildMenus()
{
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(actions_.Action(QStringLiteral("FileExit")));
}

TModelForm* TMainForm::CreateModelWindow()
{
  auto* form = new TModelForm;
  QMdiSubWindow* sub = mdiArea_->addSubWindow(form);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->resize(640, 480);
  sub->show();
  return form;
}

void TMainForm::OpenStartupFiles(const QStringList& files)
{
  CreateModelWindow();
  // Model files cannot be read yet; say so rather than show an empty window under their name.
  if (!files.isEmpty())
    statusBar()->showMessage(tr("Opening model files is not available yet: %1")
                                 .arg(files.join(QStringLiteral(", "))));
}

TModelForm* TMainForm::ActiveModel() const
{
  QMdiSubWindow* sub = mdiArea_->activeSubWindow();
  return sub ? qobject_cast<TModelForm*>(sub->widget()) : nullptr;
}
