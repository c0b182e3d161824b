// The main window's commands as a user meets them: captions, keys and hints, the commands
// still waiting for their work, saving by extension, Save All, the attribute, order, zoom and
// numbering commands with their typed numbers, the creation tools, mail, help and the
// toolbars kept between runs.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QUrlQuery>

#include "app/actionregistry.h"
#include "app/commands/featurecommands.h"
#include "app/commands/imagesize.h"
#include "app/commands/imagesizedialog.h"
#include "app/commands/quickzoom.h"
#include "app/palette/cgpcolorpanel.h"
#include "app/shell/helpwindow.h"
#include "app/shell/modelwindows.h"
#include "app/shelltestsupport.h"
#include "app/text/texteditors.h"
#include "app/toolbars/dropdownmenus.h"
#include "app/toolbars/maintoolbars.h"
#include "app/toolbars/modelmenu.h"
#include "document/modelview.h"
#include "document/textattributes.h"
#include "interaction/modelpaintbox.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/objectkind.h"
#include "model/operationmode.h"

using namespace shelltest;

namespace {

// Answers the page and report questions without their dialogs.
class TAnsweredPublishing : public IPublishingQuestions {
 public:
  std::optional<TListingOrder> HtmlOrder(QWidget*) override { return TListingOrder::ByPosition; }
  std::optional<TReportOptions> ReportOptions(QWidget*, bool, bool) override
  {
    return TReportOptions();
  }
  std::optional<QSize> PictureSize(QWidget*, TModelDocument&) override { return QSize(200, 150); }
  void ShowReport(TTextReportForm&) override {}
};

struct TExpectedCommand {
  const char* Id;
  const char* Caption;
  const char* Key;
  const char* Hint;
};

const TExpectedCommand kExpected[] = {
    {"FileNew", "&New...", "Ctrl+N", "New|Create a new model of specified size"},
    {"FileOpen", "&Open...", "Ctrl+O", "Open|Opens a model from a file"},
    {"FileClose", "&Close", "", "Close|Closes the open model"},
    {"FileSave", "&Save", "Ctrl+S", "Save|Saves the open model in the current file"},
    {"FileSaveAs", "Save &As...", "", "Save As|Save the open model in a new file"},
    {"FileSaveAll", "Sa&ve All", "", "Save All|Save all open models"},
    {"FileSaveHtml", "Save as HTML...", "", "Save as HTML|Create a WEB Page from the open model"},
    {"FilePrint", "&Print...", "Ctrl+P", "Print|Print the open model"},
    {"FilePageSetup", "Page Setup...", "",
     "Page Setup|Change the Size or Orientation of the open model"},
    {"FileSummary", "Summary Info...", "",
     "Summary Info|Display Summary Information and Edit Keywords"},
    {"FileEmail", "Send by &EMail...", "Ctrl+E",
     "Send by EMail|Send the Open Model by EMail.  Requires MAPI to be installed."},
    {"FileExportImage", "Export Model Image...", "",
     "Export Model Image|Export the model as Text, Rich Text or as an Image"},
    {"FileTextReport", "&Text Report", "", "Text Report|Edit the Text Report"},
    {"FileExit", "E&xit", "", "Exit|Exits Mindorra"},
    {"EditUndo", "&Undo", "Ctrl+Z", ""},
    {"EditRedo", "&Redo", "Ctrl+Y", ""},
    {"EditCut", "Cu&t", "Ctrl+X", "Cut|Cuts the selected items to the clipboard"},
    {"EditCopy", "&Copy", "Ctrl+C", "Copy|Copies the selected items to the clipboard"},
    {"EditPaste", "&Paste", "Ctrl+V", "Paste|Pastes items from the clipboard"},
    {"EditDelete", "&Delete", "", "Delete|Deletes the selected Cogis"},
    {"EditSelectAll", "Select Al&l", "Ctrl+A", "Select All|Select all objects in the open model"},
    {"EditInsertClipart", "Insert C&lipart...", "",
     "Insert Clipart|Insert an Image into the open model from the Clipart or from a file"},
    {"EditInsertObject", "Insert &Object...", "",
     "Insert Object|Inserts an OLE Object into the model"},
    {"EditInsertShortcut", "Insert &Shortcut...", "",
     "Insert Shortcut|Creates a shortcut to another file or program"},
    {"EditInsertModel", "Insert &Model...", "",
     "Insert Model|Inserts a specified model into the open model"},
    {"EditOptions", "&Options...", "", "Options|Model Settings"},
    {"ViewMagnifier", "Magnifier", "", "Magnifier|Shows/Hides the Magnifier"},
    {"ViewToolbarModify", "Modify", "", ""},
    {"ViewToolbarNavigation", "Navigation", "", ""},
    {"ViewToolbarPalettes", "Palettes", "", ""},
    {"ViewToolbarQuick", "Quick", "", ""},
    {"ViewToolbarSpecial", "Special", "", ""},
    {"ViewToolbarStandard", "Standard", "", ""},
    {"ViewToolbarText", "Text", "", ""},
    {"ViewColorPalette", "Color Palette", "", "Color Palette|Shows/Hides the Colour Palette"},
    {"ViewStatusBar", "Status Bar", "", "Status Bar|Shows/Hides the Status bar"},
    {"ModelShowGrid", "Show &Grid", "Ctrl+R", "Show Grid|Shows/Hides Gridlines in the open model"},
    {"ModelSnapToShape", "Snap To &Shape", "",
     "Snap To Shape|Toggles locking Cogis to each other in the open model"},
    {"ModelSnapToGrid", "S&nap To Grid", "Ctrl+G",
     "Snap To Grid|Toggles locking Cogis to the Grid in the open model"},
    {"ModelSize", "Model &Size && Orientation", "",
     "Model Size & Orientation|Change the Size or Orientation of the open model"},
    {"ModelZoomSpeed", "&Zoom Speed...", "",
     "Zoom Speed|Set the Animated Zoom Speed of the open model"},
    {"ModelBackground", "Background...", "",
     "Background|Sets the background texture of the open model"},
    {"ModelClearBackground", "C&lear Background", "",
     "Clear Background|Clears the background texture of the open model"},
    {"CogiRenumber", "Renumber...", "",
     "Renumber|Pick a starting number - click on Cogis to renumber (Right Click to Stop)"},
    {"CogiShowNumber", "Show Number", "",
     "Show Number|Shows or Hides the number at the top of an Cogi."},
    {"CogiBrainstorm", "Brainstorm", "",
     "Brainstorm|Displays Brainstorming window - Enter text for rapid creation of Cogis"},
    {"CogiLinkGateway", "Link Gateway...", "",
     "Link Gateway|Link the Selected Cogis to a file on your hard drive or on your company's "
     "network"},
    {"CogiLinkNewModel", "Link to New Model", "",
     "Link to New Model|Link the selected Cogi to a new model"},
    {"CogiLinkWeb", "Link to WEB...", "",
     "Link to WEB|Link the selected Cogis to a WEB Page or Internet Document"},
    {"CogiRemoveLink", "Remove Link", "", "Remove Link|Removes the link of the selected Cogi"},
    {"HelpContents", "&Contents", "F1", "Contents|Shows the help contents"},
    {"HelpHowTo", "&How to use help", "", "How to use help|How to use the help pages"},
    {"HelpSuggestion", "&Email a suggestion", "",
     "Email a suggestion|Email a suggestion, improvement or a complaint."},
    {"HelpReportError", "&Report an Error", "",
     "Report an Error|Email a report of an error in the program."},
    {"HelpAbout", "&About", "", "About|About Mindorra"},
    {"NewModel", "New Model", "", "New Model|Create a new model of the current size"},
    {"OpenModel", "Open Model", "", "Open Model|Opens a model from a file"},
    {"SaveModel", "Save Model", "", "Save Model|Saves the open model to the current file"},
    {"SendByEmail", "Send by EMail", "",
     "Send by EMail|Sends the Open Model by EMail.  Requires MAPI to be installed."},
    {"SaveAsHtml", "Save as HTML", "", "Save as HTML|Creates a WEB Page from the current model"},
    {"PrintView", "Print View", "", "Print View|Prints the current view of the open model"},
    {"HelpButton", "Help", "", "Help|Help"},
    {"FontName", "Font Name", "", "Font Name|Changes the selected items font"},
    {"FontSize", "Font Size", "", "Font Size|Changes the selected items font size"},
    {"TextBold", "Bold", "", "Bold|Toggles the selected items Bold style on/off"},
    {"TextItalic", "Italic", "", "Italic|Toggles the selected items Italic style on/off"},
    {"TextUnderline", "Underline", "",
     "Underline|Toggles the selected items underline style on/off"},
    {"TextLeft", "Left Justify", "", "Left Justify|Left justify the selected item's text"},
    {"TextCentre", "Centre", "", "Centre|Centres the selected item's text"},
    {"TextRight", "Right Justify", "", "Right Justify|Right Justify the selected item's text"},
    {"TextIndentLeft", "Indent Left", "", "Indent Left|Indent the selected items text left"},
    {"TextIndentRight", "Indent Right", "", "Indent Right|Indent the selected items text right"},
    {"TextBullets", "Bullet List", "",
     "Bullet List|Toggles the selected item's Bullet List numbering on/off"},
    {"ToggleQuick", "Toggle Quick Toolbar", "",
     "Toggle Quick Toolbar|Shows/Hides the Quick toolbar"},
    {"ToggleModify", "Toggle Modify Toolbar", "",
     "Toggle Modify Toolbar|Shows/Hides the Modification toolbar"},
    {"ToggleSpecial", "Toggle Special Toolbar", "",
     "Toggle Special Toolbar|Shows/Hides the Special toolbar"},
    {"ControlModel", "Control Model", "", "Control Model|Click to return to Control Model"},
    {"ToLastModel", "To Last Model", "", "To Last Model|Opens the last model accessed"},
    {"ToMainView", "To Main View", "",
     "To Main View|Changes the view to the previously set Main View"},
    {"SetMainView", "Set Main View", "",
     "Set Main View|Sets the current view of the model to be the Main View"},
    {"WholeModel", "Whole Model", "", "Whole Model|Zooms to show the entire model"},
    {"ZoomIn", "Zoom In", "", "Zoom In|Drag a box around the area to zoom to"},
    {"ZoomBack", "Zoom Back", "", "Zoom Back|Zooms back to the previous view"},
    {"SetZoom", "Set Zoom", "", "Set Zoom|Specify the Zoom for the current Model"},
    {"QuickZoom", "Quick Zoom", "", "Quick Zoom|Zoom In or Out quickly"},
    {"PanView", "Pan View", "", "Pan View|Drag the model surface to the desired view"},
    {"MagnifierButton", "Magnifier", "", "Magnifier|Displays/Hides the Magnifier windows"},
    {"ChangeSize", "Change Size", "",
     "Change Size|Change Size of any selected cogis or affect any new cogis"},
    {"ChangeFill", "Change Fill", "",
     "Change Fill|Changes the Fill of the selected cogis or affect any new cogis"},
    {"ShowLine", "Show Line", "", "Show Line|Click to toggle the line on or off"},
    {"LineThickness", "Line Thickness", "",
     "Line Thickness|Change the Line thickness of the selected cogis or affect any new cogis"},
    {"Shadow", "Shadow", "",
     "Shadow|Toggle shadowing of the selected cogis or affect any new cogis"},
    {"Style3D", "3D", "", "3D|Toggle 3D style of the selected cogis or affect any new cogis"},
    {"SendToBack", "Send to Back", "",
     "Send to Back|Sends the selected cogis to the back of the model"},
    {"BringToFront", "Bring to Front", "",
     "Bring to Front|Brings the selected cogis to the front of the model"},
    {"RotateRight", "Rotate Right 90\u00b0", "",
     "Rotate Right 90\u00b0|Rotates the selected cogis right by 90\u00b0"},
    {"FreeRotate", "Free Rotate", "", "Free Rotate|Rotate the selected cogis by any angle"},
    {"EndOperation", "End Operation", "",
     "End Operation|Click this button to End the Current Operation.  Or just Right Click the "
     "mouse."},
    {"CreateCogis", "Create Hexagon Cogis", "",
     "Create Hexagon Cogis|Click over the model surface to create any number of cogis (Right Click "
     "to Stop)"},
    {"BrainstormButton", "Brainstorm", "",
     "Brainstorm|Opens a window which allows quick creation of Cogis."},
    {"CreateClusters", "Create Elliptical Clusters", "",
     "Create Elliptical Clusters|Drag boxes on the model surface to create a number of Clusters "
     "(Right Click to Stop)"},
    {"EditText", "Edit Text", "",
     "Edit Text|Click this button and then an object to edit it's text"},
    {"CreateLabel", "Create Label", "",
     "Create Label|Drag a box on the model surface to create and edit a label (Click outside label "
     "to save)"},
    {"DrawArrowPlain", "Draw Arrow", "",
     "Draw Arrow|Drag lines on the model surface to Draw a number of default arrows (Right Click "
     "to Stop)"},
    {"DrawLine", "Draw Line", "",
     "Draw Line|Draw Arrow|Drag lines on the model surface to Draw a number of lines (Right Click "
     "to Stop)"},
    {"DrawArrowDefault", "Draw Arrow", "",
     "Draw Arrow|Drag lines on the model surface to Draw a number of default arrows (Right Click "
     "to Stop)"},
    {"Freeform", "Freeform", "", "Freeform|Draw a freeform shape on the model surface"},
    {"LinkCogi", "Link Cogi", "",
     "Link Cogi|Link the Selected Cogis to a file on your hard drive or on your company's network"},
    {"Standardise", "Standardise", "",
     "Standardise|Copies the attributes of one object onto another."},
    {"StingCogis", "Sting Cogis", "",
     "Sting Cogis|Click an Cogi to Delete (Right Click to Stop Stinging)"},
    {"InsertClipart", "Insert Clipart", "",
     "Insert Clipart|Inserts Clipart from Cogi Clipart or from a file"},
    {"ObliqueThought", "Oblique Thought", "",
     "Oblique Thought|Displays a random thought which can be placed in an Cogi"},
    {"ThoughtCogi", "Create Oblique Thought Cogi", "",
     "Create Oblique Thought Cogi|Creates an Cogi containing an Oblique Thought"},
    {"LinkToWeb", "Link to WEB", "",
     "Link to WEB|Link the selected Cogis to a WEB Page or Internet Document"},
    {"ActivateGateway", "Activate Gateway", "",
     "Activate Gateway|Goes through the gateway of the selected Cogi"},
    {"ContextEditText", "Edit Text", "", "Edit Text|Edit or Add Text in an object"},
    {"SmoothPoints", "Smooth Points", "", ""},
};

class Commands : public TShellTest {
 protected:
  TMainForm& StartActive()
  {
    TMainForm& form = Start();
    QApplication::setActiveWindow(&form);
    return form;
  }
  void Trigger(const char* id) { main->Actions().Action(QLatin1String(id))->trigger(); }
  TModelDocument& Document() { return main->ActiveModel()->Document(); }
  // Hexagons in a row, the ones whose letters are given selected.
  std::vector<CGPObject*> Cogis(int count, const QString& selected = QString())
  {
    std::vector<CGPObject*> objects;
    for (int i = 0; i < count; ++i) {
      CGPObject* object = iotest::AddCogi(Document(), 2 + 2 * i, 2);
      object->Selected = selected.contains(QChar(u'A' + i));
      objects.push_back(object);
    }
    main->UpdateControls();  // as adding objects through a command does
    return objects;
  }
  QAction* MenuItem(QMenu* menu, const QString& caption)
  {
    for (QAction* item : menu->actions())
      if (item->text() == caption) return item;
    ADD_FAILURE() << "no item " << caption.toStdString();
    return nullptr;
  }
  void Choose(QMenu* menu, const QString& caption)
  {
    if (QAction* item = MenuItem(menu, caption)) item->trigger();
  }
  // The objects a model file holds; -1 when it is no model.
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
  QString LastError() const
  {
    const QStringList messages = dialogs.Texts(QStringLiteral("message"));
    return messages.isEmpty() ? QString() : messages.back();
  }
};

TEST_F(Commands, EveryCaptionShortcutAndHintIsAsTheTablesGiveThem)
{
  TMainForm& form = Start();
  for (const TExpectedCommand& expected : kExpected) {
    SCOPED_TRACE(expected.Id);
    QAction* action = form.Actions().Action(QLatin1String(expected.Id));
    ASSERT_NE(action, nullptr);
    const QString hint = QString::fromUtf8(expected.Hint);
    // Undo and Redo name what they would undo at run time.
    const bool runTimeCaption = QLatin1String(expected.Id) == QLatin1String("EditUndo") ||
                                QLatin1String(expected.Id) == QLatin1String("EditRedo");
    if (!runTimeCaption) {
      EXPECT_EQ(action->text(), QString::fromUtf8(expected.Caption));
    }
    EXPECT_EQ(action->shortcut(),
              QKeySequence::fromString(QLatin1String(expected.Key), QKeySequence::PortableText));
    if (!hint.isEmpty()) {
      EXPECT_EQ(action->toolTip(), hint.section(QLatin1Char('|'), 0, 0));
      EXPECT_EQ(action->statusTip(), hint.section(QLatin1Char('|'), -1));
      EXPECT_FALSE(action->statusTip().contains(QLatin1Char('|')));
    }
  }
  // One action per key: two on Ctrl+S made Qt call the key ambiguous and neither ran.
  QHash<QKeySequence, QString> owners;
  for (const QString& id : form.Actions().Ids()) {
    const QKeySequence key = form.Actions().Action(id)->shortcut();
    if (key.isEmpty()) continue;
    EXPECT_FALSE(owners.contains(key))
        << id.toStdString() << " and " << owners.value(key).toStdString();
    owners.insert(key, id);
  }
  EXPECT_EQ(owners.value(QKeySequence(QStringLiteral("Ctrl+S"))), QStringLiteral("FileSave"));
  EXPECT_EQ(form.Actions().Action(QStringLiteral("EditRedo"))->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_Y));
}

