// The HTML page of a model: its exact lines, the nesting of cluster members, links to the
// pages of linked models, the two orders, escaping, and writing page and picture safely.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "io/modelstream.h"
#include "io/publishing/htmlexport.h"
#include "iotestsupport.h"
#include "platform/pictures/jpegcodec.h"
#include "platform/streams/streamerror.h"

namespace {

using iotest::AddCogi;

QStringList Head(const QString& name, const QString& picture)
{
  return {QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"),
          QStringLiteral("<HTML>"),
          QStringLiteral("<HEAD>"),
          QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">"),
          QStringLiteral("<TITLE>Mindorra - ") + name + QStringLiteral("</TITLE>"),
          QStringLiteral("</HEAD>"),
          QString(),
          QStringLiteral("<BODY>"),
          QStringLiteral("<CENTER>"),
          QStringLiteral("<IMG SRC=\"") + picture + QStringLiteral("\" ALT=\"CGP Model Image\">"),
          QStringLiteral("</CENTER>"),
          QStringLiteral("<P>"),
          QStringLiteral("<H2>Model Contents</H2>"),
          QStringLiteral("<DL>")};
}

const QStringList kFoot = {
    QStringLiteral("</DL>"),
    QStringLiteral("<HR>"),
    QStringLiteral("<CENTER>"),
    QStringLiteral("<SMALL>"),
    QStringLiteral("Created By <B>Mindorra v2.01</B><BR>"),
    QStringLiteral("See our home page at <A "
                   "HREF=\"https://mindorra.org/\">https://mindorra.org/</A>"),
    QStringLiteral("</SMALL>"),
    QStringLiteral("</CENTER>"),
    QStringLiteral("</BODY>"),
    QStringLiteral("</HTML>")};

// The entry lines of a page: what lies between the opening and closing list of contents.
QStringList Entries(const QStringList& page)
{
  const qsizetype first = page.indexOf(QStringLiteral("<DL>"));
  const qsizetype last = page.lastIndexOf(QStringLiteral("</DL>"));
  return page.mid(first + 1, last - first - 1);
}

QStringList Page(TModelDocument& document, THtmlPageStyle style = {})
{
  return THtmlExport::PageLines(document, QStringLiteral("/site/My Plan.htm"),
                                QStringLiteral("My Plan.jpg"), style);
}

// xmllint's complaints about a page read as HTML; empty when it is well formed.
QString HtmlProblems(const QString& path)
{
  QProcess lint;
  lint.start(QStringLiteral("xmllint"),
             {QStringLiteral("--html"), QStringLiteral("--noout"), path});
  lint.waitForFinished(30000);
  return QString::fromUtf8(lint.readAllStandardError());
}

bool HaveXmllint()
{
  return !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty();
}

}  // namespace

TEST(PublishHtml, EmptyModelIsTheTemplateWithAnEmptyList)
{
  TModelDocument document;
  const QStringList expected =
      Head(QStringLiteral("My Plan"), QStringLiteral("My%20Plan.jpg")) + kFoot;
  EXPECT_EQ(Page(document), expected);
  EXPECT_TRUE(Page(document).join(QLatin1Char('\n')).contains(QLatin1String("v2.01")));
}

TEST(PublishHtml, ClusterMembersNestUnderTheirClusterOnly)
{
  TModelDocument document;
  iotest::BuildRichModel(document);  // a cluster (serial 1) under serials 2 and 3, serial 4 away
  auto* cluster = static_cast<TCluster*>(document.Objects[0]);
  ASSERT_EQ(cluster->Members.size(), 2u);
  document.Objects[2]->Notes = TRtfWriter::CentredText(QStringLiteral("two\nlines"));
  const QStringList entries = Entries(Page(document));
  const QStringList expected = {QStringLiteral("<DT>1)\tText"),
                                QStringLiteral("<DD>"),
                                QStringLiteral("<DL>"),
                                QStringLiteral("<DT>2)\tFirst idea"),
                                QStringLiteral("<DD>\ta note"),
                                QStringLiteral("<DT>3)\tSecond"),
                                QStringLiteral("<DD>\ttwo"),
                                QStringLiteral("lines"),
                                QStringLiteral("</DL>"),
                                QStringLiteral("</DD>"),
                                QStringLiteral("<DT>4)\tFar away")};
  EXPECT_EQ(entries, expected);
}

TEST(PublishHtml, ModelLinksLeadToPagesAndOtherLinksToNothing)
{
  TModelDocument document;
  AddCogi(document, 1, 1, 7, QStringLiteral("plan"))
      ->SetLink(QStringLiteral("C:\\Work\\Sub Folder\\Plan.MDL"), nullptr);
  AddCogi(document, 3, 1, 7, QStringLiteral("web"))
      ->SetLink(QStringLiteral("http://example.org/"), nullptr);
  AddCogi(document, 5, 1, 7, QStringLiteral("near"))
      ->SetLink(QStringLiteral("next/Step #2.mdl"), nullptr);
  const QStringList entries = Entries(Page(document));
  ASSERT_EQ(entries.size(), 3);
  EXPECT_EQ(entries[0],
            QStringLiteral("<DT><A HREF=\"file:///C:/Work/Sub%20Folder/Plan.htm\">1)\tplan</A>"));
  EXPECT_EQ(entries[1], QStringLiteral("<DT>2)\tweb"));
  EXPECT_EQ(entries[2], QStringLiteral("<DT><A HREF=\"next/Step%20%232.htm\">3)\tnear</A>"));
}

