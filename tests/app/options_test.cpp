// The Options dialog: every preference it edits saved for the next start, Cancel leaving
// everything as it was, Restore Default Preferences emptying the store, OK and Apply reaching
// the models, and the gradient chosen in Fill Properties kept for new objects.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/options/optionscommand.h"
#include "app/options/optionsdialog.h"
#include "app/options/optionspreview.h"
#include "app/settings/preferences.h"
#include "app/settings/settingsstore.h"
#include "app/shelltestsupport.h"
#include "model/cogi.h"
#include "testsupport.h"

using namespace shelltest;

namespace {

// Scripted answers that also choose colours and folders.
class TOptionsDialogs : public TScriptedDialogs {
 public:
  std::deque<TColorRef> colours;
  std::optional<QString> folder;

 protected:
  std::optional<TColorRef> DoChooseColour(const QString& title, TColorRef initial) override
  {
    TScriptedDialogs::DoChooseColour(title, initial);
    if (colours.empty()) return std::nullopt;
    const TColorRef colour = colours.front();
    colours.pop_front();
    return colour;
  }
  std::optional<QString> DoChooseFolder(const QString& caption, const QString& initial) override
  {
    TScriptedDialogs::DoChooseFolder(caption, initial);
    return folder;
  }
};

class Options : public TShellTest {
 protected:
  void SetUp() override
  {
    TShellTest::SetUp();
    store = std::make_unique<TSettingsStore>();
    preferences.Load(*store);
  }