TEST_F(Commands, ExactlyTheseCommandsWaitForTheirWorkAndStayDisabled)
{
  TMainForm& form = Start();
  const QStringList waiting = {
      QStringLiteral("ActivateGateway"),   QStringLiteral("BrainstormButton"),
      QStringLiteral("CogiBrainstorm"),    QStringLiteral("CogiLinkGateway"),
      QStringLiteral("CogiLinkNewModel"),  QStringLiteral("CogiLinkWeb"),
      QStringLiteral("CogiRemoveLink"),    QStringLiteral("ControlModel"),
      QStringLiteral("EditInsertClipart"), QStringLiteral("EditInsertModel"),
      QStringLiteral("EditInsertObject"),  QStringLiteral("InsertClipart"),
      QStringLiteral("LinkCogi"),          QStringLiteral("LinkToWeb"),
      QStringLiteral("ModelBackground"),   QStringLiteral("ObliqueThought"),
      QStringLiteral("QuickZoom"),         QStringLiteral("SmoothPoints"),
      QStringLiteral("ThoughtCogi"),       QStringLiteral("ToLastModel"),
  };
  EXPECT_EQ(form.Actions().UnavailableIds(), waiting);
  form.UpdateControls();
  for (const QString& id : waiting)
    EXPECT_FALSE(form.Actions().Action(id)->isEnabled()) << id.toStdString();
  // Wiring one later is one call, and it then acts.
  int printed = 0;
  form.Actions().Implement(QStringLiteral("FilePrint"), [&printed] { ++printed; });
  form.UpdateControls();
  ASSERT_TRUE(form.Actions().Action(QStringLiteral("FilePrint"))->isEnabled());
  Trigger("FilePrint");
  EXPECT_EQ(printed, 1);
}

