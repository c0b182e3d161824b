// Opening model files: one window per file, the messages, read-only files and the recent list.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/shell/modelwindows.h"
#include "app/shell/recentfiles.h"
#include "app/shell/recentfilesmenu.h"
#include "app/shelltestsupport.h"

using namespace shelltest;

using OpenModel = TShellTest;

TEST_F(OpenModel, TheSameFileOpensOnceAlsoAsDotPathAndThroughASymlink)
{
  const QString plan = MakeModel(QStringLiteral("plan.mdl"), 2);
  const QString link = ModelPath(QStringLiteral("link.mdl"));
  ASSERT_TRUE(QFile::link(plan, link));
  TMainForm& form = Start({plan});
  TModelForm* first = form.ActiveModel();
  // An edit shows that the window is not read again from the file.
  Edit(*first);
  form.CreateModelWindow();
  const QString previous = QDir::currentPath();
  QDir::setCurrent(ModelPath(QString()));
  EXPECT_EQ(form.OpenModel(QStringLiteral("./plan.mdl"), false), first);
  QDir::setCurrent(previous);
  EXPECT_EQ(form.OpenModel(link, false), first);
  EXPECT_EQ(form.OpenModel(plan, false), first);
  EXPECT_EQ(form.ActiveModel(), first);
  EXPECT_EQ(first->Document().Objects.size(), 3u);
  EXPECT_EQ(form.Models().size(), 2);
}

TEST_F(OpenModel, AMissingFileIsReportedAndOpensNothing)
{
  TMainForm& form = Start();
  dialogs.Forget();
  EXPECT_EQ(form.OpenModel(ModelPath(QStringLiteral("gone.mdl")), false), nullptr);
  EXPECT_EQ(dialogs.Texts(QStringLiteral("message")),
            QStringList{QStringLiteral("Error.\n\nCannot load model.  File not found.")});
  EXPECT_GE(dialogs.beeps, 1);
  EXPECT_EQ(form.Models().size(), 1);
  EXPECT_TRUE(form.RecentFiles().Files().isEmpty());
}

TEST_F(OpenModel, AReadOnlyFileShowsItsBoxAndCaption)
{
  const QString plan = MakeModel(QStringLiteral("plan.mdl"));
  ASSERT_TRUE(QFile::setPermissions(plan, QFile::ReadOwner | QFile::ReadGroup));
  TMainForm& form = Start({plan});
  EXPECT_EQ(dialogs.Texts(QStringLiteral("message")),
            QStringList{QStringLiteral(
                "This file is Read Only. You will not affect changes in this file.")});
  TModelForm* model = form.ActiveModel();
  EXPECT_EQ(model->Caption(), QStringLiteral("plan.mdl  (Read Only)"));
  EXPECT_TRUE(model->Document().ReadOnly);
  // Asked for read-only, a writable file opens read-only without the box.
  const QString other = MakeModel(QStringLiteral("other.mdl"));
  dialogs.Forget();
  EXPECT_TRUE(form.OpenModel(other, true)->Document().ReadOnly);
  EXPECT_EQ(dialogs.Count(QStringLiteral("message")), 0);
}

TEST_F(OpenModel, AFileOfUnknownFormatGivesNoWindowAndNoRecentEntry)
{
  QFile garbage(ModelPath(QStringLiteral("zeros.mdl")));
  ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
  garbage.write(QByteArray(256, '\0'));
  garbage.close();
  TMainForm& form = Start();
  dialogs.Forget();
  EXPECT_EQ(form.OpenModel(garbage.fileName(), false), nullptr);
  EXPECT_EQ(dialogs.Texts(QStringLiteral("message")),
            QStringList{QStringLiteral("Error.\n\nUnable to load model. Unknown format")});
  EXPECT_EQ(Captions(), QStringList{QStringLiteral("New Model 1")});
  EXPECT_TRUE(form.RecentFiles().Files().isEmpty());
}

