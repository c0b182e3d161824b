#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
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
  // Scripts, cron and ssh sessions often have no runtime folder; stderr must stay quiet.
  environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
  if (!stateHome.isEmpty()) environment.insert(QStringLiteral("XDG_STATE_HOME"), stateHome);
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(MINDORRA_EXECUTABLE), args);
  const bool finished = process.waitForFinished(60000);
  EXPECT_TRUE(finished) << "mindorra " << args.join(QLatin1Char(' ')).toStdString();
  if (!finished) {
    process.kill();
    process.waitForFinished();
  }
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
  EXPECT_EQ(run.Err, QString());  // nothing on stderr when nothing failed
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
  EXPECT_EQ(png.Err, QString());
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
    EXPECT_EQ(run.Err, QString()) << name;
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

TEST(HeadlessCommands, Version1ModelsDumpAndConvertOnce)
{
  QTemporaryDir dir;
  const QString old = dir.filePath(QStringLiteral("old.mdl"));
  QFile file(old);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "[MODEL]\r\nNumber of Objects=3\r\nPrimary Zoom=100\r\nCanvas Color=3\r\n"
      "[COGI1]\r\nShape=5\r\nText Lines=1\r\nText0='Idea'\r\nText Font=Courier New\r\n"
      "Text Bold=1\r\nNotes Lines=1\r\nNotes0=why\r\nFill Style=7\r\n"
      "[COGI2]\r\nShape=12\r\nX=40\r\nNotes Lines=1\r\nNotes0=label\r\n"
      "[COGI3]\r\nShape=14\r\nFrom Shape=1\r\nTo Shape=2\r\n");
  file.close();
  const TRun dump = RunMindorra({QStringLiteral("dump"), old});
  ASSERT_EQ(dump.Status, 0) << dump.Err.toStdString();
  const QJsonObject root = QJsonDocument::fromJson(dump.Out).object();
  EXPECT_EQ(root[QStringLiteral("version")].toDouble(), 1.0);
  const QJsonObject header = root[QStringLiteral("header")].toObject();
  EXPECT_EQ(header[QStringLiteral("ModelColor")].toInteger(), 0xC8FFFF);
  EXPECT_EQ(root[QStringLiteral("view")].toObject()[QStringLiteral("Zoom")].toDouble(), 100.0);
  const QJsonArray objects = root[QStringLiteral("objects")].toArray();
  ASSERT_EQ(objects.size(), 3);
  const QJsonObject cogi = objects[0].toObject();
  EXPECT_EQ(cogi[QStringLiteral("ShapeVariant")].toInt(), 3);
  EXPECT_EQ(cogi[QStringLiteral("PatternIndex")].toInt(), 46);
  EXPECT_EQ(cogi[QStringLiteral("Notes")].toString(), QStringLiteral("why"));
  const QJsonObject style = cogi[QStringLiteral("TextStyle")].toObject();
  EXPECT_EQ(style[QStringLiteral("Font")].toString(), QStringLiteral("Courier New"));
  EXPECT_TRUE(style[QStringLiteral("Bold")].toBool());
  EXPECT_EQ(objects[1].toObject()[QStringLiteral("Text")].toString(), QStringLiteral("label"));
  EXPECT_EQ(objects[2].toObject()[QStringLiteral("ToIndex")].toInt(), 1);

  // Converted once, the model reads back equal in the current format.
  const QString converted = dir.filePath(QStringLiteral("new.mdl"));
  ASSERT_EQ(RunMindorra({QStringLiteral("export"), old, converted}).Status, 0);
  const QJsonObject again =
      QJsonDocument::fromJson(RunMindorra({QStringLiteral("dump"), converted}).Out).object();
  EXPECT_DOUBLE_EQ(again[QStringLiteral("version")].toDouble(), 2.01);
  EXPECT_EQ(again[QStringLiteral("objects")].toArray(), objects);
  // Saving stamps the file and its view; the earlier version had no creation time, so each
  // opening of it is created anew.
  QJsonObject saved = again[QStringLiteral("header")].toObject();
  QJsonObject original = header;
  for (const char* key :
       {"SavedBy", "SavedTime", "Named", "MainViewTopLeft", "MainViewBottomRight", "CreatedTime"}) {
    saved.remove(QLatin1String(key));
    original.remove(QLatin1String(key));
  }
  EXPECT_EQ(saved, original);
}

TEST(HeadlessCommands, ModelsThatAreNoRegularFilesAreRefusedUnreadAndMissingFoldersNamed)
{
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("pipe.mdl"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString folder = dir.filePath(QStringLiteral("folder.mdl"));
  ASSERT_TRUE(QDir().mkdir(folder));
  // A device that never ends: reading it would never finish.
  const QString device = dir.filePath(QStringLiteral("device.mdl"));
  ASSERT_EQ(symlink("/dev/zero", QFile::encodeName(device).constData()), 0);
  for (const QString& path : {fifo, folder, device}) {
    SCOPED_TRACE(path.toStdString());
    // Nobody ever writes to the FIFO: a reader would wait for ever.
    const TRun run = RunMindorra({QStringLiteral("dump"), path});
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("not a regular file"))) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(path)) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.isEmpty());
  }
  const TRun missing =
      RunMindorra({QStringLiteral("dump"), dir.filePath(QStringLiteral("none.mdl"))});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_TRUE(missing.Err.contains(QStringLiteral("File not found"))) << missing.Err.toStdString();

  // Exporting into a folder that does not exist names that folder.
  const QString absent = dir.filePath(QStringLiteral("absent/deeper"));
  const TRun noFolder =
      RunMindorra({QStringLiteral("export"), MakeModel(dir), absent + QStringLiteral("/out.png")});
  EXPECT_EQ(noFolder.Status, 1);
  EXPECT_TRUE(noFolder.Err.contains(QStringLiteral("\"%1\" does not exist").arg(absent)))
      << noFolder.Err.toStdString();
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