TEST_F(Commands, CtrlSOnANeverSavedModelAsksForANameAndWritesAModelTheDumpReads)
{
  TMainForm& form = StartActive();
  Cogis(2);
  Document().Modified = true;
  form.UpdateControls();  // as every recorded edit does
  const QString path = ModelPath(QStringLiteral("typed.mdl"));
  dialogs.saveNames.push_back(path);
  QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(dialogs.Count(QStringLiteral("save")), 1);
  EXPECT_EQ(dialogs.asked.back().Title, QStringLiteral("Save Model"));
  EXPECT_TRUE(Document().Named);
  EXPECT_FALSE(Document().Modified);
  QProcess dump;
  dump.start(QStringLiteral(MINDORRA_EXECUTABLE), {QStringLiteral("dump"), path});
  ASSERT_TRUE(dump.waitForFinished(30000));
  EXPECT_EQ(dump.exitCode(), 0);
  EXPECT_EQ(QString::fromUtf8(dump.readAllStandardOutput()).count(QStringLiteral("TCogi")), 2);
}

TEST_F(Commands, SavingAsAPictureAsksItsSizeLeavesTheModelUnsavedAndCancelWritesNothing)
{
  TMainForm& form = Start();
  Cogis(1);
  Document().Modified = true;
  const QString picture = ModelPath(QStringLiteral("x.jpg"));
  dialogs.saveNames.push_back(picture);
  dialogs.inputs.push_back(QStringLiteral("800x600"));
  Trigger("FileSaveAs");
  const QImage written(picture);
  EXPECT_EQ(written.size(), QSize(800, 600));
  EXPECT_FALSE(Document().Named);
  EXPECT_TRUE(Document().Modified);
  EXPECT_FALSE(form.RecentFiles().Files().contains(QFileInfo(picture).absoluteFilePath()));

  // Closing the size question cancels the export; a huge size is bounded.
  const QString bitmap = ModelPath(QStringLiteral("y.bmp"));
  dialogs.saveNames.push_back(bitmap);
  dialogs.inputs.push_back(std::nullopt);
  Trigger("FileSaveAs");
  EXPECT_FALSE(QFile::exists(bitmap));
  dialogs.saveNames.push_back(bitmap);
  dialogs.inputs.push_back(QStringLiteral("99999x0"));
  Trigger("FileSaveAs");
  EXPECT_EQ(QImage(bitmap).size(), QSize(6000, 16));

  // A page goes through the same path to its own writer: page and picture, model unnamed.
  TAnsweredPublishing answers;
  form.Features().SetPublishingQuestions(answers);
  const QString page = ModelPath(QStringLiteral("z.html"));
  dialogs.saveNames.push_back(page);
  Trigger("FileSaveAs");
  EXPECT_TRUE(QFile::exists(page));
  EXPECT_EQ(QImage(ModelPath(QStringLiteral("z.jpg"))).size(), QSize(200, 150));
  EXPECT_FALSE(Document().Named);
  EXPECT_TRUE(Document().Modified);
}

