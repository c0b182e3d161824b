// The publishing verbs of the real program, without a display: the page, the reports and
// the site.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "io/iotestsupport.h"
#include "io/modelfile.h"

namespace {

struct TRun {
  int Status;
  QString Out;
  QString Err;
};

TRun RunProgram(const QStringList& args)
{
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(MINDORRA_EXECUTABLE), args);
  EXPECT_TRUE(process.waitForFinished(60000));
  return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

QByteArray ReadFile(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString MakeModel(const QTemporaryDir& dir)
{
  TModelDocument document;
  iotest::BuildRichModel(document);
  static_cast<TCogi*>(document.Objects[3])->SetLink(QStringLiteral("next.mdl"), nullptr);
  const QString path = dir.filePath(QStringLiteral("rich.mdl"));
  TModelFile::SaveModelFile(document, path);
  TModelDocument next;
  iotest::AddCogi(next, 1, 1, 7, QStringLiteral("next one"))
      ->SetLink(QStringLiteral("rich.mdl"), nullptr);
  TModelFile::SaveModelFile(next, dir.filePath(QStringLiteral("next.mdl")));
  return path;
}

}  // namespace

TEST(PublishVerbs, ExportWritesThePageAndTheReports)
{
  QTemporaryDir dir;
  const QString model = MakeModel(dir);
  const TRun page =
      RunProgram({QStringLiteral("export"), model, dir.filePath(QStringLiteral("page.html")),
                  QStringLiteral("--order"), QStringLiteral("number"), QStringLiteral("--width"),
                  QStringLiteral("320")});
  EXPECT_EQ(page.Status, 0) << page.Err.toStdString();
  EXPECT_TRUE(ReadFile(dir.filePath(QStringLiteral("page.html"))).contains("<DT>1)\tText"));
  EXPECT_TRUE(ReadFile(dir.filePath(QStringLiteral("page.jpg"))).startsWith("\xFF\xD8"));

  const TRun rtf = RunProgram({QStringLiteral("export"), model,
                               dir.filePath(QStringLiteral("r.rtf")), QStringLiteral("--summary")});
  EXPECT_EQ(rtf.Status, 0) << rtf.Err.toStdString();
  const QByteArray rtfBytes = ReadFile(dir.filePath(QStringLiteral("r.rtf")));
  EXPECT_TRUE(rtfBytes.startsWith("{\\rtf1\\qc\\fs24\\b rich (Whole Model)\\b0\\fs16\\par"));
  EXPECT_TRUE(rtfBytes.contains("Keywords: \\tab ideas, caf\\'e9\\par"));

  const TRun txt =
      RunProgram({QStringLiteral("export"), model, dir.filePath(QStringLiteral("r.txt")),
                  QStringLiteral("--pages"), QStringLiteral("3-1")});
  EXPECT_EQ(txt.Status, 0) << txt.Err.toStdString();
  const QByteArray text = ReadFile(dir.filePath(QStringLiteral("r.txt")));
  EXPECT_TRUE(text.startsWith("rich (Selected Pages)\r\n"));
  EXPECT_TRUE(text.contains("Page 1\r\n"));
  EXPECT_TRUE(text.contains("Page 3\r\n")) << text.toStdString();
  EXPECT_FALSE(text.contains("Page 4"));

  EXPECT_EQ(RunProgram({QStringLiteral("export"), model, dir.filePath(QStringLiteral("x.html")),
                        QStringLiteral("--summary")})
                .Status,
            2);
  EXPECT_EQ(RunProgram({QStringLiteral("export"), model, dir.filePath(QStringLiteral("x.txt")),
                        QStringLiteral("--pages"), QStringLiteral("two")})
                .Status,
            2);
}

TEST(PublishVerbs, PublishWritesTheSiteAndListsWhatItLeftOut)
{
  QTemporaryDir dir;
  const QString model = MakeModel(dir);
  const TRun run =
      RunProgram({QStringLiteral("publish"), model, dir.filePath(QStringLiteral("site"))});
  EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
  EXPECT_TRUE(run.Out.contains(QLatin1String("2 page(s) written")));
  EXPECT_TRUE(
      ReadFile(dir.filePath(QStringLiteral("site/rich.htm"))).contains("HREF=\"next.htm\""));
  EXPECT_TRUE(
      ReadFile(dir.filePath(QStringLiteral("site/next.htm"))).contains("HREF=\"rich.htm\""));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("site/index.html"))));
  EXPECT_EQ(RunProgram({QStringLiteral("publish"), dir.filePath(QStringLiteral("none.mdl")),
                        dir.filePath(QStringLiteral("site2"))})
                .Status,
            1);
}
