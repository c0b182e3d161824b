#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "io/iotestsupport.h"
#include "io/modelfile.h"

namespace {

struct TRun {
  int Status;
  QByteArray Out;
  QString Err;
};

// stateHome, when given, is the state folder the command sees.
TRun RunMindorra(const QStringList& args, const QString& stateHome = QString())
{
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));  // must not need one
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  if (!stateHome.isEmpty()) environment.insert(QStringLiteral("XDG_STATE_HOME"), stateHome);
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(MINDORRA_EXECUTABLE), args);
  EXPECT_TRUE(process.waitForFinished(60000));
  return {process.exitCode(), process.readAllStandardOutput(),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

QString MakeModel(const QTemporaryDir& dir)
{
  const QString path = dir.filePath(QStringLiteral("rich.mdl"));
  TModelDocument document;
  iotest::BuildRichModel(document);
  TModelFile::SaveModelFile(document, path);
  return path;
}

}  // namespace

TEST(HeadlessCommands, DumpPrintsTheModelAsJson)
{
  QTemporaryDir dir;
  const TRun run = RunMindorra({QStringLiteral("dump"), MakeModel(dir)});
  ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
  const QJsonObject root = QJsonDocument::fromJson(run.Out).object();
  EXPECT_DOUBLE_EQ(root[QStringLiteral("version")].toDouble(), 2.01);
  const QJsonObject header = root[QStringLiteral("header")].toObject();
  EXPECT_EQ(header[QStringLiteral("Keywords")].toString(), QStringLiteral("ideas, caf\u00e9"));
  EXPECT_EQ(header[QStringLiteral("ReservedNumber")].toInt(), 7);
  EXPECT_TRUE(header[QStringLiteral("Background")].isNull());
  EXPECT_EQ(header[QStringLiteral("MainViewTopLeft")].toArray().size(), 2);
  const QJsonArray objects = root[QStringLiteral("objects")].toArray();
  ASSERT_EQ(objects.size(), 4);
  const QJsonObject cluster = objects[0].toObject();
  EXPECT_EQ(cluster[QStringLiteral("class")].toString(), QStringLiteral("TCluster"));
  EXPECT_EQ(cluster[QStringLiteral("kind")].toInt(), 9);
  EXPECT_EQ(cluster[QStringLiteral("ClusterMargin")].toInt(), 2);
  const QJsonObject first = objects[1].toObject();
  EXPECT_EQ(first[QStringLiteral("class")].toString(), QStringLiteral("TCogi"));
  EXPECT_EQ(first[QStringLiteral("Text")].toString(), QStringLiteral("First idea"));
  EXPECT_EQ(first[QStringLiteral("Notes")].toString(), QStringLiteral("a note"));
  EXPECT_EQ(first[QStringLiteral("Link")].toString(), QStringLiteral("http://example.org/"));
  EXPECT_EQ(first[QStringLiteral("Shadow")].toInt(), 1);
  EXPECT_GT(first[QStringLiteral("Outline")].toArray().size(), 6);
  EXPECT_EQ(first[QStringLiteral("Outline")].toArray()[1].toArray().size(), 6);
  EXPECT_EQ(objects[2].toObject()[QStringLiteral("Angle")].toInt(), 30);
}