TEST_F(Commands, ExportModelImageNeedsObjectsAKnownPictureKindAndNeverNamesTheModel)
{
  Start();
  dialogs.Forget();
  Trigger("FileExportImage");
  EXPECT_EQ(dialogs.Count(QStringLiteral("save")), 0);
  EXPECT_EQ(dialogs.beeps, 1);
  Cogis(2);
  dialogs.saveNames.push_back(ModelPath(QStringLiteral("x.png")));
  Trigger("FileExportImage");
  EXPECT_EQ(LastError(), QStringLiteral("Error.\n\nUnknown graphic format."));
  EXPECT_EQ(dialogs.fileRequests.back().Title, QStringLiteral("Export Model Image"));
  EXPECT_EQ(dialogs.fileRequests.back().DefaultSuffix, QStringLiteral("bmp"));
  const QString bitmap = ModelPath(QStringLiteral("x.bmp"));
  dialogs.saveNames.push_back(bitmap);
  dialogs.inputs.push_back(QStringLiteral("320x200"));
  Trigger("FileExportImage");
  EXPECT_EQ(QImage(bitmap).size(), QSize(320, 200));
  EXPECT_FALSE(Document().Named);
}

TEST_F(Commands, ImageSizeDialogOffersPresetsBoundsOtherAndCancelsWhenClosed)
{
  TImageSizeDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Set Bitmap Size"));
  EXPECT_EQ(dialog.ChosenSize(), QSize(640, 480));
  const auto radios = dialog.findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 6);
  radios.front()->setChecked(true);
  EXPECT_EQ(dialog.ChosenSize(), QSize(320, 200));
  radios.back()->setChecked(true);
  const auto boxes = dialog.findChildren<QLineEdit*>();
  ASSERT_EQ(boxes.size(), 2);
  boxes[0]->setText(QStringLiteral("0"));
  boxes[1]->setText(QStringLiteral("99999"));
  EXPECT_EQ(dialog.ChosenSize(), QSize(16, 6000));
  boxes[0]->clear();
  boxes[1]->setText(QStringLiteral("x"));
  EXPECT_EQ(dialog.ChosenSize(), QSize(320, 200));
  QTimer::singleShot(0, &dialog, &QDialog::close);
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(TImageSize::Parse(QStringLiteral("12 x 34")), QSize(12, 34));
  EXPECT_FALSE(TImageSize::Parse(QStringLiteral("-5x3")).has_value());
}

