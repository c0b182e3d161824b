// The text report: its first lines and entries, escaping that a reader undoes, page ranges,
// the selection, and the plain-text form.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include "io/publishing/textreport.h"
#include "iotestsupport.h"
#include "platform/text/rtfreader.h"

namespace {

using iotest::AddCogi;

QStringList Lines(TModelDocument& document, const TReportOptions& options)
{
  return TTextReport::ReportLines(document, options);
}

TReportOptions Whole(TListingOrder order = TListingOrder::ByPosition)
{
  TReportOptions options;
  options.Range = TReportRange::WholeModel;
  options.Order = order;
  return options;
}

}  // namespace

TEST(PublishReport, TitleSummaryAndEntriesAreTheDocumentsLines)
{
  TModelDocument document;
  document.FileName = QStringLiteral("/m/Plan.mdl");
  document.CreatedBy = QStringLiteral("ann");
  document.Keywords = QStringLiteral("k");
  iotest::BuildRichModel(document);
  document.Keywords = QStringLiteral("k");
  TReportOptions options = Whole();
  options.IncludeSummary = true;
  const QStringList lines = Lines(document, options);
  ASSERT_GE(lines.size(), 6);
  EXPECT_EQ(lines[0], QStringLiteral("{\\rtf1\\qc\\fs24\\b Plan (Whole Model)\\b0\\fs16\\par"));
  EXPECT_EQ(lines[1], QStringLiteral("\\ql\\par"));
  EXPECT_TRUE(lines[2].startsWith(QLatin1String("Created By: \\tab ann on ")));
  EXPECT_EQ(lines[3], QStringLiteral("Keywords: \\tab k\\par"));  // not Named: no saver line
  EXPECT_EQ(lines[4], QStringLiteral("\\par"));
  const QStringList entries = lines.mid(5);
  const QStringList expected = {
      QStringLiteral("\\fi-1000\\li1000  Cluster   1)\tNo Title\\par"), QStringLiteral("\\par"),
      // Members in screen order: the second member's box reaches higher.
      QStringLiteral("\\fi-1000\\li2000     Cogi   3)\tSecond\\par"), QStringLiteral("\\par"),
      QStringLiteral("\\fi-1000\\li2000     Cogi   2)\tFirst idea\\par"), QStringLiteral("\\par"),
      QStringLiteral("\\fi0\\li2000 a note\\par"), QStringLiteral("\\par"),
      QStringLiteral("\\fi-1000\\li1000     Cogi   4)\tFar away\\par"), QStringLiteral("\\par"),
      QStringLiteral("}")};
  EXPECT_EQ(entries, expected);
}

TEST(PublishReport, SpecialCharactersComeBackThroughAReader)
{
  TModelDocument document;
  document.FileName = QStringLiteral("{Plan}\\\u041f\u043b\u0430\u043d.mdl");
  document.Keywords = QStringLiteral("a{b}c\\d \u043a\u043b\u044e\u0447 caf\u00e9 \U0001F600");
  TCogi* cogi = AddCogi(document, 1, 1, 7, QStringLiteral("x{y}\\z \u0416\u0443\u043a"));
  cogi->Notes = TRtfWriter::CentredText(QStringLiteral("n}o{t\\e \u00fc"));
  TReportOptions options = Whole();
  options.IncludeSummary = true;
  const QByteArray rtf = TTextReport::ReportRtf(document, options);
  for (const char c : rtf)
    ASSERT_GT(static_cast<signed char>(c), 0) << "the RTF is plain ASCII";
  const QString text = TRtfReader::PlainText(rtf);
  EXPECT_TRUE(text.startsWith(QStringLiteral("{Plan}\\\u041f\u043b\u0430\u043d (Whole Model)")));
  EXPECT_TRUE(text.contains(
      QStringLiteral("Keywords: \ta{b}c\\d \u043a\u043b\u044e\u0447 caf\u00e9 \U0001F600")));
  EXPECT_TRUE(text.contains(QStringLiteral("Cogi   1)\tx{y}\\z \u0416\u0443\u043a")));
  EXPECT_TRUE(text.contains(QStringLiteral("n}o{t\\e \u00fc")));
  EXPECT_TRUE(rtf.contains("caf\\'e9")) << "Windows-1252 characters as \\'hh";
  EXPECT_TRUE(rtf.contains("\\u1046?")) << "others as \\u";

  // A word processor's reader, when one is installed, reads it the same.
  const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
  if (office.isEmpty()) return;
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("r.rtf")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(rtf);
  file.close();
  QProcess convert;
  convert.start(office, {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                         QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"),
                         dir.path(), file.fileName()});
  convert.waitForFinished(120000);
  QFile converted(dir.filePath(QStringLiteral("r.txt")));
  ASSERT_TRUE(converted.open(QIODevice::ReadOnly));
  const QString office_text = QString::fromUtf8(converted.readAll());
  EXPECT_TRUE(office_text.contains(QStringLiteral("x{y}\\z \u0416\u0443\u043a")));
}

