// Publishing a web of linked models: every reachable model once, image maps over the
// pictures, missing and outside links reported, nothing written outside the output folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPolygon>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "io/modelfile.h"
#include "io/publishing/sitepublisher.h"
#include "iotestsupport.h"
#include "platform/color.h"
#include "platform/pictures/jpegcodec.h"
#include "platform/streams/streamerror.h"

namespace {

void SaveModel(const QString& path, const std::vector<std::pair<QString, QString>>& links)
{
  TModelDocument document;
  double x = 1;
  for (const auto& [text, link] : links) {
    TCogi* cogi = iotest::AddCogi(document, x, 1, 7, text);
    // New hexagons take a random thinking colour; a fixed yellow keeps the check below firm.
    cogi->FaceColor = MakeColorRef(255, 255, 0);
    if (!link.isEmpty()) cogi->SetLink(link, nullptr);
    x += 2;
  }
  QDir().mkpath(QFileInfo(path).path());
  TModelFile::SaveModelFile(document, path);
}

QString Read(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QStringList FilesUnder(const QString& folder)
{
  QStringList files;
  QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext())
    files << QDir(folder).relativeFilePath(it.next());
  files.sort();
  return files;
}

}  // namespace

TEST(PublishSite, AWebWithACycleAMissingModelAndAnOutsideLink)
{
  QTemporaryDir top;
  const QString tree = top.filePath(QStringLiteral("web"));
  const QString out = top.filePath(QStringLiteral("site"));
  // root -> b, sub/c, missing, ../outside; b -> root (a cycle), web; c -> b, d; d -> sub/c.
  SaveModel(tree + QStringLiteral("/root.mdl"),
            {{QStringLiteral("to b"), QStringLiteral("b.mdl")},
             {QStringLiteral("to c"), QStringLiteral("sub\\c.mdl")},
             {QStringLiteral("to missing"), QStringLiteral("missing.mdl")},
             {QStringLiteral("to outside"), QStringLiteral("../outside.mdl")}});
  SaveModel(tree + QStringLiteral("/b.mdl"),
            {{QStringLiteral("back"), QStringLiteral("root.mdl")},
             {QStringLiteral("web"), QStringLiteral("https://example.org/a b")},
             {QStringLiteral("script"), QStringLiteral("javascript:alert(1)")}});
  SaveModel(tree + QStringLiteral("/sub/c.mdl"),
            {{QStringLiteral("b again"), QStringLiteral("../b.mdl")},
             {QStringLiteral("d"), QStringLiteral("d.mdl")}});
  SaveModel(tree + QStringLiteral("/sub/d.mdl"), {{QStringLiteral("c"), QStringLiteral("c.mdl")}});
  SaveModel(top.filePath(QStringLiteral("outside.mdl")), {{QStringLiteral("never"), QString()}});
  const QStringList before = FilesUnder(top.path());

  const TSiteResult result = TSitePublisher::Publish(tree + QStringLiteral("/root.mdl"), out);
  EXPECT_EQ(result.Pages, (QStringList{QStringLiteral("root.htm"), QStringLiteral("b.htm"),
                                       QStringLiteral("sub/c.htm"), QStringLiteral("sub/d.htm")}));
  ASSERT_EQ(result.Problems.size(), 2);
  EXPECT_TRUE(result.Problems[0].contains(QLatin1String("missing.mdl")));
  EXPECT_TRUE(result.Problems[0].startsWith(QLatin1String("Missing model")));
  EXPECT_TRUE(result.Problems[1].contains(QLatin1String("../outside.mdl")));

  // Only the output folder gained files: four pages, four pictures and the index.
  QStringList after = FilesUnder(top.path());
  for (const QString& file : before)
    after.removeOne(file);
  EXPECT_EQ(after, (QStringList{QStringLiteral("site/b.htm"), QStringLiteral("site/b.jpg"),
                                QStringLiteral("site/index.html"), QStringLiteral("site/root.htm"),
                                QStringLiteral("site/root.jpg"), QStringLiteral("site/sub/c.htm"),
                                QStringLiteral("site/sub/c.jpg"), QStringLiteral("site/sub/d.htm"),
                                QStringLiteral("site/sub/d.jpg")}));

  const QString root = Read(out + QStringLiteral("/root.htm"));
  EXPECT_TRUE(root.contains(
      QLatin1String("<IMG SRC=\"root.jpg\" ALT=\"CGP Model Image\" USEMAP=\"#model\">")));
  static const QRegularExpression kArea(
      QStringLiteral("<AREA SHAPE=\"poly\" COORDS=\"([\\d,]+)\" HREF=\"([^\"]*)\""));
  const QImage picture = TJpegCodec::Decode(Read(out + QStringLiteral("/root.jpg")).toLatin1());
  ASSERT_FALSE(picture.isNull());
  QStringList hrefs;
  int lastLeft = 1 << 30;
  for (auto it = kArea.globalMatch(root); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    hrefs << m.captured(2);
    const QStringList numbers = m.captured(1).split(QLatin1Char(','));
    ASSERT_EQ(numbers.size(), 12) << "a hexagon's six corners";
    QPolygon corners;
    for (qsizetype i = 0; i < numbers.size(); i += 2)
      corners << QPoint(numbers[i].toInt(), numbers[i + 1].toInt());
    const QRect box = corners.boundingRect();
    EXPECT_GT(box.width(), 20);
    EXPECT_GT(box.height(), 20);
    // The area lies on the hexagon in the picture: its middle is painted, not background.
    const QColor middle = picture.pixelColor(box.center());
    EXPECT_LT(middle.blue(), 200) << "a hexagon's yellow, not the white around it";
    // The hexagons stand left to right in stacking order; areas come topmost first.
    EXPECT_LT(box.left(), lastLeft);
    lastLeft = box.left();
  }
  EXPECT_EQ(hrefs, (QStringList{QStringLiteral("sub/c.htm"), QStringLiteral("b.htm")}));
  EXPECT_TRUE(root.contains(QLatin1String("<DT><A HREF=\"b.htm\">1)\tto b</A>")));
  EXPECT_TRUE(root.contains(QLatin1String("<DT>3)\tto missing")));

  const QString b = Read(out + QStringLiteral("/b.htm"));
  EXPECT_TRUE(b.contains(QLatin1String("HREF=\"https://example.org/a%20b\"")));
  EXPECT_TRUE(b.contains(QLatin1String("HREF=\"root.htm\"")));
  EXPECT_FALSE(b.contains(QLatin1String("javascript"), Qt::CaseInsensitive));
  const QString c = Read(out + QStringLiteral("/sub/c.htm"));
  EXPECT_TRUE(c.contains(QLatin1String("HREF=\"../b.htm\"")));
  EXPECT_TRUE(c.contains(QLatin1String("HREF=\"d.htm\"")));

  const QString index = Read(result.IndexPath);
  EXPECT_TRUE(index.contains(QLatin1String("<A HREF=\"root.htm\">root</A>")));
  EXPECT_TRUE(index.contains(QLatin1String("missing.mdl")));

  if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty()) return;
  for (const QString& page : result.Pages + QStringList{QStringLiteral("index.html")}) {
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--html"), QStringLiteral("--noout"),
                                           out + QLatin1Char('/') + page});
    lint.waitForFinished(30000);
    EXPECT_EQ(QString::fromUtf8(lint.readAllStandardError()), QString()) << page.toStdString();
  }
}

