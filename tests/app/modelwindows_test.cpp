// The life of model windows: the open-model limit, the close question, what closing saves,
// recovered windows, survey mode and the Window menu.
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QMenu>

#include "app/shell/modelwindows.h"
#include "app/shell/windowmenu.h"
#include "app/shelltestsupport.h"
#include "interaction/modelpaintbox.h"
#include "io/modelstream.h"

using namespace shelltest;

namespace {

class ModelWindows : public TShellTest {
 protected:
  TMainForm& StartWithLimit(int limit)
  {
    WriteSettings(QStringLiteral("[General]\nMax%20Models=%1\n").arg(limit));
    return Start();
  }

  bool Close(TModelForm* form) { return main->Windows().WindowOf(form)->close(); }

  bool IsOpen(TModelForm* form) const { return main->Models().contains(form); }

  // The objects a model file holds, read as the program reads it; -1 when it is no model.
  static int ObjectsIn(const QString& path)
  {
    TModelDocument document;
    try {
      TModelFile::OpenModelFile(document, path, true);
    } catch (...) {
      return -1;
    }
    return static_cast<int>(document.Objects.size());
  }
};

}  // namespace

TEST_F(ModelWindows, TheOpenModelLimitAsksWithYesNoAndCancel)
{
  TMainForm& form = StartWithLimit(2);
  TModelForm* first = form.ActiveModel();
  Edit(*first);
  TModelForm* second = form.NewModel();
  Edit(*second);

  dialogs.answers.push_back(TAnswer::Cancel);
  EXPECT_EQ(form.NewModel(), nullptr);
  // The question names the active model.
  EXPECT_EQ(
      dialogs.Texts(QStringLiteral("ask")),
      QStringList{QStringLiteral("Mindorra needs to close Model 2\n\nSave it before closing?")});
  EXPECT_EQ(form.Models(), (QList<TModelForm*>{second, first}));

  dialogs.answers.push_back(TAnswer::No);
  TModelForm* third = form.NewModel();
  ASSERT_NE(third, nullptr);
  EXPECT_FALSE(IsOpen(second));
  EXPECT_EQ(form.Models(), (QList<TModelForm*>{third, first}));

  Edit(*third);
  const QString saved = ModelPath(QStringLiteral("third.mdl"));
  dialogs.answers.push_back(TAnswer::Yes);
  dialogs.saveNames.push_back(saved);
  ASSERT_NE(form.NewModel(), nullptr);
  EXPECT_FALSE(IsOpen(third));
  EXPECT_EQ(ObjectsIn(saved), 1);
}

TEST_F(ModelWindows, AnUnmodifiedModelMakesRoomWithoutAQuestion)
{
  TMainForm& form = StartWithLimit(1);
  TModelForm* first = form.ActiveModel();
  TModelForm* second = form.NewModel();
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsOpen(first));
  EXPECT_EQ(form.Models().size(), 1);
  EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(ModelWindows, AYesWhoseSaveIsCancelledOrFailsKeepsTheModelAndMakesNoWindow)
{
  TMainForm& form = StartWithLimit(1);
  TModelForm* model = form.ActiveModel();
  Edit(*model);
  dialogs.answers.push_back(TAnswer::Yes);
  dialogs.saveNames.push_back(std::nullopt);
  EXPECT_EQ(form.NewModel(), nullptr);
  EXPECT_TRUE(IsOpen(model));

  dialogs.answers.push_back(TAnswer::Yes);
  dialogs.saveNames.push_back(Path(QStringLiteral("no such folder/plan.mdl")));
  EXPECT_EQ(form.NewModel(), nullptr);
  EXPECT_TRUE(IsOpen(model));
  EXPECT_TRUE(model->Document().Modified);
  EXPECT_EQ(dialogs.Count(QStringLiteral("message")), 1);
  EXPECT_EQ(form.Models().size(), 1);
}