TEST_F(Commands, SaveAllSkipsReadOnlyModelsAsksAboutUnnamedOnesAndGoesOnPastAFailure)
{
  const QString locked = MakeModel(QStringLiteral("locked.mdl"), 1);
  const QString plain = MakeModel(QStringLiteral("plain.mdl"), 1);
  QDir().mkpath(ModelPath(QStringLiteral("gone")));
  const QString doomed = MakeModel(QStringLiteral("gone/doomed.mdl"), 1);
  TMainForm& form = Start({locked, doomed, plain});
  const QByteArray lockedBytes = [&] {
    QFile file(locked);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }();
  for (TModelForm* model : form.Models()) {
    if (model->Document().FileName.endsWith(QLatin1String("locked.mdl")))
      model->Document().ReadOnly = true;
    Edit(*model);
  }
  TModelForm* unnamed = form.NewModel();
  Edit(*unnamed);
  // The folder of one model goes: its save fails and is reported, the next is still saved.
  QDir(ModelPath(QStringLiteral("gone"))).removeRecursively();
  dialogs.answers.push_back(TAnswer::Yes);
  dialogs.saveNames.push_back(ModelPath(QStringLiteral("named.mdl")));
  dialogs.Forget();
  Trigger("FileSaveAll");
  EXPECT_EQ(ObjectsIn(plain), 2);
  QFile file(locked);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), lockedBytes);
  EXPECT_EQ(ObjectsIn(ModelPath(QStringLiteral("named.mdl"))), 1);
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("Untitled.mdl"))));
  EXPECT_EQ(dialogs.Count(QStringLiteral("ask")), 1);
  const QStringList messages = dialogs.Texts(QStringLiteral("message"));
  ASSERT_EQ(messages.size(), 1) << messages.join(QStringLiteral(" / ")).toStdString();
  EXPECT_TRUE(messages[0].contains(QStringLiteral("doomed.mdl")));
}

TEST_F(Commands, DeleteRemovesTheSelectionStingsWithoutOneAndBeepsOnAnEmptyModel)
{
  Start();
  dialogs.Forget();
  Trigger("EditDelete");
  EXPECT_EQ(Document().Mode, opNone);
  EXPECT_GE(dialogs.beeps, 1);
  Cogis(3, QStringLiteral("B"));
  Trigger("EditDelete");
  EXPECT_EQ(Document().Objects.size(), 2u);
  EXPECT_EQ(Document().UndoList.back().Caption, QStringLiteral("Delete Cogis"));
  Trigger("EditDelete");
  EXPECT_EQ(Document().Objects.size(), 2u);
  EXPECT_EQ(Document().Mode, opSting);
}

TEST_F(Commands, CtrlRShowsTheGridAndCtrlGSnapsWhileCtrlSSavesNotSnaps)
{
  TMainForm& form = StartActive();
  const bool grid = Document().ShowGrid;
  const bool snap = Document().SnapToGrid;
  const bool shape = Document().SnapToShape;
  QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(Document().ShowGrid, !grid);
  QTest::keyClick(&form, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(Document().SnapToGrid, !snap);
  Document().Modified = true;  // Save waits for something to save
  form.UpdateControls();
  dialogs.saveNames.push_back(std::nullopt);
  QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Document().SnapToShape, shape);
  EXPECT_EQ(dialogs.Count(QStringLiteral("save")), 1);
  QTest::keyClick(&form, Qt::Key_Y, Qt::ControlModifier);
}

TEST_F(Commands, SendToBackKeepsTheSelectedInOrderAtTheBack)
{
  Start();
  const std::vector<CGPObject*> abcd = Cogis(4, QStringLiteral("BD"));
  Trigger("SendToBack");
  EXPECT_EQ(Document().Objects, (std::vector<CGPObject*>{abcd[1], abcd[3], abcd[0], abcd[2]}));
  Trigger("BringToFront");
  EXPECT_EQ(Document().Objects, (std::vector<CGPObject*>{abcd[0], abcd[2], abcd[1], abcd[3]}));
}

TEST_F(Commands, SizeFillLineShadowChangeTheSelectionOrElseOnlyTheDefaults)
{
  TMainForm& form = Start();
  auto* cogi = static_cast<TCogi*>(Cogis(1, QStringLiteral("A")).front());
  ASSERT_EQ(cogi->ShapeVariant, 7);
  Choose(form.DropDownMenus().SizeMenu(), QStringLiteral("Medium"));
  EXPECT_DOUBLE_EQ(cogi->Width, 1.875);
  EXPECT_DOUBLE_EQ(cogi->Height, 1.875);
  EXPECT_EQ(Document().CogiSize, 0);
  Choose(form.DropDownMenus().LineMenu(), QString::fromUtf8("\u00bd pt"));
  EXPECT_FLOAT_EQ(cogi->LineWidth, 0.5f);
  Trigger("Shadow");
  EXPECT_EQ(cogi->Shadow, 1);
  EXPECT_EQ(Document().Shadow, 0);

  cogi->Selected = false;
  Choose(form.DropDownMenus().SizeMenu(), QStringLiteral("Large"));
  Choose(form.DropDownMenus().FillMenu(), QStringLiteral("Clear"));
  Trigger("Shadow");
  Trigger("ShowLine");
  EXPECT_EQ(Document().CogiSize, 2);
  EXPECT_EQ(Document().FillStyle, 1);
  EXPECT_EQ(Document().Shadow, 1);
  EXPECT_EQ(Document().LineStyle, 5);
  EXPECT_DOUBLE_EQ(cogi->Width, 1.875);
  EXPECT_EQ(cogi->FillStyle, 0);
  EXPECT_EQ(cogi->Shadow, 1);
}

