// The publishing commands with their dialogs answered in-process: the HTML page's questions,
// the report window and its exports, the report options dialog, the ruler and the site.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "app/publishing/generatereportdialog.h"
#include "app/publishing/publishingcommands.h"
#include "app/publishing/reportruler.h"
#include "app/publishing/textreportform.h"
#include "shelltestsupport.h"
#include "testsupport.h"

namespace {

using shelltest::TScriptedDialogs;

class TFolderDialogs : public TScriptedDialogs {
 public:
  std::optional<QString> folder;

 protected:
  std::optional<QString> DoChooseFolder(const QString& caption, const QString& initial) override
  {
    TScriptedDialogs::DoChooseFolder(caption, initial);
    return folder;
  }
};

class TAnsweredQuestions : public IPublishingQuestions {
 public:
  std::optional<TListingOrder> order = TListingOrder::ByPosition;
  std::optional<TReportOptions> report;
  std::optional<QSize> size = QSize(200, 150);
  bool wholeModelOnly = false;
  QString shownText;
  std::function<void(TTextReportForm&)> onShow;

  std::optional<TListingOrder> HtmlOrder(QWidget*) override { return order; }
  std::optional<TReportOptions> ReportOptions(QWidget*, bool, bool wholeOnly) override
  {
    wholeModelOnly = wholeOnly;
    return report;
  }
  std::optional<QSize> PictureSize(QWidget*, TModelDocument&) override { return size; }
  void ShowReport(TTextReportForm& form) override
  {
    shownText = form.Editor().toPlainText();
    if (onShow) onShow(form);
  }
};

QByteArray ReadFile(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BuildModel(TModelDocument& document)
{
  iotest::BuildRichModel(document);
  document.FileName = QStringLiteral("Ideas.mdl");
}

}  // namespace

TEST(PublishCommands, HtmlExportAsksBeforeReplacingAPictureAndCancelsCleanly)
{
  QTemporaryDir dir;
  TModelDocument document;
  BuildModel(document);
  TScriptedDialogs dialogs;
  TAnsweredQuestions questions;
  TPublishingCommands commands(nullptr, dialogs, questions);
  const QString page = dir.filePath(QStringLiteral("ideas.htm"));
  const QString picture = dir.filePath(QStringLiteral("ideas.jpg"));

  questions.order.reset();  // "HTML Options" cancelled
  EXPECT_FALSE(commands.ExportHtml(document, page));
  questions.order = TListingOrder::ByNumber;
  questions.size.reset();  // picture size cancelled
  EXPECT_FALSE(commands.ExportHtml(document, page));
  EXPECT_TRUE(QDir(dir.path()).isEmpty());

  questions.size = QSize(200, 150);
  QFile mine(picture);
  ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
  mine.write("mine");
  mine.close();
  dialogs.answers = {TAnswer::No};
  EXPECT_FALSE(commands.ExportHtml(document, page));
  EXPECT_EQ(ReadFile(picture), QByteArray("mine"));
  EXPECT_FALSE(QFile::exists(page));
  dialogs.answers = {TAnswer::Yes};
  EXPECT_TRUE(commands.ExportHtml(document, page));
  EXPECT_TRUE(ReadFile(picture).startsWith("\xFF\xD8"));
  EXPECT_TRUE(ReadFile(page).contains("<DT>1)\tText"));
  EXPECT_EQ(dialogs.Count(QStringLiteral("ask")), 2);
  // Exporting the same page again replaces its own picture without asking.
  EXPECT_TRUE(commands.ExportHtml(document, page));
  EXPECT_EQ(dialogs.Count(QStringLiteral("ask")), 2);

  // Save as HTML offers the model's name with ".htm".
  dialogs.saveNames = {std::nullopt};
  commands.SaveAsHtml(document);
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].FileName, QStringLiteral("Ideas.htm"));
  EXPECT_EQ(dialogs.fileRequests[0].Filter, QStringLiteral("HTML (*.html, *.htm)|*.html;*.htm"));
}