TEST(PublishHtml, OrderByPositionOrByNumber)
{
  TModelDocument document;
  AddCogi(document, 5, 1, 7, QStringLiteral("top right"))->Number = 1;
  AddCogi(document, 1, 4, 7, QStringLiteral("low left"))->Number = 2;
  AddCogi(document, 1, 1, 7, QStringLiteral("top left"))->Number = 3;
  THtmlPageStyle style;
  EXPECT_EQ(Entries(Page(document, style)),
            (QStringList{QStringLiteral("<DT>3)\ttop left"), QStringLiteral("<DT>1)\ttop right"),
                         QStringLiteral("<DT>2)\tlow left")}));
  style.Order = TListingOrder::ByNumber;
  EXPECT_EQ(Entries(Page(document, style)),
            (QStringList{QStringLiteral("<DT>1)\ttop right"), QStringLiteral("<DT>2)\tlow left"),
                         QStringLiteral("<DT>3)\ttop left")}));
}

TEST(PublishHtml, MarkupInTextNotesAndLinksStaysText)
{
  TModelDocument document;
  TCogi* cogi = AddCogi(document, 1, 1, 7, QStringLiteral("Fish & \"chips\" <b>"));
  cogi->Notes =
      TRtfWriter::CentredText(QStringLiteral("<script>alert(1)</script> & caf\u00e9 \u0416"));
  cogi->SetLink(QStringLiteral("a\"><script>x</script>.mdl"), nullptr);
  document.FileName = QStringLiteral("<i>.mdl");
  const QStringList page =
      THtmlExport::PageLines(document, QStringLiteral("/x/<i>.htm"), QStringLiteral("<i>.jpg"), {});
  const QString all = page.join(QLatin1Char('\n'));
  EXPECT_FALSE(all.contains(QLatin1String("<script"), Qt::CaseInsensitive));
  EXPECT_FALSE(all.contains(QLatin1String("<i>")));
  EXPECT_FALSE(all.contains(QLatin1String("<b>")));
  EXPECT_TRUE(all.contains(
      QLatin1String("<DD>\t&lt;script&gt;alert(1)&lt;/script&gt; &amp; caf&#233; &#1046;")));
  EXPECT_TRUE(all.contains(QLatin1String("1)\tFish &amp; &quot;chips&quot; &lt;b&gt;</A>")));
  EXPECT_TRUE(all.contains(QLatin1String("<A HREF=\"a%22%3E%3Cscript%3Ex%3C/script%3E.htm\">")));
  EXPECT_TRUE(all.contains(QLatin1String("<TITLE>Mindorra - &lt;i&gt;</TITLE>")));
  for (const QChar c : all)
    ASSERT_LT(c.unicode(), 0x80) << "every character beyond ASCII is a reference";
}

TEST(PublishHtml, VersionHasTwoDecimalsInEveryLocale)
{
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  TModelDocument document;
  const QString all = Page(document).join(QLatin1Char('\n'));
  QLocale::setDefault(saved);
  EXPECT_TRUE(all.contains(QLatin1String("Mindorra v2.01</B>")));
  EXPECT_FALSE(all.contains(QLatin1String("2,01")));
}

TEST(PublishHtml, ExportWritesPageAndPictureAndTheyAreWellFormed)
{
  QTemporaryDir dir;
  TModelDocument document;
  iotest::BuildRichModel(document);
  document.Objects[1]->Notes = TRtfWriter::CentredText(QStringLiteral("<script>alert(1)</script>"));
  const QString path = dir.filePath(QStringLiteral("page.html"));
  THtmlExport::ExportHtml(document, path, QSize(400, 300), {});
  QFile page(path);
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  const QByteArray bytes = page.readAll();
  EXPECT_TRUE(bytes.contains("<IMG SRC=\"page.jpg\""));
  EXPECT_TRUE(bytes.contains("</HTML>\r\n"));
  EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
  QFile picture(dir.filePath(QStringLiteral("page.jpg")));
  ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
  EXPECT_EQ(TJpegCodec::ImageSize(picture.readAll()), QSize(400, 300));
  if (HaveXmllint()) {
    EXPECT_EQ(HtmlProblems(path), QString());
  }
}

TEST(PublishHtml, FailedPageLeavesNoPageAndTheOldPicture)
{
  QTemporaryDir dir;
  TModelDocument document;
  AddCogi(document, 1, 1, 7, QStringLiteral("x"));
  // A missing folder: nothing is written and the message names the folder.
  const QString missing = dir.filePath(QStringLiteral("nowhere/page.htm"));
  try {
    THtmlExport::ExportHtml(document, missing, QSize(100, 80), {});
    ADD_FAILURE() << "a missing folder must fail";
  } catch (const EStreamError& error) {
    EXPECT_TRUE(error.Message().contains(QLatin1String("nowhere")));
  }
  // The page cannot be written (a folder has its name): the picture it came with is undone.
  QFile old(dir.filePath(QStringLiteral("page.jpg")));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("my own photo");
  old.close();
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("page.htm")));
  EXPECT_THROW(THtmlExport::ExportHtml(document, dir.filePath(QStringLiteral("page.htm")),
                                       QSize(100, 80), {}),
               EStreamError);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("my own photo"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.jpg")});
}

TEST(PublishHtml, PictureSizeIsBounded)
{
  TModelDocument document;
  AddCogi(document, 1, 1, 7, QStringLiteral("x"));
  const QSize huge = THtmlExport::BoundedPictureSize(document, QSize(30000, 30000));
  EXPECT_LE(qint64(huge.width()) * huge.height(), THtmlExport::kMaxPicturePixels);
  EXPECT_NEAR(huge.width(), huge.height(), 1);
  EXPECT_EQ(THtmlExport::BoundedPictureSize(document, QSize(640, 480)), QSize(640, 480));
  const QSize fitted = THtmlExport::BoundedPictureSize(document, QSize());
  EXPECT_TRUE(fitted.width() == 1600 || fitted.height() == 1200);
}