TEST(PublishReport, PagesAreExchangedAndClampedToTheModel)
{
  TModelDocument document;
  document.PagesAcross = 2;
  document.PagesDown = 2;
  EXPECT_EQ(TTextReport::PageSpan(document, 3, 1), std::make_pair(1, 3));
  EXPECT_EQ(TTextReport::PageSpan(document, 0, 1'000'000'000), std::make_pair(1, 4));
  EXPECT_EQ(TTextReport::PageSpan(document, -5, 0), std::make_pair(1, 1));
  TReportOptions options;
  options.Range = TReportRange::Pages;
  options.FirstPage = 3;
  options.LastPage = 1;
  const QStringList lines = Lines(document, options);
  EXPECT_EQ(lines[0],
            QStringLiteral("{\\rtf1\\qc\\fs24\\b Untitled (Selected Pages)\\b0\\fs16\\par"));
  QStringList pages;
  for (const QString& line : lines)
    if (line.startsWith(QLatin1String("\\fi0\\li0 Page"))) pages << line;
  EXPECT_EQ(pages, (QStringList{QStringLiteral("\\fi0\\li0 Page 1\\par"),
                                QStringLiteral("\\fi0\\li0 Page 2\\par"),
                                QStringLiteral("\\fi0\\li0 Page 3\\par")}));
}

TEST(PublishReport, PageReportsTheObjectsOnThatPage)
{
  TModelDocument document;
  document.PageWidth = 8;
  document.PageHeight = 10;
  document.PagesAcross = 2;
  document.PagesDown = 2;
  TCogi* first = AddCogi(document, 2, 2, 7, QStringLiteral("first page"));
  TCogi* second = AddCogi(document, 10, 2, 7, QStringLiteral("second page"));
  TCogi* fourth = AddCogi(document, 10, 15, 7, QStringLiteral("fourth page"));
  using V = std::vector<CGPObject*>;
  EXPECT_EQ(TTextReport::ReportObjects(document, TReportRange::Pages, 1), V{first});
  EXPECT_EQ(TTextReport::ReportObjects(document, TReportRange::Pages, 2), V{second});
  EXPECT_EQ(TTextReport::ReportObjects(document, TReportRange::Pages, 3), V{});
  EXPECT_EQ(TTextReport::ReportObjects(document, TReportRange::Pages, 4), V{fourth});
}

TEST(PublishReport, SelectionReportsLoneMembersAndNestsTheRest)
{
  TModelDocument document;
  iotest::BuildRichModel(document);
  CGPObject* cluster = document.Objects[0];
  CGPObject* member = document.Objects[1];
  CGPObject* other = document.Objects[3];
  using V = std::vector<CGPObject*>;
  member->Selected = true;
  other->Selected = true;
  // The member's cluster is not selected: the member is reported itself.
  EXPECT_EQ(TTextReport::ReportObjects(document, TReportRange::Selected), (V{member, other}));
  cluster->Selected = true;
  EXPECT_EQ(TTextReport::ReportObjects(document, TReportRange::Selected), (V{cluster, other}));
  TReportOptions options;
  options.Range = TReportRange::Selected;
  const QString all = Lines(document, options).join(QLatin1Char('\n'));
  EXPECT_EQ(all.count(QLatin1String("First idea")), 1) << "a member is listed once, nested";
  EXPECT_TRUE(all.startsWith(
      QLatin1String("{\\rtf1\\qc\\fs24\\b Untitled (Selected Cogis)\\b0\\fs16\\par\n\\ql\\par")));
}

TEST(PublishReport, ObjectsWithoutTextAreLeftOutAndTheTextFileIsPlain)
{
  QTemporaryDir dir;
  TModelDocument document;
  AddCogi(document, 1, 1, 7);
  AddCogi(document, 3, 1, 7, QStringLiteral("only {this}"));
  const QStringList lines = Lines(document, Whole());
  EXPECT_EQ(lines.size(), 5);  // title, \ql\par, one entry of two lines, closing brace
  const QString path = dir.filePath(QStringLiteral("r.txt"));
  TTextReport::WriteTextReport(document, path, Whole());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  EXPECT_FALSE(text.contains(QLatin1Char('\\')));
  EXPECT_TRUE(text.startsWith(QLatin1String("Untitled (Whole Model)\r\n")));
  EXPECT_TRUE(text.contains(QLatin1String("    Cogi   2)\tonly {this}\r\n")));
}