TEST_F(ModelWindows, TheInitiatingAndBusyWindowsAreNeverClosedByTheLimit)
{
  TMainForm& form = StartWithLimit(2);
  TModelForm* older = form.ActiveModel();
  TModelForm* newer = form.NewModel();
  // The least recently used window started the action: the other one goes.
  ASSERT_NE(form.Windows().CreateModelWindow(older), nullptr);
  EXPECT_TRUE(IsOpen(older));
  EXPECT_FALSE(IsOpen(newer));

  // One busy, the other the initiator: nothing may go, so the limit gives way.
  TModelForm* current = form.ActiveModel();
  older->Document().Mode = opLocked;
  ASSERT_NE(form.Windows().CreateModelWindow(current), nullptr);
  EXPECT_TRUE(IsOpen(older));
  EXPECT_TRUE(IsOpen(current));
  EXPECT_EQ(form.Models().size(), 3);
  EXPECT_TRUE(dialogs.asked.empty());
  older->Document().Mode = opNone;
}

TEST_F(ModelWindows, TheCloseQuestionsThreeAnswers)
{
  TMainForm& form = Start();
  TModelForm* model = form.ActiveModel();
  Edit(*model);
  dialogs.answers.push_back(TAnswer::Cancel);
  EXPECT_FALSE(Close(model));
  EXPECT_EQ(dialogs.Texts(QStringLiteral("ask")),
            QStringList{QStringLiteral("\nSave Changes to Model 1 ?")});
  EXPECT_TRUE(IsOpen(model));

  // Yes on a model never saved offers the save dialog; cancelling it keeps the window.
  dialogs.answers.push_back(TAnswer::Yes);
  dialogs.saveNames.push_back(std::nullopt);
  EXPECT_FALSE(Close(model));
  EXPECT_EQ(dialogs.fileRequests.back().FileName, QStringLiteral("Model 1"));

  const QString saved = ModelPath(QStringLiteral("kept.mdl"));
  dialogs.answers.push_back(TAnswer::Yes);
  dialogs.saveNames.push_back(saved);
  EXPECT_TRUE(Close(model));
  EXPECT_EQ(ObjectsIn(saved), 1);

  TModelForm* other = form.NewModel();
  Edit(*other);
  dialogs.answers.push_back(TAnswer::No);
  EXPECT_TRUE(Close(other));
  // An unmodified window closes without a word.
  dialogs.Forget();
  EXPECT_TRUE(Close(form.NewModel()));
  EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(ModelWindows, ClosingWithAPictureOrPageNameStillWritesTheModel)
{
  TMainForm& form = Start();
  for (const QString& name : {QStringLiteral("plan.jpg"), QStringLiteral("plan.bmp"),
                              QStringLiteral("plan.htm"), QStringLiteral("plan.txt")}) {
    TModelForm* model = form.ActiveModel();
    Edit(*model);
    dialogs.answers.push_back(TAnswer::Yes);
    dialogs.saveNames.push_back(ModelPath(name));
    EXPECT_TRUE(Close(model)) << name.toStdString();
    EXPECT_FALSE(QFile::exists(ModelPath(name))) << name.toStdString();
    EXPECT_EQ(ObjectsIn(ModelPath(name + QStringLiteral(".mdl"))), 1) << name.toStdString();
    form.NewModel();
  }

  // A model whose own file name ends in ".bmp" goes back to that file as a model.
  TModelDocument document;
  iotest::AddCogi(document, 2, 2);
  const QString chart = ModelPath(QStringLiteral("chart.bmp"));
  TModelFile::SaveModelFile(document, chart);
  TModelForm* named = form.OpenModel(chart, false);
  ASSERT_NE(named, nullptr);
  Edit(*named);
  form.Actions().Action(QStringLiteral("FileSaveAll"))->trigger();
  EXPECT_EQ(ObjectsIn(chart), 2);
  EXPECT_FALSE(named->Document().Modified);
  Edit(*named);
  dialogs.answers.push_back(TAnswer::Yes);
  EXPECT_TRUE(Close(named));
  EXPECT_EQ(ObjectsIn(chart), 3);
}

TEST_F(ModelWindows, EditsOfARunningToolAreAskedAboutOnCloseLimitAndExit)
{
  const QString plan = MakeModel(QStringLiteral("plan.mdl"), 3);
  TMainForm& form = StartWithLimit(1);
  const auto sting = [&form]() -> TModelForm* {
    TModelForm* model = form.OpenModel(form.RecentFiles().Files().front(), false);
    model->PaintBox().Machine().SetMode(opSting);
    model->Document().StingObject(model->Document().Objects.front());
    EXPECT_FALSE(model->Document().Modified);
    return model;
  };
  form.OpenModel(plan, false);
  TModelForm* model = sting();
  dialogs.answers.push_back(TAnswer::Cancel);
  EXPECT_FALSE(Close(model));
  EXPECT_EQ(dialogs.Texts(QStringLiteral("ask")),
            QStringList{QStringLiteral("\nSave Changes to plan.mdl ?")});
  EXPECT_TRUE(model->Document().Modified);
  dialogs.answers.push_back(TAnswer::No);
  EXPECT_TRUE(Close(model));

  // The open-model limit.
  model = sting();
  dialogs.Forget();
  dialogs.answers.push_back(TAnswer::Cancel);
  EXPECT_EQ(form.NewModel(), nullptr);
  EXPECT_EQ(dialogs.Count(QStringLiteral("ask")), 1);

  // Exit.
  dialogs.answers.push_back(TAnswer::No);
  EXPECT_TRUE(Close(model));
  sting();
  dialogs.Forget();
  dialogs.answers.push_back(TAnswer::Cancel);
  EXPECT_FALSE(form.close());
  EXPECT_EQ(dialogs.Count(QStringLiteral("ask")), 1);
  EXPECT_EQ(form.Models().size(), 1);
}

TEST_F(ModelWindows, EveryRecoveryFileComesBackModifiedWhateverTheLimit)
{
  QDir().mkpath(RecoveryFolder());
  for (int i = 0; i < 3; ++i) {
    TModelDocument document;
    iotest::AddCogi(document, 2, 2);
    QFile file(RecoveryFolder() + QStringLiteral("/CGP Recover 1-999999-%1.MDL").arg(i));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(TModelStream::WriteModel(document, false));
  }
  TMainForm& form = StartWithLimit(2);
  const QList<TModelForm*> models = form.Models();
  ASSERT_EQ(models.size(), 3);
  for (TModelForm* model : models) {
    EXPECT_TRUE(model->Caption().endsWith(QStringLiteral(" Recovered")));
    EXPECT_TRUE(model->Document().Modified);
    EXPECT_EQ(model->Document().Objects.size(), 1u);
  }
  // Neither the limit nor Exit lets them go without asking.
  dialogs.answers.push_back(TAnswer::Cancel);
  EXPECT_EQ(form.NewModel(), nullptr);
  dialogs.answers.push_back(TAnswer::Cancel);
  EXPECT_FALSE(form.close());
  EXPECT_EQ(dialogs.Count(QStringLiteral("ask")), 2);
  EXPECT_EQ(QDir(RecoveryFolder()).entryList({QStringLiteral("CGP Recover *.MDL")}).size(), 3);
}

TEST_F(ModelWindows, SurveyModeOnAndOff)
{
  TMainForm& form = StartWithLimit(1);
  TModelForm* model = form.ActiveModel();
  Edit(*model);
  QAction* item = form.Actions().Action(QStringLiteral("SurveyMode"));
  EXPECT_EQ(item->text(), QStringLiteral("Survey Mode        "));
  // Turning it on offers each modified model a save; Cancel still enters survey mode.
  dialogs.answers.push_back(TAnswer::Cancel);
  item->trigger();
  EXPECT_TRUE(form.SurveyMode());
  EXPECT_EQ(dialogs.Texts(QStringLiteral("ask")),
            QStringList{QStringLiteral("\nSave Changes to Model 1 ?")});
  EXPECT_TRUE(IsOpen(model));
  EXPECT_TRUE(form.windowTitle().startsWith(QStringLiteral("Mindorra - SURVEY MODE")));
  EXPECT_TRUE(item->isChecked());
  EXPECT_EQ(item->text(), QStringLiteral("Survey Mode"));
  EXPECT_FALSE(form.Actions().Action(QStringLiteral("FileSave"))->isEnabled());
  EXPECT_FALSE(form.Actions().Action(QStringLiteral("FileSaveAll"))->isEnabled());

  // Modified models go without a question, by the limit or by closing.
  dialogs.Forget();
  TModelForm* next = form.NewModel();
  ASSERT_NE(next, nullptr);
  EXPECT_FALSE(IsOpen(model));
  Edit(*next);
  EXPECT_TRUE(Close(next));
  EXPECT_TRUE(dialogs.asked.empty());

  item->trigger();
  EXPECT_FALSE(form.SurveyMode());
  EXPECT_FALSE(item->isChecked());
  EXPECT_EQ(item->text(), QStringLiteral("Survey Mode        "));
  EXPECT_FALSE(form.windowTitle().contains(QStringLiteral("SURVEY")));
  TModelForm* fresh = form.NewModel();
  ASSERT_NE(fresh, nullptr);
  // Outside survey mode Save waits only for something to save.
  EXPECT_FALSE(form.Actions().Action(QStringLiteral("FileSave"))->isEnabled());
  Edit(*fresh);
  EXPECT_TRUE(form.Actions().Action(QStringLiteral("FileSave"))->isEnabled());
}

TEST_F(ModelWindows, TheWindowMenuActivatesTheRightWindowAmongNewModel1AndNewModel10)
{
  TMainForm& form = StartWithLimit(20);
  for (int i = 2; i <= 10; ++i)
    form.NewModel();
  TWindowMenu& menu = form.WindowMenu();
  menu.Rebuild();
  QList<QAction*> items = menu.actions().mid(5);
  ASSERT_EQ(items.size(), 10);
  EXPECT_EQ(items.front()->text(), QStringLiteral("&1 New Model 10"));
  EXPECT_TRUE(items.front()->isChecked());
  EXPECT_EQ(items.back()->text(), QStringLiteral("&10 New Model 1"));
  EXPECT_FALSE(items.back()->isChecked());
  EXPECT_TRUE(menu.actions()[3]->isEnabled());  // Arrange Icons
  items.back()->trigger();
  EXPECT_EQ(form.ActiveModel()->Caption(), QStringLiteral("New Model 1"));

  menu.Rebuild();
  items = menu.actions().mid(5);
  EXPECT_EQ(items.front()->text(), QStringLiteral("&1 New Model 1"));
  items.back()->trigger();
  EXPECT_EQ(form.ActiveModel()->Caption(), QStringLiteral("New Model 2"));
}

TEST_F(ModelWindows, NewModelsAreNumberedByTheWindowsOpenAtThatMoment)
{
  TMainForm& form = Start();
  form.NewModel();
  TModelForm* third = form.NewModel();
  EXPECT_EQ(third->Caption(), QStringLiteral("New Model 3"));
  // Closing the second and making another gives a second "New Model 3"; the Window menu
  // still tells them apart by the window each item is bound to.
  ASSERT_TRUE(Close(form.Models()[1]));
  TModelForm* fourth = form.NewModel();
  EXPECT_EQ(fourth->Caption(), QStringLiteral("New Model 3"));
  form.WindowMenu().Rebuild();
  const QList<QAction*> items = form.WindowMenu().actions().mid(5);
  ASSERT_EQ(items.size(), 3);
  items[1]->trigger();
  EXPECT_EQ(form.ActiveModel(), third);
}
