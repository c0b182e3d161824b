// The start: what the load step opens, the splash, and where the default folders lie.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "app/shell/modelwindows.h"
#include "app/shell/splashform.h"
#include "app/shelltestsupport.h"
#include "io/modelstream.h"

using namespace shelltest;

namespace {

class Startup : public TShellTest {
 protected:
  // A recovery file a copy of the program left when it was killed (no running copy holds it).
  void LeaveRecoveryFile(int number, int cogis)
  {
    TModelDocument document;
    for (int i = 0; i < cogis; ++i)
      iotest::AddCogi(document, 1 + i, 1);
    QDir().mkpath(RecoveryFolder());
    QFile file(RecoveryFolder() + QStringLiteral("/CGP Recover 1000-999999-%1.MDL").arg(number));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(TModelStream::WriteModel(document, false));
  }
};

}  // namespace

TEST_F(Startup, AFreshStartMakesOneMaximisedNewModel1)
{
  TMainForm& form = Start();
  ASSERT_EQ(Captions(), QStringList{QStringLiteral("New Model 1")});
  TModelForm* model = form.ActiveModel();
  EXPECT_EQ(model->Document().FileName, QStringLiteral("Model 1"));
  EXPECT_FALSE(model->Document().Named);
  EXPECT_FALSE(model->Document().Modified);
  EXPECT_TRUE(form.Windows().WindowOf(model)->isMaximized());
  // The preferences reached the new model: 4 x 4 landscape pages, ten zoom frames.
  EXPECT_EQ(model->Document().PagesAcross, 4);
  EXPECT_EQ(model->Document().PagesDown, 4);
  EXPECT_EQ(model->Document().Orientation, 1);
  EXPECT_EQ(model->Document().ZoomFrames, 10);
  EXPECT_TRUE(form.windowTitle().startsWith(QStringLiteral("Mindorra")));
  EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(Startup, AModelOnTheCommandLineOpensAloneAndOtherArgumentsAreIgnored)
{
  const QString plan = MakeModel(QStringLiteral("plan.mdl"), 2);
  Start({plan});
  EXPECT_EQ(Captions(), QStringList{QStringLiteral("plan.mdl")});
  EXPECT_EQ(main->ActiveModel()->Document().Objects.size(), 2u);

  QFile notes(ModelPath(QStringLiteral("notes.txt")));
  ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
  notes.close();
  Restart({notes.fileName()});
  EXPECT_EQ(Captions(), QStringList{QStringLiteral("New Model 1")});
}

TEST_F(Startup, TheControlModelOpensOnlyWhenThePreferenceAsks)
{
  const QString control = MakeModel(QStringLiteral("control.mdl"));
  WriteSettings(QStringLiteral("[General]\nControl%20Model=%1\n").arg(control));
  Start();
  EXPECT_EQ(Captions(), QStringList{QStringLiteral("control.mdl")});

  main->Preferences().Set("Load Control Model", false);
  Restart();
  EXPECT_EQ(Captions(), QStringList{QStringLiteral("New Model 1")});
}

TEST_F(Startup, FilesNamedOnTheCommandLineOpenAlsoAfterARecovery)
{
  const QString control = MakeModel(QStringLiteral("control.mdl"));
  WriteSettings(QStringLiteral("[General]\nControl%20Model=%1\n").arg(control));
  LeaveRecoveryFile(1, 3);
  const QString plan = MakeModel(QStringLiteral("plan.mdl"));
  Start({plan});
  const QStringList captions = Captions();
  ASSERT_EQ(captions.size(), 2) << captions.join(QLatin1Char(';')).toStdString();
  EXPECT_TRUE(captions.contains(QStringLiteral("plan.mdl")));
  EXPECT_EQ(captions.filter(QStringLiteral(" Recovered")).size(), 1);
}

TEST_F(Startup, TheSplashIsHiddenWhateverTheLoadStepMeets)
{
  TSplashForm::ShowSplash(false);
  ASSERT_NE(TSplashForm::Current(), nullptr);
  EXPECT_FALSE(TSplashForm::Current()->ShowsAbout());
  EXPECT_EQ(TSplashForm::Current()->size(), QSize(575, 371));
  QFile garbage(ModelPath(QStringLiteral("garbage.mdl")));
  ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
  garbage.write(QByteArray(64, '\0'));
  garbage.close();
  Start({ModelPath(QStringLiteral("missing.mdl")), garbage.fileName()});
  EXPECT_EQ(TSplashForm::Current(), nullptr);
  // Both failures were told, and the user still has a model to work on.
  EXPECT_EQ(dialogs.Count(QStringLiteral("message")), 2);
  EXPECT_EQ(Captions(), QStringList{QStringLiteral("New Model 1")});
}

TEST_F(Startup, TheDefaultModelFolderIsTheDocumentsFolderNotALiteralWindowsPath)
{
  const QString work = Path(QStringLiteral("work"));
  QDir().mkpath(work);
  const QString previous = QDir::currentPath();
  QDir::setCurrent(work);
  Start();
  QDir::setCurrent(previous);
  EXPECT_EQ(main->Preferences().Text("Model Folder"), Documents());
  EXPECT_EQ(main->Preferences().Text("Control Model"),
            Documents() + QStringLiteral("/Mindorra Control Model.mdl"));
  // The model folder exists now, and nothing was made where the program was started.
  EXPECT_TRUE(QFileInfo(Documents()).isDir());
  EXPECT_TRUE(QDir(work).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

  // A folder written the old way is not taken for a folder here.
  main.reset();
  WriteSettings(QStringLiteral("[General]\nModel%20Folder=C:\\\\My Models\n"));
  Start();
  EXPECT_EQ(main->Preferences().Text("Model Folder"), Documents());
}

TEST_F(Startup, TheBarsAndTheThoughtFollowTheSettings)
{
  WriteSettings(
      QStringLiteral("[Other%20Toolbars]\nStatus%20Bar=false\n"
                     "[Quotes]\nShow%20on%20Startup=true\n"));
  int thoughts = 0;
  main = std::make_unique<TMainForm>(dialogs);
  main->SetThoughtHook([&thoughts] { ++thoughts; });
  main->show();
  main->RunLoadStep();
  main->RunLoadStep();
  EXPECT_EQ(thoughts, 1);
  EXPECT_TRUE(main->statusBar()->isHidden());
  // Kept as it is at shut-down.
  Restart();
  EXPECT_TRUE(main->statusBar()->isHidden());
}
