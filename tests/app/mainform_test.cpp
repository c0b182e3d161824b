// The main window's frame: shut-down, the status bar, About, and names for screen readers.
#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/dialogs/accessiblenames.h"
#include "app/shell/modelwindows.h"
#include "app/shell/splashform.h"
#include "app/shell/statuspanel.h"
#include "app/shelltestsupport.h"
#include "interaction/modelpaintbox.h"
#include "testsupport.h"

using namespace shelltest;

namespace {

using MainForm = TShellTest;

QString AccessibleName(QObject* object)
{
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

}  // namespace

TEST_F(MainForm, ExitWritesTheSettingsAndDeletesOnlyThisProcesssSnapshots)
{
  const QString plan = MakeModel(QStringLiteral("plan.mdl"));
  TMainForm& form = Start({plan});
  Edit(*form.ActiveModel());
  const QString own = QStringLiteral("-%1-").arg(QCoreApplication::applicationPid());
  const QDir folder(RecoveryFolder());
  const auto snapshots = [&folder] {
    return folder.entryList({QStringLiteral("CGP Undo *.MDL")}, QDir::Files);
  };
  ASSERT_FALSE(snapshots().filter(own).isEmpty());
  // Another running copy's model: its lock held, one undo snapshot of its own.
  const QString otherRecovery = folder.filePath(QStringLiteral("CGP Recover other.MDL"));
  TFileLock otherLock(TRecovery::LockFile(otherRecovery));
  ASSERT_TRUE(otherLock.TryLock());
  QFile foreign(folder.filePath(TRecovery::SnapshotPrefix(QStringLiteral("other")) +
                                QStringLiteral("1.MDL")));
  ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
  foreign.close();

  // Cancelled, the program goes on and writes nothing.
  dialogs.answers.push_back(TAnswer::Cancel);
  EXPECT_FALSE(form.close());
  EXPECT_FALSE(QFile::exists(TSettingsStore::FilePath(TSettingRoot::Program)));
  EXPECT_FALSE(snapshots().filter(own).isEmpty());

  form.Preferences().Set("Max Models", 7);
  dialogs.answers.push_back(TAnswer::No);
  EXPECT_TRUE(form.close());
  EXPECT_TRUE(snapshots().filter(own).isEmpty());
  EXPECT_TRUE(foreign.exists());
  // Nothing of the closed model is left to be taken for a crash.
  EXPECT_EQ(folder.entryList({QStringLiteral("CGP Recover *")}, QDir::Files),
            QStringList{QStringLiteral("CGP Recover other.MDL.lock")});

  QSettings program(TSettingsStore::FilePath(TSettingRoot::Program), QSettings::IniFormat);
  EXPECT_EQ(program.value(QStringLiteral("Max Models")).toInt(), 7);
  EXPECT_EQ(program.value(QStringLiteral("Recent Files/Count")).toInt(), 1);
  EXPECT_EQ(program.value(QStringLiteral("Recent Files/File1")).toString(), plan);
  EXPECT_TRUE(program.value(QStringLiteral("Other Toolbars/Status Bar")).toBool());
  EXPECT_TRUE(program.value(QStringLiteral("Other Toolbars/Color Palette")).toBool());
  QSettings toolbars(TSettingsStore::FilePath(TSettingRoot::Toolbars), QSettings::IniFormat);
  EXPECT_FALSE(toolbars.value(QStringLiteral("State")).toByteArray().isEmpty());
}

TEST_F(MainForm, TheStatusBarShowsHintsProgressAndItsPanelsAct)
{
  TMainForm& form = Start();
  TStatusPanel& status = form.StatusPanel();
  TModelForm* model = form.ActiveModel();
  Q_EMIT model->PaintBox().HintChanged(QStringLiteral("Sting|Click an object to delete it"));
  EXPECT_EQ(status.HintText(), QStringLiteral("  Click an object to delete it"));
  form.Actions().Action(QStringLiteral("FileOpen"))->showStatusText(&form);
  EXPECT_EQ(status.HintText(), QStringLiteral("  Opens a model from a file"));

  EXPECT_EQ(status.PagesPanel()->text(), QStringLiteral("4 x 4"));
  EXPECT_EQ(status.ZoomPanel()->text(),
            QStringLiteral("%1 %").arg(std::lround(model->Document().Zoom)));
  const bool grid = model->Document().SnapToGrid;
  status.GridPanel()->click();
  EXPECT_NE(model->Document().SnapToGrid, grid);
  const bool shape = model->Document().SnapToShape;
  status.ShapePanel()->click();
  EXPECT_NE(model->Document().SnapToShape, shape);
  // Hovering a panel shows its own long hint.
  QStatusTipEvent tip(status.GridPanel()->statusTip());
  QCoreApplication::sendEvent(&form, &tip);
  EXPECT_EQ(status.HintText(), QStringLiteral("  Snap To Grid.  Click to toggle."));

  model->ShowProgress(40, QStringLiteral("Loading"));
  EXPECT_TRUE(status.InProgress());
  EXPECT_TRUE(status.GridPanel()->isHidden());
  EXPECT_EQ(status.findChild<QProgressBar*>()->value(), 40);
  // A new hint brings the panels back.
  status.SetHint(QStringLiteral("Ready"));
  EXPECT_FALSE(status.InProgress());
  EXPECT_FALSE(status.GridPanel()->isHidden());
  EXPECT_TRUE(status.findChild<QProgressBar*>()->isHidden());
}

TEST_F(MainForm, AboutShowsItsPictureUntilClicked)
{
  TMainForm& form = Start();
  bool shown = false;
  QTimer::singleShot(0, [&shown] {
    TSplashForm* about = TSplashForm::Current();
    if (!about) return;
    shown = about->ShowsAbout() && about->size() == QSize(450, 378);
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(100, 100));
  });
  form.Actions().Action(QStringLiteral("HelpAbout"))->trigger();
  EXPECT_TRUE(shown);
  // For a person to look at.
  TSplashForm::Picture(true).save(testsupport::OutputPath(QStringLiteral("about.png")));
  TSplashForm::Picture(false).save(testsupport::OutputPath(QStringLiteral("splash.png")));
  EXPECT_EQ(TSplashForm::Current(), nullptr);
}

