// The main window while a text editor is open: the edit commands and the Text Properties
// toolbar follow the editor as it changes and act on it, and go back to the model's rules
// when editing ends. Also the link commands' states for a selection.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "app/commands/controlstates.h"
#include "app/commands/featurecommands.h"
#include "app/palette/cgpcolorpanel.h"
#include "app/shelltestsupport.h"
#include "app/text/notesform.h"
#include "app/text/texteditors.h"
#include "app/text/textform.h"
#include "app/toolbars/maintoolbars.h"
#include "interaction/modelpaintbox.h"
#include "io/undorecorder.h"
#include "model/arrow.h"
#include "model/cogi.h"
#include "model/operationmode.h"
#include "platform/text/rtfreader.h"

using namespace shelltest;

namespace {

class TextMode : public TShellTest {
 protected:
  void TearDown() override
  {
    TShellTest::TearDown();
    TTextEditors::NotesWithText = false;
  }
  TMainForm& StartEditing(const QString& text = QString())
  {
    TMainForm& form = Start();
    QApplication::setActiveWindow(&form);
    cogi = iotest::AddCogi(Document(), 3, 3, 7, text);
    TUndoRecorder::TakeBaseline(Document());
    form.UpdateControls();
    Document().ContextObject = cogi;
    Trigger("ContextEditText");
    EXPECT_EQ(Document().Mode, opEditText);
    return form;
  }
  TModelDocument& Document() { return main->ActiveModel()->Document(); }
  QTextEdit& Box() { return main->ActiveModel()->TextEditors().TextForm().Box(); }
  QAction* Action(const char* id) { return main->Actions().Action(QLatin1String(id)); }
  bool Enabled(const char* id) { return Action(id)->isEnabled(); }
  bool Down(const char* id) { return Action(id)->isChecked(); }
  void Trigger(const char* id) { Action(id)->trigger(); }
  void Type(const QString& text)
  {
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(&Box(), &press);
    }
  }
  void Select(int from, int to)
  {
    QTextCursor cursor = Box().textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    Box().setTextCursor(cursor);
  }
  QComboBox& SizeBox() { return *main->Toolbars().FontSizeBox(); }
  richtext::TAlignment Alignment()
  {
    return richtext::AlignmentOf(Box().textCursor().block().blockFormat());
  }
  QTextCharFormat FormatAt(int position)
  {
    QTextCursor cursor(Box().document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
  }

  TCogi* cogi = nullptr;
};

}  // namespace

TEST_F(TextMode, EditCommandsFollowTheEditorLiveAndReturnToTheModelRulesAfterwards)
{
  TMainForm& form = StartEditing();
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  // An empty editor: nothing to select, cut or undo; the editor has no redo.
  EXPECT_FALSE(Enabled("EditSelectAll"));
  EXPECT_FALSE(Enabled("EditCut"));
  EXPECT_FALSE(Enabled("EditCopy"));
  EXPECT_FALSE(Enabled("EditPaste"));
  EXPECT_FALSE(Enabled("EditUndo"));
  EXPECT_EQ(Action("EditUndo")->text(), QStringLiteral("Can't &Undo"));
  EXPECT_EQ(Action("EditUndo")->toolTip(), QStringLiteral("Can't Undo"));
  EXPECT_FALSE(Enabled("EditRedo"));
  EXPECT_EQ(Action("EditRedo")->text(), QStringLiteral("Can't &Redo"));
  EXPECT_EQ(Action("EditRedo")->toolTip(), QStringLiteral("Can't Redo"));

  // Typing, selecting and the clipboard change the states with no command run in between.
  Type(QStringLiteral("abc"));
  EXPECT_TRUE(Enabled("EditSelectAll"));
  EXPECT_TRUE(Enabled("EditUndo"));
  EXPECT_EQ(Action("EditUndo")->text(), QStringLiteral("&Undo Typing"));
  EXPECT_EQ(Action("EditUndo")->toolTip(), QStringLiteral("Undo Typing"));
  EXPECT_EQ(Action("EditUndo")->statusTip(), QStringLiteral("Undo Typing"));
  EXPECT_FALSE(Enabled("EditCut"));
  Select(1, 3);
  EXPECT_TRUE(Enabled("EditCut"));
  EXPECT_TRUE(Enabled("EditCopy"));
  EXPECT_FALSE(Enabled("EditPaste"));
  clipboard->setText(QStringLiteral("xy"));
  EXPECT_TRUE(Enabled("EditPaste"));
  clipboard->clear();
  EXPECT_FALSE(Enabled("EditPaste"));

  // The commands act on the editor's text and give it the focus back.
  form.ActiveModel()->PaintBox().setFocus();
  Trigger("EditCut");
  EXPECT_EQ(Box().toPlainText(), QStringLiteral("a"));
  EXPECT_EQ(clipboard->text(), QStringLiteral("bc"));
  EXPECT_FALSE(Enabled("EditCut"));
  EXPECT_TRUE(Enabled("EditPaste"));
  Trigger("EditPaste");
  Trigger("EditPaste");
  EXPECT_EQ(Box().toPlainText(), QStringLiteral("abcbc"));
  EXPECT_EQ(QApplication::focusWidget(), &Box());
  Trigger("EditSelectAll");
  Trigger("EditCopy");
  EXPECT_EQ(clipboard->text(), QStringLiteral("abcbc"));
  // Undo is the editor's: the text goes back and the model stays as it is.
  Trigger("EditUndo");
  EXPECT_NE(Box().toPlainText(), QStringLiteral("abcbc"));
  EXPECT_EQ(Document().Mode, opEditText);
  EXPECT_TRUE(Document().UndoList.empty());

  // Editing ends: the model's rules again. Objects cannot be cut, copied or pasted yet.
  form.ActiveModel()->EndOperation();
  EXPECT_NE(Document().Mode, opEditText);
  cogi->Selected = true;
  form.UpdateControls();
  EXPECT_FALSE(Enabled("EditCut"));
  EXPECT_FALSE(Enabled("EditCopy"));
  EXPECT_FALSE(Enabled("EditPaste"));
  EXPECT_TRUE(Enabled("EditSelectAll"));
  EXPECT_TRUE(Enabled("EditUndo"));
  EXPECT_EQ(Action("EditUndo")->text(), QStringLiteral("Undo Edit Cogi Text"));
  EXPECT_EQ(Action("EditUndo")->toolTip(), QStringLiteral("Undo Edit Cogi Text"));
  // The typing is one entry.
  Trigger("EditUndo");
  EXPECT_TRUE(TRtfReader::PlainText(Document().Objects[0]->Text).trimmed().isEmpty());
  EXPECT_EQ(Action("EditUndo")->text(), QStringLiteral("Can't Undo"));
}