TEST(PublishCommands, ReportWindowShowsTheReportAndExportsIt)
{
  QTemporaryDir dir;
  TModelDocument document;
  BuildModel(document);
  TScriptedDialogs dialogs;
  TAnsweredQuestions questions;
  TReportOptions options;
  options.Range = TReportRange::WholeModel;
  questions.report = options;
  const QString txt = dir.filePath(QStringLiteral("report.TXT"));
  const QString rtf = dir.filePath(QStringLiteral("report.rtf"));
  QString caption;
  QString status;
  questions.onShow = [&](TTextReportForm& form) {
    status = form.StatusText();
    dialogs.saveNames = {txt, rtf};
    form.ExportToFile();
    form.ExportToFile();
    caption = form.windowTitle();
    form.resize(700, 500);
    form.Editor().moveCursor(QTextCursor::End);
    form.grab().save(testsupport::OutputPath(QStringLiteral("publish-text-report.png")));
  };
  TPublishingCommands(nullptr, dialogs, questions).TextReport(document);
  EXPECT_TRUE(questions.shownText.startsWith(QLatin1String("Ideas (Whole Model)\n")));
  EXPECT_TRUE(questions.shownText.contains(QLatin1String("    Cogi   2)\tFirst idea")));
  EXPECT_EQ(status, QStringLiteral("Line:   1   Col:   1"));
  EXPECT_EQ(caption, QStringLiteral("report.rtf"));
  const QByteArray plain = ReadFile(txt);
  EXPECT_FALSE(plain.contains('\\'));
  EXPECT_TRUE(plain.contains("    Cogi   3)\tSecond\r\n"));
  EXPECT_TRUE(ReadFile(rtf).startsWith("{\\rtf1"));
  EXPECT_EQ(dialogs.fileRequests[0].Filter,
            QStringLiteral("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT"));

  // Saving the model as text asks only for the whole model and writes plain text.
  const QString saved = dir.filePath(QStringLiteral("model.txt"));
  EXPECT_TRUE(TPublishingCommands(nullptr, dialogs, questions).SaveTextReport(document, saved));
  EXPECT_TRUE(questions.wholeModelOnly);
  EXPECT_TRUE(ReadFile(saved).startsWith("Ideas (Whole Model)\r\n"));
}

TEST(PublishCommands, WordProcessorCopyGoesToTheCacheNotBesideTheProgram)
{
  TScriptedDialogs dialogs;
  TTextReportForm form(dialogs);
  form.LoadReport("{\\rtf1 hello\\par}");
  QString opened;
  form.SetOpener([&](const QString& path) { opened = path; });
  form.ExportToWordProcessor();
  EXPECT_EQ(opened, TTextReportForm::WordProcessorPath());
  EXPECT_FALSE(opened.startsWith(QCoreApplication::applicationDirPath()));
  EXPECT_TRUE(opened.endsWith(QLatin1String("/Text Report.rtf")));
  EXPECT_TRUE(ReadFile(opened).contains("hello"));
  form.ExportToClipboard();
  EXPECT_EQ(dialogs.Texts(QStringLiteral("message")),
            QStringList{QStringLiteral("Document has been copied to the clipboard.  You can now "
                                       "paste it into another application.")});
}

TEST(PublishCommands, ReportOptionsDialogFollowsItsControls)
{
  TGenerateReportDialog dialog(false, false);
  EXPECT_TRUE(dialog.CurrentView()->isChecked());
  EXPECT_FALSE(dialog.Selected()->isEnabled());
  EXPECT_FALSE(dialog.SeparatePages()->isEnabled());
  dialog.WholeModel()->setChecked(true);
  EXPECT_TRUE(dialog.SeparatePages()->isEnabled());
  QTest::keyClicks(dialog.From(), QStringLiteral("3x"));
  QTest::keyClicks(dialog.To(), QStringLiteral("1"));
  EXPECT_TRUE(dialog.Pages()->isChecked()) << "typing a page chooses Pages";
  EXPECT_EQ(dialog.From()->text(), QStringLiteral("3")) << "digits only";
  EXPECT_FALSE(dialog.SeparatePages()->isEnabled());
  dialog.ByNumber()->setChecked(true);
  TReportOptions options = dialog.Options();
  EXPECT_EQ(options.Range, TReportRange::Pages);
  EXPECT_EQ(options.FirstPage, 3);
  EXPECT_EQ(options.LastPage, 1);
  EXPECT_EQ(options.Order, TListingOrder::ByNumber);
  dialog.From()->clear();
  EXPECT_EQ(dialog.Options().FirstPage, 1) << "an empty page counts as 1";

  TGenerateReportDialog restricted(true, true);
  EXPECT_TRUE(restricted.WholeModel()->isChecked());
  EXPECT_FALSE(restricted.CurrentView()->isEnabled());
  EXPECT_FALSE(restricted.Pages()->isEnabled());
  EXPECT_FALSE(restricted.Selected()->isEnabled());
  EXPECT_EQ(restricted.Options().Range, TReportRange::WholeModel);
}