TEST_F(Commands, OtherLineWidthTakesAFigureAndRefusesNegativeEndlessAndHugeOnes)
{
  TMainForm& form = Start();
  QMenu* line = form.DropDownMenus().LineMenu();
  const float before = Document().LineWidth;
  for (const char* text : {"-2", "nan", "inf", "1e30", "abc"}) {
    dialogs.inputs.push_back(QString::fromLatin1(text));
    Choose(line, QStringLiteral("Other..."));
    EXPECT_FLOAT_EQ(Document().LineWidth, before) << text;
  }
  EXPECT_EQ(LastError(), QStringLiteral("Error.\n\n'abc' is not a valid floating point value"));
  EXPECT_TRUE(dialogs.Texts(QStringLiteral("message"))
                  .contains(QStringLiteral("Error.\n\nInvalid figure")));
  dialogs.inputs.push_back(QStringLiteral("2.5"));
  Choose(line, QStringLiteral("Other..."));
  EXPECT_FLOAT_EQ(Document().LineWidth, 2.5f);
  EXPECT_EQ(dialogs.asked.back().Title, QStringLiteral("Other Line Width"));
}

TEST_F(Commands, ZoomMenuZoomsToItsFiguresAndOtherReadsTextAsAHundredWithinBounds)
{
  TMainForm& form = Start();
  form.ActiveModel()->PaintBox().resize(800, 600);
  Document().ClientSize = QSize(800, 600);
  QMenu* zoom = form.DropDownMenus().ZoomMenu();
  Choose(zoom, QStringLiteral("200 %"));
  EXPECT_DOUBLE_EQ(Document().Zoom, 200.0);
  dialogs.inputs.push_back(QStringLiteral("abc"));
  Choose(zoom, QStringLiteral("Other..."));
  EXPECT_DOUBLE_EQ(Document().Zoom, 100.0);
  dialogs.inputs.push_back(QStringLiteral("99999999999"));
  Choose(zoom, QStringLiteral("Other..."));
  EXPECT_DOUBLE_EQ(Document().Zoom, TModelView::kMaxZoom);
  Choose(zoom, QStringLiteral("Whole Model"));
  EXPECT_DOUBLE_EQ(Document().Zoom, TModelView(Document()).WholeModelZoom());

  // Zoom speed: frames above 0 and within reason.
  const int frames = Document().ZoomFrames;
  for (const char* text : {"0", "x", "2000000000"}) {
    dialogs.inputs.push_back(QString::fromLatin1(text));
    Trigger("ModelZoomSpeed");
    EXPECT_EQ(Document().ZoomFrames, frames) << text;
    EXPECT_EQ(LastError(), QStringLiteral("Error.\n\nInvalid figure")) << text;
  }
  dialogs.inputs.push_back(QStringLiteral("25"));
  Trigger("ModelZoomSpeed");
  EXPECT_EQ(Document().ZoomFrames, 25);
}

TEST_F(Commands, RenumberAsksAgainUntilTheStartFitsAndNumbersTheLeftOneFirst)
{
  Start();
  const std::vector<CGPObject*> two = Cogis(2, QStringLiteral("AB"));
  dialogs.inputs = {QStringLiteral("abc"), QStringLiteral("-1"), QStringLiteral("2147483647"),
                    QStringLiteral("7")};
  Trigger("CogiRenumber");
  EXPECT_EQ(dialogs.Count(QStringLiteral("input")), 4);
  EXPECT_EQ(
      dialogs.Texts(QStringLiteral("message")).count(QStringLiteral("Error.\n\nInvalid Number.")),
      3);
  EXPECT_EQ(two[0]->Number, 7);
  EXPECT_EQ(two[1]->Number, 8);
  // Cancel stops the loop without a change.
  dialogs.inputs = {std::nullopt};
  Trigger("CogiRenumber");
  EXPECT_EQ(two[0]->Number, 7);
}

TEST_F(Commands, CreationToolsSetTheirFieldsAndEnterTheirModes)
{
  Start();
  Document().CogiSize = 1;
  Document().CreateAngle = 30;
  Trigger("CreateCogis");
  EXPECT_EQ(Document().CreateKind, okCogi);
  EXPECT_EQ(Document().CreateVariant, 7);
  EXPECT_DOUBLE_EQ(Document().CreateWidth, 1.875);
  EXPECT_EQ(Document().CreateAngle, 0);
  EXPECT_EQ(Document().Mode, opPlaceShape);
  QAction* cogis = main->Actions().Action(QStringLiteral("CreateCogis"));
  EXPECT_TRUE(cogis->isChecked());
  Trigger("CreateClusters");
  EXPECT_FALSE(cogis->isChecked());
  EXPECT_EQ(Document().CreateKind, okCluster);
  EXPECT_DOUBLE_EQ(Document().CreateHeight, 1.0);
  EXPECT_EQ(Document().Mode, opCreateClusters);
  Trigger("Freeform");
  EXPECT_EQ(Document().CreateKind, okFreeShape);
  EXPECT_EQ(Document().Mode, opFreeform);
  const std::tuple<const char*, int, int, int> arrows[] = {
      {"DrawArrowPlain", 0, 0, 0}, {"DrawLine", 10, 0, 0}, {"DrawArrowDefault", 0, 0, 1}};
  for (const auto& [id, style, a, b] : arrows) {
    Trigger(id);
    EXPECT_EQ(Document().NewArrowStyle, style) << id;
    EXPECT_EQ(Document().NewArrowA, a) << id;
    EXPECT_EQ(Document().NewArrowB, b) << id;
    EXPECT_EQ(Document().Mode, opCreateArrows) << id;
  }
  Trigger("EndOperation");
  EXPECT_EQ(Document().Mode, opNone);
  EXPECT_FALSE(main->Actions().Action(QStringLiteral("DrawArrowDefault"))->isChecked());
}