  std::unique_ptr<TOptionsDialog> Dialog(const TOptionsHooks& hooks = {})
  {
    return std::make_unique<TOptionsDialog>(preferences, *store, answers, hooks);
  }
  template <typename T = QAbstractButton>
  static T* Control(TOptionsDialog& dialog, const char* name)
  {
    T* control = dialog.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  static QAction* Item(QMenu* menu, const QString& text)
  {
    for (QAction* action : menu->actions())
      if (action->text() == text) return action;
    ADD_FAILURE() << text.toStdString();
    return nullptr;
  }
  // Reads the settings again as the next start does.
  static TPreferences Reopened()
  {
    TSettingsStore reopened;
    TPreferences read;
    read.Load(reopened);
    return read;
  }
  static bool Same(const TPreferences& a, const TPreferences& b)
  {
    for (int i = 0; i < settingtable::kCount; ++i)
      if (TPreferences::IsPreference(settingtable::kTable[i]) &&
          a.Value(TSettingId::At(i)) != b.Value(TSettingId::At(i)))
        return false;
    return true;
  }

  TOptionsDialogs answers;
  std::unique_ptr<TSettingsStore> store;
  TPreferences preferences;
};

// Fill Properties as the dialogs window would answer it: a gradient.
TOptionsHooks GradientHooks(TFillChoice* seen = nullptr)
{
  TOptionsHooks hooks;
  hooks.FillProperties = [seen](QWidget*, const TFillChoice& preset) {
    if (seen) *seen = preset;
    return std::optional(TFillChoice{preset.FaceColor, preset.BackColor, 4, 5, 9});
  };
  hooks.PageSetup = [](QWidget*, const TPageChoice&) {
    return std::optional(TPageChoice{3, 2, 0});
  };
  return hooks;
}

}  // namespace

TEST_F(Options, EverySettingWrittenThroughTheDialogSurvivesARestart)
{
  auto dialog = Dialog(GradientHooks());
  TOptionsDialog& d = *dialog;
  for (const char* name :
       {"Show Grid Lines", "Snap To Grid", "Snap To Shape", "Line Style", "Shadowed", "3D",
        "Show Number", "Text Beep", "Format Shape", "Format Size", "Format Font", "Format Fill",
        "Format Line", "Format 3D", "Format Shadow", "Load Control Model", "Bee Cursors",
        "Popup Menus", "Large"})
    Control(d, name)->click();
  TColorRef next = 0x102030;
  for (const char* name : {"Model Color", "Cogi FG Color", "Cogi BG Color", "Cogi T Color",
                           "Cogi L Color", "Cluster Color"}) {
    answers.colours.push_back(next += 0x010101);
    Control(d, name)->click();
  }
  answers.inputs.push_back(QStringLiteral("25"));
  Control(d, "ZoomSpeed")->click();
  Control(d, "SizeOrientation")->click();
  Item(d.FillMenu(), QStringLiteral("Fill Properties..."))->trigger();
  Item(d.LineThicknessMenu(), QStringLiteral("2 pt"))->trigger();
  Control<QLineEdit>(d, "ControlModel")->setText(Path(QStringLiteral("models/control.mdl")));
  answers.folder = Path(QStringLiteral("models/")) + QStringLiteral("mine/");
  Control(d, "ModelFolderBrowse")->click();
  Control<QSpinBox>(d, "MaxModels")->setValue(3);
  Control(d, "OK")->click();
  EXPECT_EQ(d.Result(), TOptionsResult::Ok);
  EXPECT_TRUE(answers.Texts(QStringLiteral("message")).isEmpty());

  const TPreferences read = Reopened();
  EXPECT_TRUE(Same(read, preferences));
  // Every preference with a control came back changed (Show Page Lines has none).
  const TPreferences defaults;
  for (int i = 0; i < settingtable::kCount; ++i) {
    const TSettingDef& def = settingtable::kTable[i];
    if (!TPreferences::IsPreference(def) || def.Is("Show Page Lines")) continue;
    EXPECT_NE(read.Value(TSettingId::At(i)), defaults.Value(TSettingId::At(i)))
        << std::string(def.Name);
  }
  EXPECT_EQ(read.Integer("Cogi Size"), 2);
  EXPECT_EQ(read.Float("Cogi Line Width"), 2.0);
  EXPECT_EQ(read.Integer("Animated Zoom Frames"), 25);
  EXPECT_EQ(read.Text("Model Folder"), Path(QStringLiteral("models/mine")));
  EXPECT_EQ(read.Integer("Pages Across"), 3);
  EXPECT_EQ(read.Integer("Orientation"), 0);
}

TEST_F(Options, CancelAndEscapeKeepNothingThatWasChangedInTheControls)
{
  preferences.Set("Cogi Line Width", 2.5);
  const TPreferences before = preferences;
  for (bool escape : {false, true}) {
    auto dialog = Dialog(GradientHooks());
    TOptionsDialog& d = *dialog;
    // Other... is checked for a width of no item.
    EXPECT_TRUE(Item(d.LineThicknessMenu(), QStringLiteral("Other..."))->isChecked());
    Control(d, "Show Grid Lines")->click();
    Control(d, "Medium")->click();
    answers.colours.push_back(0x123456);
    Control(d, "Cogi FG Color")->click();
    Item(d.FillMenu(), QStringLiteral("Clear"))->trigger();
    Item(d.LineThicknessMenu(), QStringLiteral("\u00be pt"))->trigger();
    EXPECT_TRUE(Item(d.LineThicknessMenu(), QStringLiteral("\u00be pt"))->isChecked());
    EXPECT_FALSE(Item(d.LineThicknessMenu(), QStringLiteral("Other..."))->isChecked());
    Item(d.FillMenu(), QStringLiteral("Fill Properties..."))->trigger();
    Control<QSpinBox>(d, "MaxModels")->setValue(7);
    EXPECT_EQ(d.Edited().Integer("Cogi Size"), 1);
    if (escape) {
      d.show();
      QTest::keyClick(&d, Qt::Key_Escape);
    } else {
      Control(d, "Cancel")->click();
    }
    EXPECT_EQ(d.Result(), TOptionsResult::Cancelled);
    EXPECT_TRUE(Same(preferences, before)) << escape;
    // The dialog's menus are its own: used after it closed, they change no preference.
    EXPECT_EQ(d.FillMenu()->parent(), &d);
    Item(d.FillMenu(), QStringLiteral("Solid"))->trigger();
    Item(d.LineThicknessMenu(), QStringLiteral("10 pt"))->trigger();
    EXPECT_TRUE(Same(preferences, before));
  }
  // Nothing was written, and what shut-down writes is what there was before.
  EXPECT_FALSE(store->Contains("Show Grid Lines"));
  preferences.Save(*store);
  store->Sync();
  EXPECT_TRUE(Same(Reopened(), before));
}

TEST_F(Options, RestoreDefaultPreferencesEmptiesTheStoreOnlyWhenConfirmed)
{
  preferences.Set("Max Models", 4);
  preferences.Set("Show Grid Lines", true);
  preferences.Save(*store);
  store->Write("Recent Files/Count", 1);
  store->Write("Recent Files/File", Path(QStringLiteral("models/a.mdl")), 1);
  store->Write("Quotes/Show on Startup", true);
  store->Sync();

  auto dialog = Dialog();
  TOptionsDialog& d = *dialog;
  answers.answers.push_back(TAnswer::No);
  Control(d, "RestoreDefaults")->click();
  EXPECT_TRUE(store->Contains("Recent Files/Count"));
  EXPECT_EQ(preferences.Integer("Max Models"), 4);

  answers.answers.push_back(TAnswer::Yes);
  Control(d, "RestoreDefaults")->click();
  EXPECT_EQ(answers.Texts(QStringLiteral("ask")),
            QStringList({QStringLiteral("Are you sure?"), QStringLiteral("Are you sure?")}));
  for (TSettingId id : {TSettingId("Max Models"), TSettingId("Show Grid Lines"),
                        TSettingId("Recent Files/Count"), TSettingId("Quotes/Show on Startup")})
    EXPECT_FALSE(store->Contains(id));
  EXPECT_FALSE(store->Contains("Recent Files/File", 1));
  EXPECT_EQ(Reopened().Integer("Max Models"), 10);
  // The record and the controls are at the defaults, and stay so whatever closes the dialog.
  EXPECT_TRUE(Same(preferences, TPreferences()));
  EXPECT_EQ(Control<QSpinBox>(d, "MaxModels")->value(), 10);
  EXPECT_FALSE(Control(d, "Show Grid Lines")->isChecked());
  Control(d, "Cancel")->click();
  EXPECT_TRUE(Same(preferences, TPreferences()));
  EXPECT_FALSE(store->Contains("Max Models"));
}

TEST_F(Options, TheGradientChosenInFillPropertiesReachesNewObjects)
{
  preferences.Set("Cogi FG Color", 0x00FF00);
  TFillChoice seen;
  auto dialog = Dialog(GradientHooks(&seen));
  Item(dialog->FillMenu(), QStringLiteral("Fill Properties..."))->trigger();
  EXPECT_EQ(seen.FaceColor, 0x00FF00u);
  EXPECT_TRUE(Item(dialog->FillMenu(), QStringLiteral("Fill Properties..."))->isChecked());
  Control(*dialog, "OK")->click();

  const TPreferences read = Reopened();
  EXPECT_EQ(read.Integer("Cogi Fill Style"), 4);
  EXPECT_EQ(read.Integer("Cogi Gradient Style"), 9);
  TModelDocument document;
  read.ApplyToNewModel(document);
  CGPObject* cogi = document.CreateObject(okCogi);
  document.ApplyCurrentAttributes(cogi);
  EXPECT_EQ(static_cast<TCogi*>(cogi)->FillStyle, 4);
  EXPECT_EQ(static_cast<TCogi*>(cogi)->GradientIndex, 9);
  // Without the dialogs window to borrow, its menu item cannot be used.
  auto bare = Dialog();
  EXPECT_FALSE(Item(bare->FillMenu(), QStringLiteral("Fill Properties..."))->isEnabled());
  EXPECT_FALSE(Control(*bare, "SizeOrientation")->isEnabled());
}

TEST_F(Options, TypedNumbersAreCheckedAndHeldToTheirRanges)
{
  auto dialog = Dialog();
  TOptionsDialog& d = *dialog;
  EXPECT_TRUE(Item(d.LineThicknessMenu(), QStringLiteral("\u00be pt"))->isChecked());
  QAction* other = Item(d.LineThicknessMenu(), QStringLiteral("Other..."));
  answers.inputs = {QStringLiteral("abc"), QStringLiteral("-2"), QStringLiteral("100000"),
                    std::nullopt};
  other->trigger();
  EXPECT_EQ(answers.Texts(QStringLiteral("message")).size(), 1);
  EXPECT_EQ(d.Edited().Float("Cogi Line Width"), 0.75);
  other->trigger();
  EXPECT_EQ(d.Edited().Float("Cogi Line Width"), 0.75);
  other->trigger();
  EXPECT_EQ(d.Edited().Float("Cogi Line Width"), TSettingId("Cogi Line Width").Def().Max);
  EXPECT_TRUE(other->isChecked());
  other->trigger();  // cancelled: the width stays
  EXPECT_EQ(d.Edited().Float("Cogi Line Width"), TSettingId("Cogi Line Width").Def().Max);

  answers.inputs = {QStringLiteral("0"), QStringLiteral("ten"), QStringLiteral("5000")};
  for (int i = 0; i < 3; ++i)
    Control(d, "ZoomSpeed")->click();
  EXPECT_EQ(answers.beeps, 3);
  EXPECT_EQ(
      answers.Texts(QStringLiteral("message")).filter(QStringLiteral("Invalid figure")).size(), 2);
  EXPECT_EQ(d.Edited().Integer("Animated Zoom Frames"),
            static_cast<int>(TSettingId("Animated Zoom Frames").Def().Max));
}

TEST_F(Options, OkAppliesToTheActiveModelAndApplyToEveryModel)
{
  TMainForm& form = Start();
  TModelForm* first = form.ActiveModel();
  ASSERT_NE(first, nullptr);
  TModelForm* second = form.NewModel();
  ASSERT_EQ(form.ActiveModel(), second);
  const double firstWidth = first->Document().ModelWidth;

  auto dialog = Dialog(GradientHooks());
  const QTabWidget* pages = dialog->findChild<QTabWidget*>(QStringLiteral("Pages"));
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->tabText(pages->currentIndex()), QStringLiteral("Other"));
  EXPECT_EQ(pages->count(), 5);
  Control(*dialog, "Large")->click();
  Control(*dialog, "SizeOrientation")->click();  // 3 by 2 pages, portrait
  Control(*dialog, "OK")->click();
  TOptionsCommand::Finish(dialog->Result(), preferences, second, form.Models());
  EXPECT_EQ(second->Document().CogiSize, 2);
  EXPECT_EQ(second->Document().PagesAcross, 3);
  EXPECT_EQ(second->Document().UndoList.back().Caption, QStringLiteral("Options Change"));
  EXPECT_EQ(first->Document().CogiSize, 0);
  EXPECT_TRUE(first->Document().UndoList.empty());