TEST_F(TextMode, CommandsActOnTheNotesWhenTheNotesWereTypedInLast)
{
  TTextEditors::NotesWithText = true;
  StartEditing(QStringLiteral("idea"));
  TTextEditors& editors = main->ActiveModel()->TextEditors();
  QTextEdit& notes = editors.NotesForm().Box();
  ASSERT_TRUE(notes.isVisible());
  Box().setFocus();
  notes.setFocus();
  notes.insertPlainText(QStringLiteral("a note"));
  notes.selectAll();
  Trigger("EditCut");
  EXPECT_TRUE(notes.toPlainText().isEmpty());
  EXPECT_EQ(Box().toPlainText(), QStringLiteral("idea"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a note"));
  // Back in the text: the commands follow.
  Box().setFocus();
  Trigger("EditSelectAll");
  EXPECT_EQ(Box().textCursor().selectedText(), QStringLiteral("idea"));
}

TEST_F(TextMode, PasteTakesOnlyTextAndNoMoreThanAnObjectCanHold)
{
  StartEditing();
  auto* offered = new QMimeData;
  offered->setHtml(QStringLiteral("<b>bold</b><img src=\"file:///etc/passwd\">"));
  offered->setText(QStringLiteral("bold"));
  QGuiApplication::clipboard()->setMimeData(offered);
  Trigger("EditPaste");
  EXPECT_EQ(Box().toPlainText(), QStringLiteral("bold"));
  EXPECT_FALSE(FormatAt(1).fontWeight() > QFont::Normal);
  EXPECT_FALSE(Box().document()->toHtml().contains(QStringLiteral("img")));
  Box().clear();
  QGuiApplication::clipboard()->setText(QString(200000, QLatin1Char('a')));
  Trigger("EditPaste");
  EXPECT_EQ(Box().toPlainText().size(), 65536);
}

TEST_F(TextMode, ToolbarShowsTheEditorsSelectionFollowsTheCursorAndActsOnTheEditor)
{
  TMainForm& form = StartEditing(QStringLiteral("plain"));
  Select(0, 5);
  Trigger("TextBold");  // the button is pressed by the click, so the selection becomes bold
  EXPECT_TRUE(FormatAt(2).fontWeight() > QFont::Normal);
  EXPECT_EQ(QApplication::focusWidget(), &Box());
  QTextCursor end = Box().textCursor();
  end.movePosition(QTextCursor::End);
  Box().setTextCursor(end);
  // Nothing selected: Bold off changes what is typed next, not the text before.
  Trigger("TextBold");
  EXPECT_FALSE(Down("TextBold"));
  Type(QStringLiteral(" thin"));
  EXPECT_TRUE(FormatAt(2).fontWeight() > QFont::Normal);
  EXPECT_FALSE(FormatAt(7).fontWeight() > QFont::Normal);

  // The toolbar follows the cursor.
  Select(1, 3);
  EXPECT_TRUE(Down("TextBold"));
  Select(7, 8);
  EXPECT_FALSE(Down("TextBold"));

  // Sizes typed into the box: a huge one is held to the range, a word is 12.
  Select(0, 2);
  SizeBox().setEditText(QStringLiteral("100000"));
  QTest::keyClick(SizeBox().lineEdit(), Qt::Key_Return);
  EXPECT_EQ(FormatAt(0).fontPointSize(), TTextAttributes::kMaxPointSize);
  SizeBox().setEditText(QStringLiteral("abc"));
  QTest::keyClick(SizeBox().lineEdit(), Qt::Key_Return);
  EXPECT_EQ(FormatAt(1).fontPointSize(), 12.0);
  EXPECT_EQ(SizeBox().currentText(), QStringLiteral("12"));

  // One alignment is down at a time, so Centre after Left centres.
  Trigger("TextLeft");
  EXPECT_EQ(Alignment(), richtext::TAlignment::Left);
  Trigger("TextCentre");
  EXPECT_FALSE(Down("TextLeft"));
  EXPECT_EQ(Alignment(), richtext::TAlignment::Centre);

  // A palette pick colours the editor's selection only.
  Select(0, 2);
  Q_EMIT main->Features().Palette().Change(ptText, 0x0000FF);
  EXPECT_EQ(FormatAt(1).foreground().color(), QColor(255, 0, 0));
  EXPECT_NE(FormatAt(3).foreground().color(), QColor(255, 0, 0));

  // Bullets switch over from the paragraph's own state; indents step by 30 within range.
  Trigger("TextBullets");
  EXPECT_NE(Box().textCursor().block().textList(), nullptr);
  EXPECT_TRUE(Down("TextBullets"));
  Trigger("TextBullets");
  EXPECT_EQ(Box().textCursor().block().textList(), nullptr);
  const auto indent = [this] {
    const QTextBlockFormat format = Box().textCursor().block().blockFormat();
    return format.leftMargin() + format.textIndent();
  };
  Trigger("TextIndentRight");
  Trigger("TextIndentRight");
  EXPECT_EQ(indent(), 60.0);
  for (int i = 0; i < 4; ++i)
    Trigger("TextIndentLeft");
  EXPECT_EQ(indent(), 0.0);

  // The defaults for new text were never the target; the period is one undo entry.
  EXPECT_FALSE(main->Features().TextDefaults().State().Bold);
  const std::size_t entries = Document().UndoList.size();
  form.ActiveModel()->EndOperation();
  EXPECT_EQ(Document().UndoList.size(), entries + 1);
  EXPECT_EQ(Document().UndoList.back().Caption, QStringLiteral("Edit Cogi Text"));
  const TTextState written = TTextAttributes::StateOfText(cogi->Text);
  EXPECT_TRUE(written.Bold);
  EXPECT_EQ(written.Alignment, richtext::TAlignment::Centre);

  // Text mode over: the toolbar shows the selection again, updated when it changes.
  Document().DeselectAll(true);
  EXPECT_EQ(SizeBox().currentText(), QStringLiteral("8"));
  EXPECT_FALSE(Down("TextBold"));
  Document().SelectObject(cogi, true);
  EXPECT_TRUE(Down("TextBold"));
  EXPECT_EQ(SizeBox().currentText(), QStringLiteral("12"));
}

TEST_F(TextMode, LinkCommandsFollowTheFirstSelectedGatewayAndWaitForNavigation)
{
  TModelDocument document;
  TCogi* plain = iotest::AddCogi(document, 2, 2);
  TCogi* linked = iotest::AddCogi(document, 4, 2);
  linked->SetLink(QStringLiteral("http://example.org/"), nullptr);
  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  EXPECT_FALSE(TControlStates::LinkStates(document).Link);
  arrow->Selected = true;  // an arrow is no gateway
  EXPECT_FALSE(TControlStates::LinkStates(document).Link);
  linked->Selected = true;
  EXPECT_TRUE(TControlStates::LinkStates(document).Link);
  EXPECT_TRUE(TControlStates::LinkStates(document).RemoveLink);
  // The first selected gateway decides Remove Link.
  plain->Selected = true;
  EXPECT_TRUE(TControlStates::LinkStates(document).Link);
  EXPECT_FALSE(TControlStates::LinkStates(document).RemoveLink);

  // Navigation is not built: the main window keeps the commands off with a gateway selected.
  TMainForm& form = Start();
  iotest::AddCogi(form.ActiveModel()->Document(), 2, 2)->Selected = true;
  form.UpdateControls();
  for (const char* id : {"CogiLinkGateway", "CogiLinkNewModel", "CogiLinkWeb", "LinkCogi",
                         "LinkToWeb", "CogiRemoveLink"})
    EXPECT_FALSE(Enabled(id)) << id;
}