TEST(PublishCommands, RulerMarkersFollowAndSetTheParagraphAtTheCaret)
{
  TScriptedDialogs dialogs;
  TTextReportForm form(dialogs);
  form.resize(600, 400);
  form.show();
  form.LoadReport("{\\rtf1 \\fi-300\\li600 first\\par \\fi0\\li0 second\\par}");
  TReportRuler& ruler = form.Ruler();
  const QTextBlockFormat format = form.Editor().textCursor().blockFormat();
  ASSERT_GT(format.leftMargin(), 0);
  EXPECT_EQ(ruler.MarkerX(TReportRuler::TMarker::Left), 6 + int(format.leftMargin()));
  EXPECT_EQ(ruler.MarkerX(TReportRuler::TMarker::FirstLine),
            6 + int(format.leftMargin() + format.textIndent()));
  ruler.MoveMarker(TReportRuler::TMarker::Left, 6 + 100);
  const QTextBlockFormat moved = form.Editor().document()->firstBlock().blockFormat();
  EXPECT_EQ(moved.leftMargin(), 100);
  EXPECT_EQ(moved.leftMargin() + moved.textIndent(), format.leftMargin() + format.textIndent())
      << "the first line stays";
  ruler.MoveMarker(TReportRuler::TMarker::Right, 6 + form.Editor().viewport()->width() - 50);
  EXPECT_EQ(form.Editor().document()->firstBlock().blockFormat().rightMargin(), 50);
  EXPECT_EQ(form.Editor().document()->lastBlock().blockFormat().leftMargin(), 0)
      << "only the caret's paragraph changes";
}

TEST(PublishCommands, PublishSiteNeedsASavedModelAndReportsWhatWasLeftOut)
{
  QTemporaryDir dir;
  TModelDocument document;
  BuildModel(document);
  document.Objects[3]->Notes.clear();
  static_cast<TCogi*>(document.Objects[3])->SetLink(QStringLiteral("gone.mdl"), nullptr);
  TFolderDialogs dialogs;
  TAnsweredQuestions questions;
  TPublishingCommands commands(nullptr, dialogs, questions);
  commands.PublishSite(document);
  EXPECT_EQ(dialogs.Count(QStringLiteral("folder")), 0) << "an unsaved model is not published";
  const QString path = dir.filePath(QStringLiteral("Ideas.mdl"));
  TModelFile::SaveModelFile(document, path);
  document.FileName = path;
  document.Named = true;
  document.Modified = false;
  dialogs.folder = dir.filePath(QStringLiteral("site"));
  dialogs.Forget();
  commands.PublishSite(document);
  const QStringList messages = dialogs.Texts(QStringLiteral("message"));
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(QLatin1String("1 page(s) written.")));
  EXPECT_TRUE(messages[0].contains(QLatin1String("Missing model: \"gone.mdl\"")));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("site/Ideas.htm"))));

  // A look at the page as a browser lays it out (our own rendering of its HTML).
  QTextDocument html;
  html.setBaseUrl(QUrl::fromLocalFile(dir.filePath(QStringLiteral("site/"))));
  html.setHtml(QString::fromLatin1(ReadFile(dir.filePath(QStringLiteral("site/Ideas.htm")))));
  html.setTextWidth(640);
  QImage shot(640, int(html.size().height()) + 1, QImage::Format_RGB32);
  shot.fill(Qt::white);
  QPainter painter(&shot);
  html.drawContents(&painter);
  painter.end();
  EXPECT_TRUE(html.toPlainText().contains(QLatin1String("Model Contents")));
  shot.save(testsupport::OutputPath(QStringLiteral("publish-page.png")));
}