TEST(PublishSite, AnUnreadableLinkedModelIsReportedAndTheRestWritten)
{
  QTemporaryDir top;
  SaveModel(top.filePath(QStringLiteral("root.mdl")),
            {{QStringLiteral("bad"), QStringLiteral("bad.mdl")},
             {QStringLiteral("good"), QStringLiteral("good.mdl")}});
  SaveModel(top.filePath(QStringLiteral("good.mdl")), {{QStringLiteral("fine"), QString()}});
  QFile bad(top.filePath(QStringLiteral("bad.mdl")));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write(QByteArray(64, '\0'));
  bad.close();
  const TSiteResult result = TSitePublisher::Publish(top.filePath(QStringLiteral("root.mdl")),
                                                     top.filePath(QStringLiteral("out")));
  EXPECT_EQ(result.Pages, (QStringList{QStringLiteral("root.htm"), QStringLiteral("good.htm")}));
  ASSERT_EQ(result.Problems.size(), 1);
  EXPECT_TRUE(result.Problems[0].startsWith(QLatin1String("Unreadable model: bad.mdl")));
  EXPECT_FALSE(QFile::exists(top.filePath(QStringLiteral("out/bad.htm"))));
  EXPECT_THROW(TSitePublisher::Publish(top.filePath(QStringLiteral("none.mdl")),
                                       top.filePath(QStringLiteral("out"))),
               EStreamError);
}