TEST(HeadlessCommands, ExportWritesEveryKind)
{
  QTemporaryDir dir;
  const QString model = MakeModel(dir);
  const TRun png =
      RunMindorra({QStringLiteral("export"), model, dir.filePath(QStringLiteral("a.png"))});
  ASSERT_EQ(png.Status, 0) << png.Err.toStdString();
  const QImage picture(dir.filePath(QStringLiteral("a.png")));
  // The default box, kept to the model's proportions.
  EXPECT_TRUE(picture.width() == 1600 || picture.height() == 1200);
  EXPECT_LE(picture.width(), 1600);
  EXPECT_LE(picture.height(), 1200);

  const TRun sized =
      RunMindorra({QStringLiteral("export"), model, dir.filePath(QStringLiteral("b.jpg")),
                   QStringLiteral("--width"), QStringLiteral("300"), QStringLiteral("--height"),
                   QStringLiteral("200")});
  ASSERT_EQ(sized.Status, 0);
  EXPECT_EQ(QImage(dir.filePath(QStringLiteral("b.jpg"))).size(), QSize(300, 200));

  for (const char* name : {"c.svg", "d.pdf", "e.bmp", "f.mdl"}) {
    const QString out = dir.filePath(QString::fromLatin1(name));
    const TRun run = RunMindorra({QStringLiteral("export"), model, out});
    EXPECT_EQ(run.Status, 0) << name << run.Err.toStdString();
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    const QByteArray bytes = file.readAll();
    EXPECT_GT(bytes.size(), 100) << name;
    if (QByteArray(name).endsWith("svg")) {
      EXPECT_TRUE(bytes.contains("<svg"));
    }
    if (QByteArray(name).endsWith("pdf")) {
      EXPECT_TRUE(bytes.startsWith("%PDF"));
    }
  }
  // The converted model reads back with the same objects.
  const TRun again = RunMindorra({QStringLiteral("dump"), dir.filePath(QStringLiteral("f.mdl"))});
  EXPECT_EQ(QJsonDocument::fromJson(again.Out).object()[QStringLiteral("objects")].toArray().size(),
            4);
}

TEST(HeadlessCommands, ErrorsAndUsage)
{
  QTemporaryDir dir;
  const QString junk = dir.filePath(QStringLiteral("junk.mdl"));
  QFile file(junk);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(64, '\0'));
  file.close();
  const TRun bad = RunMindorra({QStringLiteral("dump"), junk});
  EXPECT_EQ(bad.Status, 1);
  EXPECT_TRUE(bad.Err.contains(QStringLiteral("Unable to load model. Unknown format")));
  EXPECT_TRUE(bad.Out.isEmpty());

  const TRun missing =
      RunMindorra({QStringLiteral("dump"), dir.filePath(QStringLiteral("none.mdl"))});
  EXPECT_EQ(missing.Status, 1);

  const QString out = dir.filePath(QStringLiteral("never.png"));
  const TRun failed = RunMindorra({QStringLiteral("export"), junk, out});
  EXPECT_EQ(failed.Status, 1);
  EXPECT_FALSE(QFile::exists(out));

  EXPECT_EQ(RunMindorra({QStringLiteral("dump")}).Status, 2);
  EXPECT_EQ(RunMindorra({QStringLiteral("export"), junk}).Status, 2);
  EXPECT_EQ(RunMindorra({QStringLiteral("export"), junk, out, QStringLiteral("--width"),
                         QStringLiteral("zero")})
                .Status,
            2);
  EXPECT_EQ(
      RunMindorra({QStringLiteral("export"), junk, dir.filePath(QStringLiteral("x.doc"))}).Status,
      2);
}

TEST(HeadlessCommands, DumpAndExportLeaveTheStateFolderAlone)
{
  QTemporaryDir dir;
  const QString model = MakeModel(dir);
  const QString state = dir.filePath(QStringLiteral("state"));
  ASSERT_TRUE(QDir().mkpath(state));
  EXPECT_EQ(RunMindorra({QStringLiteral("dump"), model}, state).Status, 0);
  for (const char* name : {"a.png", "b.svg", "c.mdl"})
    EXPECT_EQ(RunMindorra(
                  {QStringLiteral("export"), model, dir.filePath(QString::fromLatin1(name))}, state)
                  .Status,
              0)
        << name;
  // They record no edit, so they have nothing to keep for a recovery.
  EXPECT_TRUE(QDir(state).isEmpty()) << QDir(state)
                                            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                                            .join(QLatin1Char(' '))
                                            .toStdString();
}