TEST_F(Commands, SendByEmailHandsAnAttachmentThatOutlivesTheMailProgram)
{
  const QString bin = Path(QStringLiteral("bin"));
  QDir().mkpath(bin);
  const QString log = Path(QStringLiteral("mail.log"));
  QFile script(bin + QStringLiteral("/xdg-email"));
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\nexit 0\n").arg(log).toUtf8());
  script.close();
  script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", bin.toLocal8Bit() + ':' + path);
  TMainForm& form = Start({MakeModel(QStringLiteral("plan.mdl"), 3)});
  Trigger("FileEmail");
  QFile logged(log);
  ASSERT_TRUE(logged.open(QIODevice::ReadOnly));
  const QStringList args = QString::fromUtf8(logged.readAll()).trimmed().split(QLatin1Char(' '));
  ASSERT_EQ(args.size(), 2);
  EXPECT_EQ(args[0], QStringLiteral("--attach"));
  EXPECT_EQ(QFileInfo(args[1]).fileName(), QStringLiteral("plan.mdl"));
  EXPECT_EQ(ObjectsIn(args[1]), 3);
  EXPECT_EQ(form.Mail().Attachments(), QStringList{args[1]});
  EXPECT_EQ(dialogs.Count(QStringLiteral("message")), 0);
  // A second mail gets a folder of its own.
  Trigger("SendByEmail");
  ASSERT_EQ(form.Mail().Attachments().size(), 2);
  EXPECT_NE(QFileInfo(form.Mail().Attachments()[0]).absolutePath(),
            QFileInfo(form.Mail().Attachments()[1]).absolutePath());
  qputenv("PATH", path);
  EXPECT_TRUE(QFile::exists(args[1]));
}

TEST_F(Commands, SendByEmailWithoutAMailProgramSaysSo)
{
  Start();
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", Path(QStringLiteral("nothing")).toLocal8Bit());
  Trigger("FileEmail");
  qputenv("PATH", path);
  EXPECT_EQ(LastError(), QStringLiteral("Error.\n\nMAPI failed"));
}

TEST_F(Commands, ToolbarLayoutAndVisibilityAreKeptAcrossARestart)
{
  TMainForm& form = Start();
  ASSERT_EQ(form.Toolbars().Bars().size(), 7);
  EXPECT_EQ(form.toolBarArea(form.Toolbars().Bar(QStringLiteral("Quick"))), Qt::LeftToolBarArea);
  EXPECT_EQ(form.Toolbars().Bar(QStringLiteral("TextProperties"))->windowTitle(),
            QStringLiteral("Text Properties"));
  QMenu* bars = form.findChild<QMenu*>(QStringLiteral("ToolbarsMenu"));
  ASSERT_NE(bars, nullptr);
  EXPECT_EQ(bars->actions().size(), 7);
  Trigger("ViewToolbarModify");
  EXPECT_FALSE(form.Toolbars().Bar(QStringLiteral("Modify"))->isVisibleTo(&form));
  EXPECT_FALSE(form.Actions().Action(QStringLiteral("ToggleModify"))->isChecked());
  form.addToolBar(Qt::RightToolBarArea, form.Toolbars().Bar(QStringLiteral("Quick")));
  TMainForm& again = Restart();
  EXPECT_FALSE(again.Toolbars().Bar(QStringLiteral("Modify"))->isVisibleTo(&again));
  EXPECT_FALSE(again.Actions().Action(QStringLiteral("ViewToolbarModify"))->isChecked());
  EXPECT_EQ(again.toolBarArea(again.Toolbars().Bar(QStringLiteral("Quick"))), Qt::RightToolBarArea);
  Trigger("ToggleModify");
  EXPECT_TRUE(again.Toolbars().Bar(QStringLiteral("Modify"))->isVisibleTo(&again));
  EXPECT_TRUE(again.Actions().Action(QStringLiteral("ToggleModify"))->isChecked());
}

TEST_F(Commands, QuickZoomStepsWhileHeldAndStopsWhenItsWindowCloses)
{
  TMainForm& form = Start();
  TModelForm* model = form.ActiveModel();
  const double before = model->Document().Zoom;
  TQuickZoom& zoom = form.QuickZoom();
  zoom.Begin(model, true);
  EXPECT_GT(model->Document().Zoom, before);
  EXPECT_TRUE(zoom.Running());
  EXPECT_EQ(model->Document().ViewStack.size(), 1u);
  const double first = model->Document().Zoom;
  zoom.SetDirection(false);
  EXPECT_TRUE(zoom.Step());
  EXPECT_LT(model->Document().Zoom, first);
  // The window goes while the button is held: the next step finds it gone and stops.
  model->Document().Modified = false;
  delete form.Windows().WindowOf(model);
  EXPECT_FALSE(zoom.Step());
  EXPECT_FALSE(zoom.Running());
}

TEST_F(Commands, ModelMenuShowsObjectItemsOverAnObjectAndGridItemsOverTheSurface)
{
  TMainForm& form = Start();
  CGPObject* cogi = Cogis(1).front();
  const QStringList over = TModelMenu::Items(Document(), cogi);
  EXPECT_TRUE(over.contains(QStringLiteral("ContextEditText")));
  EXPECT_TRUE(over.contains(QStringLiteral("CogiShowNumber")));
  EXPECT_TRUE(over.contains(QStringLiteral("CogiLinkGateway")));
  EXPECT_FALSE(over.contains(QStringLiteral("ModelShowGrid")));
  const QStringList surface = TModelMenu::Items(Document(), nullptr);
  EXPECT_EQ(surface,
            (QStringList{QStringLiteral("EditCut"), QStringLiteral("EditCopy"),
                         QStringLiteral("EditPaste"), QStringLiteral("ModelShowGrid"),
                         QStringLiteral("ModelSnapToShape"), QStringLiteral("ModelSnapToGrid"),
                         QStringLiteral("-"), QStringLiteral("ModelBackground")}));
  // The right click has made the object under the pointer the selection.
  cogi->ShowNumber = false;
  cogi->Selected = true;
  std::unique_ptr<QMenu> menu(form.BuildModelMenu(cogi));
  QAction* number = MenuItem(menu.get(), QStringLiteral("Show Number"));
  ASSERT_NE(number, nullptr);
  EXPECT_FALSE(number->isChecked());
  number->trigger();
  EXPECT_TRUE(cogi->ShowNumber);
}

TEST_F(Commands, HelpContentsOpensOurOwnPagesAndMailLinksNameTheSubject)
{
  TMainForm& form = Start();
  Trigger("HelpContents");
  ASSERT_NE(form.HelpWindow(), nullptr);
  EXPECT_TRUE(form.HelpWindow()->isVisible());
  EXPECT_EQ(form.HelpWindow()->CurrentPage(), QStringLiteral("index.html"));
  EXPECT_TRUE(form.HelpWindow()->Text().contains(QStringLiteral("Contents")));
  const QUrl mail = TMainForm::SupportMail(QStringLiteral("Mindorra Suggestion"));
  EXPECT_EQ(mail.scheme(), QStringLiteral("mailto"));
  EXPECT_EQ(QUrlQuery(mail).queryItemValue(QStringLiteral("subject")),
            QStringLiteral("Mindorra Suggestion"));
}

}  // namespace