TEST_F(OpenModel, TwelveFilesLeaveTenRecentEntriesNewestFirstAlsoAfterARestart)
{
  WriteSettings(QStringLiteral("[General]\nMax%20Models=20\n"));
  QStringList files;
  for (int i = 1; i <= 12; ++i)
    files << MakeModel(QStringLiteral("m%1.mdl").arg(i));
  TMainForm& form = Start();
  for (const QString& file : files)
    ASSERT_NE(form.OpenModel(file, false), nullptr);
  QStringList expected;
  for (int i = 12; i >= 3; --i)
    expected << files[i - 1];
  EXPECT_EQ(form.RecentFiles().Files(), expected);
  // The menu shows them with the models' pictures; its tenth item reopens the tenth file,
  // which moves to the top without losing another.
  TRecentFilesMenu& menu = form.RecentFilesMenu();
  menu.Refresh();
  const QList<QAction*> items = menu.actions();
  ASSERT_EQ(items.size(), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(items[i]->isVisible());
    EXPECT_EQ(items[i]->text(), expected[i]);
    EXPECT_FALSE(items[i]->icon().isNull());
  }
  TModelForm* latest = form.ActiveModel();
  items[9]->trigger();
  EXPECT_NE(form.ActiveModel(), latest);
  EXPECT_EQ(form.ActiveModel()->Document().FileName, files[2]);
  expected.move(9, 0);
  EXPECT_EQ(form.RecentFiles().Files(), expected);
  Restart();
  EXPECT_EQ(main->RecentFiles().Files(), expected);
}

TEST_F(OpenModel, TheRecentListKeepsLetterCaseApartAndHoldsOnlyModelsReadOrWritten)
{
  const QString lower = MakeModel(QStringLiteral("plan.mdl"));
  const QString upper = MakeModel(QStringLiteral("Plan.mdl"));
  TMainForm& form = Start({lower});
  form.OpenModel(upper, false);
  EXPECT_EQ(form.RecentFiles().Files(), (QStringList{upper, lower}));
  EXPECT_EQ(form.Models().size(), 2);

  // Pictures and pages of a model are not models: they are never listed.
  TModelForm* model = form.NewModel();
  const QString picture = ModelPath(QStringLiteral("picture.bmp"));
  dialogs.saveNames.push_back(picture);
  dialogs.inputs.push_back(QStringLiteral("320x200"));  // the picture's size
  EXPECT_FALSE(form.Windows().SaveAs(*model));
  EXPECT_TRUE(QFileInfo(picture).isFile());
  EXPECT_EQ(form.RecentFiles().Files(), (QStringList{upper, lower}));
  EXPECT_FALSE(model->Document().Named);

  const QString saved = ModelPath(QStringLiteral("saved.mdl"));
  dialogs.saveNames.push_back(saved);
  EXPECT_TRUE(form.Windows().SaveAs(*model));
  EXPECT_EQ(form.RecentFiles().Files().front(), saved);
}

TEST_F(OpenModel, ASuccessfulModelSaveClearsReadOnlySoLaterEditsCount)
{
  const QString plan = MakeModel(QStringLiteral("plan.mdl"));
  TMainForm& form = Start();
  TModelForm* model = form.OpenModel(plan, true);
  ASSERT_TRUE(model->Document().ReadOnly);
  const QString copy = ModelPath(QStringLiteral("copy.mdl"));
  dialogs.saveNames.push_back(copy);
  ASSERT_TRUE(form.Windows().SaveAs(*model));
  EXPECT_FALSE(model->Document().ReadOnly);
  EXPECT_EQ(model->Caption(), QStringLiteral("copy.mdl"));
  Edit(*model);
  EXPECT_TRUE(model->Document().Modified);
  // And closing now asks, so the edit is not lost.
  dialogs.answers.push_back(TAnswer::Cancel);
  EXPECT_FALSE(form.Windows().WindowOf(model)->close());
  EXPECT_EQ(dialogs.Count(QStringLiteral("ask")), 1);
}