TEST_F(MainForm, MenuItemsButtonsDialogControlsAndTheSurfaceAreNamedByTheirCaptions)
{
  TMainForm& form = Start();
  int named = 0;
  QAccessibleInterface* menus = QAccessible::queryAccessibleInterface(form.menuBar());
  ASSERT_NE(menus, nullptr);
  ASSERT_EQ(menus->childCount(), form.menuBar()->actions().size());
  for (int i = 0; i < menus->childCount(); ++i) {
    QAction* top = form.menuBar()->actions()[i];
    EXPECT_EQ(menus->child(i)->text(QAccessible::Name), TAccessibleNames::Plain(top->text()));
    QMenu* menu = top->menu();
    if (!menu) continue;
    EXPECT_EQ(AccessibleName(menu), TAccessibleNames::Plain(menu->title()));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(menu);
    for (int j = 0; j < iface->childCount(); ++j) {
      QAccessibleInterface* item = iface->child(j);
      QAction* action = menu->actions()[j];
      if (action->isSeparator()) continue;
      EXPECT_EQ(item->text(QAccessible::Name), TAccessibleNames::Plain(action->text()));
      ++named;
    }
  }
  EXPECT_GE(named, 10);
  EXPECT_EQ(TAccessibleNames::Plain(QStringLiteral("Model &Size && Orientation")),
            QStringLiteral("Model Size & Orientation"));

  // A toolbar button placed through the registry.
  QToolBar bar;
  QToolButton* save = form.Actions().Place(&bar, QStringLiteral("FileSave"));
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->accessibleName(), QStringLiteral("Save"));
  EXPECT_EQ(AccessibleName(save), QStringLiteral("Save"));

  // A dialog's controls.
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Mindorra"), QStringLiteral("Sure?"),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  TAccessibleNames::NameControls(&box);
  QStringList buttons;
  for (QAbstractButton* button : box.buttons())
    buttons << button->accessibleName();
  buttons.sort();
  EXPECT_EQ(buttons,
            (QStringList{QStringLiteral("Cancel"), QStringLiteral("No"), QStringLiteral("Yes")}));
  QWidget dialog;
  auto* label = new QLabel(QStringLiteral("&Enter a Line Width in pts"), &dialog);
  auto* edit = new QLineEdit(&dialog);
  label->setBuddy(edit);
  TAccessibleNames::NameControls(&dialog);
  EXPECT_EQ(edit->accessibleName(), QStringLiteral("Enter a Line Width in pts"));

  // The drawing surface is named after its model, and follows the caption.
  TModelForm* model = form.ActiveModel();
  EXPECT_EQ(AccessibleName(&model->PaintBox()), QStringLiteral("New Model 1"));
  const QString saved = ModelPath(QStringLiteral("named.mdl"));
  dialogs.saveNames.push_back(saved);
  ASSERT_TRUE(form.Windows().SaveAs(*model));
  EXPECT_EQ(AccessibleName(&model->PaintBox()), QStringLiteral("named.mdl"));
}