TEST_F(Commands, TheTextBarBoldsEverySelectedTextAsOneStepAndShowsWhatItLeft)
{
  StartActive();
  TCogi* a = iotest::AddCogi(Document(), 2, 2, 7, QStringLiteral("First"));
  TCogi* b = iotest::AddCogi(Document(), 5, 2, 7, QStringLiteral("Second"));
  TCogi* c = iotest::AddCogi(Document(), 8, 2, 7, QStringLiteral("Unselected"));
  a->Selected = b->Selected = true;
  main->UpdateControls();
  QAction* bold = main->Actions().Action(QStringLiteral("TextBold"));
  ASSERT_TRUE(bold->isEnabled());
  EXPECT_FALSE(bold->isChecked());

  bold->trigger();
  EXPECT_TRUE(TTextAttributes::StateOfText(a->Text).Bold);
  EXPECT_TRUE(TTextAttributes::StateOfText(b->Text).Bold);
  EXPECT_FALSE(TTextAttributes::StateOfText(c->Text).Bold);
  EXPECT_TRUE(bold->isChecked());
  EXPECT_EQ(main->Actions().Action(QStringLiteral("EditUndo"))->text(),
            QStringLiteral("Undo Adjust Text"));

  Trigger("EditUndo");
  // Undo rebuilds the objects, so they are found again by place.
  for (CGPObject* object : Document().Objects)
    EXPECT_FALSE(TTextAttributes::StateOfText(object->Text).Bold);
}

TEST_F(Commands, APaletteColourRecolorsTheSelectionOrBecomesTheDefaultAndPaints)
{
  StartActive();
  TCogi* a = iotest::AddCogi(Document(), 2, 2);
  a->Selected = true;
  const TColorRef picked = MakeColorRef(200, 10, 10);
  Q_EMIT main->Features().Palette().Change(ptForeground, picked);
  EXPECT_EQ(a->FaceColor, picked);
  EXPECT_TRUE(main->Actions()
                  .Action(QStringLiteral("EditUndo"))
                  ->text()
                  .contains(QStringLiteral("Change Face Color")));

  a->Selected = false;
  const TColorRef other = MakeColorRef(10, 200, 10);
  Q_EMIT main->Features().Palette().Change(ptForeground, other);
  EXPECT_EQ(Document().FaceColor, other);
  EXPECT_EQ(Document().Mode, opPaint);
}

TEST_F(Commands, ControlsFollowTheModelSaveZoomAndTheFirstSelectedLine)
{
  StartActive();
  const auto enabled = [this](const char* id) {
    return main->Actions().Action(QLatin1String(id))->isEnabled();
  };
  TCogi* a = iotest::AddCogi(Document(), 2, 2);
  Document().Modified = false;
  main->UpdateControls();
  EXPECT_FALSE(enabled("FileSave"));
  EXPECT_FALSE(enabled("FileSaveAll"));
  EXPECT_TRUE(enabled("FileSaveAs"));
  Document().Modified = true;
  main->UpdateControls();
  EXPECT_TRUE(enabled("FileSave"));
  EXPECT_TRUE(enabled("FileSaveAll"));

  Document().Zoom = 400;
  main->UpdateControls();
  EXPECT_FALSE(enabled("ZoomIn"));
  Document().Zoom = 399;
  main->UpdateControls();
  EXPECT_TRUE(enabled("ZoomIn"));

  const auto checked = [this](const QString& caption) {
    return MenuItem(main->DropDownMenus().LineMenu(), caption)->isChecked();
  };
  a->Selected = true;
  a->LineWidth = 2.5f;
  main->UpdateControls();
  EXPECT_TRUE(checked(QStringLiteral("Other...")));
  EXPECT_FALSE(checked(QStringLiteral("2 pt")));
  a->LineWidth = 0.75f;
  main->UpdateControls();
  EXPECT_TRUE(checked(QString::fromUtf8("\u00be pt")));
  EXPECT_FALSE(checked(QStringLiteral("Other...")));
  // Nothing selected: the model's own width shows.
  a->Selected = false;
  Document().LineWidth = 2.0f;
  main->UpdateControls();
  EXPECT_TRUE(checked(QStringLiteral("2 pt")));

  // No model: the whole Text Properties bar waits, the font boxes with the buttons.
  Document().Modified = false;
  ASSERT_TRUE(main->Windows().WindowOf(main->ActiveModel())->close());
  ASSERT_EQ(main->ActiveModel(), nullptr);
  main->UpdateControls();
  EXPECT_FALSE(enabled("TextBold"));
  EXPECT_FALSE(main->Toolbars().FontNameBox()->isEnabled());
  EXPECT_FALSE(main->Toolbars().FontSizeBox()->isEnabled());
  EXPECT_TRUE(enabled("FileNew"));
}

TEST_F(Commands, TextTypedIntoAnEmptyObjectTakesTheTextBarDefaults)
{
  StartActive();
  TCogi* a = iotest::AddCogi(Document(), 2, 2);
  main->UpdateControls();
  // Nothing selected: Bold and 20 points become the attributes of new text.
  main->Actions().Action(QStringLiteral("TextBold"))->trigger();
  QComboBox* size = main->Toolbars().FontSizeBox();
  size->setEditText(QStringLiteral("20"));
  QTest::keyClick(size->lineEdit(), Qt::Key_Return);

  Document().ContextObject = a;
  main->Actions().Action(QStringLiteral("ContextEditText"))->trigger();
  QTextEdit* box = main->ActiveModel()->TextEditors().ActiveBox();
  ASSERT_NE(box, nullptr);
  QTest::keyClicks(box, QStringLiteral("Plan"));
  main->Actions().Action(QStringLiteral("EndOperation"))->trigger();
  const TTextState state = TTextAttributes::StateOfText(a->Text);
  EXPECT_TRUE(state.Bold);
  EXPECT_EQ(state.PointSize, 20);
}