  // Apply through the modal dialog, as the command runs it.
  preferences.Set("Cogi Size", 1);
  QTimer::singleShot(0, [] {
    auto* shown = qobject_cast<TOptionsDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    shown->findChild<QAbstractButton*>(QStringLiteral("Apply"))->click();
  });
  const TOptionsResult result =
      TOptionsCommand::Run(&form, preferences, *store, answers, second, form.Models());
  EXPECT_EQ(result, TOptionsResult::Apply);
  for (TModelForm* model : {first, second}) {
    EXPECT_EQ(model->Document().CogiSize, 1);
    EXPECT_EQ(model->Document().PagesDown, 2);
    EXPECT_EQ(model->Document().UndoList.back().Caption, QStringLiteral("Options Change"));
  }
  EXPECT_NE(first->Document().ModelWidth, firstWidth);
  EXPECT_EQ(Reopened().Integer("Cogi Size"), 1);

  // Cancel changes no model.
  const std::size_t undos = first->Document().UndoList.size();
  TOptionsCommand::Finish(TOptionsResult::Cancelled, preferences, first, form.Models());
  EXPECT_EQ(first->Document().UndoList.size(), undos);
}

TEST_F(Options, PagesPicture)
{
  preferences.Set("Show Grid Lines", true);
  preferences.Set("Show Page Lines", true);
  preferences.Set("Cogi Shadow Style", 1);
  preferences.Set("Cogi Size", 1);
  auto dialog = Dialog(GradientHooks());
  QTabWidget* pages = dialog->findChild<QTabWidget*>(QStringLiteral("Pages"));
  ASSERT_NE(pages, nullptr);
  dialog->show();
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    const QImage image = dialog->grab().toImage();
    EXPECT_FALSE(image.isNull());
    image.save(testsupport::OutputPath(QStringLiteral("options_%1.png").arg(pages->tabText(i))));
  }
  // The hexagon preview shows the face colour at its centre.
  QImage cogi(220, 190, QImage::Format_RGB32);
  QPainter painter(&cogi);
  TOptionsPreview::DrawCogi(painter, cogi.rect(), preferences);
  painter.end();
  const QColor face = ToQColor(preferences.Colour("Cogi FG Color"));
  int faced = 0;
  for (int x = 60; x < 160; ++x)
    faced += QColor(cogi.pixel(x, 130)) == face;
  EXPECT_GT(faced, 30);
}
