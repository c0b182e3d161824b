#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "document/documenttestsupport.h"
#include "document/modelview.h"
#include "io/iotestsupport.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "platform/streams/streamerror.h"

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes)
{
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QString OpenError(const QString& path, QStringList* reported = nullptr)
{
  TModelDocument document;
  TRecordingObserver observer;
  document.SetObserver(&observer);
  try {
    TModelFile::OpenModelFile(document, path, false);
  } catch (const EStreamError& error) {
    if (reported) *reported = observer.errors;
    return error.Message();
  }
  return QString();
}

}  // namespace

TEST(ModelFile, SaveAndOpenAgain)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("ideas.mdl"));
  TModelDocument document;
  iotest::BuildRichModel(document);
  document.MainViewTopLeft = document.MainViewBottomRight = {0, 0};
  document.ViewOrigin = {2, 3};
  document.Modified = true;
  TModelFile::SaveModelFile(document, path);
  EXPECT_TRUE(document.Named);
  EXPECT_FALSE(document.Modified);
  EXPECT_EQ(document.FileName, path);
  EXPECT_FALSE(document.SavedBy.isEmpty());
  // Without a main view the saved model remembers the view it was saved in.
  EXPECT_EQ(document.MainViewTopLeft, (TModelPoint{2, 3}));

  TModelDocument opened;
  TModelFile::OpenModelFile(opened, path, true);
  EXPECT_EQ(opened.Objects.size(), document.Objects.size());
  EXPECT_TRUE(opened.ReadOnly);
  EXPECT_TRUE(opened.Named);
  EXPECT_FALSE(opened.Modified);
  EXPECT_EQ(opened.FileName, path);
  // It opens on that view.
  EXPECT_NEAR(opened.ViewOrigin.X + TModelView(opened).HalfWidth(),
              (document.MainViewTopLeft.X + document.MainViewBottomRight.X) / 2, 1e-6);

  // The preview and the icon come from the file.
  EXPECT_EQ(TModelFile::ModelThumbnail(path, true).size(), QSize(153, 212));
  EXPECT_EQ(TModelFile::ModelThumbnail(path, false).size(), QSize(32, 32));
}

TEST(ModelFile, BadFilesGiveTheirMessages)
{
  QTemporaryDir dir;
  const QString shortFile = dir.filePath(QStringLiteral("short.mdl"));
  WriteBytes(shortFile, QByteArray("abc"));
  QStringList reported;
  EXPECT_EQ(OpenError(shortFile, &reported),
            QStringLiteral("Unable to load model. Unknown format"));
  EXPECT_EQ(reported, QStringList{QStringLiteral("Not a valid model file.")});

  const QString zeros = dir.filePath(QStringLiteral("zeros.mdl"));
  WriteBytes(zeros, QByteArray(4096, '\0'));
  EXPECT_EQ(OpenError(zeros), QStringLiteral("Unable to load model. Unknown format"));

  const QString nan = dir.filePath(QStringLiteral("nan.mdl"));
  WriteBytes(nan, QByteArray::fromHex("000000000000F87F") + QByteArray(64, '\1'));
  EXPECT_EQ(OpenError(nan), QStringLiteral("Unable to load model. Unknown format"));

  // A version of 2.5 or 3 reads with the same layout.
  TModelDocument document;
  iotest::BuildRichModel(document);
  QByteArray later = TModelStream::WriteModel(document, false);
  const double three = 3.0;
  later.replace(0, 8, QByteArray(reinterpret_cast<const char*>(&three), 8));
  const QString future = dir.filePath(QStringLiteral("future.mdl"));
  WriteBytes(future, later);
  EXPECT_EQ(OpenError(future), QString());

  // Placeholders for files that hold no picture.
  EXPECT_EQ(TModelFile::ModelThumbnail(zeros, true).size(), QSize(153, 212));
  EXPECT_EQ(TModelFile::ModelThumbnail(dir.filePath(QStringLiteral("none.mdl")), false).size(),
            QSize(32, 32));
}

TEST(ModelFile, AFailedSaveLeavesTheOldFileAndTheDocument)
{
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("locked"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString path = folder + QStringLiteral("/model.mdl");
  WriteBytes(path, QByteArray("the old file"));
  ASSERT_EQ(chmod(folder.toLocal8Bit().constData(), 0555), 0);

  // Root may write anywhere, so the save runs as an unprivileged user when we are root.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(10);
    TModelDocument document;
    iotest::AddCogi(document, 1, 1);
    document.Modified = true;
    try {
      TModelFile::SaveModelFile(document, path);
      _exit(11);  // the save must fail
    } catch (const EStreamError& error) {
      if (!error.Message().contains(QStringLiteral("model.mdl"))) _exit(12);
    }
    _exit(document.Modified && !document.Named && document.FileName != path ? 0 : 13);
  }
  int status = 0;
  waitpid(child, &status, 0);
  chmod(folder.toLocal8Bit().constData(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("the old file"));
}

TEST(ModelFile, SaveAsChoosesByExtension)
{
  QTemporaryDir dir;
  TModelDocument document;
  iotest::BuildRichModel(document);
  TModelFile::SaveModelAs(document, dir.filePath(QStringLiteral("p.BMP")), QSize(200, 100));
  const QImage bmp(dir.filePath(QStringLiteral("p.BMP")), "BMP");
  EXPECT_EQ(bmp.size(), QSize(200, 100));
  EXPECT_EQ(bmp.depth(), 8);
  TModelFile::SaveModelAs(document, dir.filePath(QStringLiteral("p.jpeg")), QSize(120, 80));
  EXPECT_EQ(QImage(dir.filePath(QStringLiteral("p.jpeg")), "JPG").size(), QSize(120, 80));
  // The kinds that are never written say so and leave the document as it was.
  document.Modified = true;
  const QString fileName = document.FileName;
  for (const char* name : {"p.ico", "p.RTF", "p.wmf", "p.emf"}) {
    const QString path = dir.filePath(QLatin1String(name));
    try {
      TModelFile::SaveModelAs(document, path, QSize(10, 10));
      ADD_FAILURE() << name << " was saved without a word";
    } catch (const EStreamError& error) {
      EXPECT_TRUE(error.Message().contains(QLatin1String("cannot be saved"))) << name;
      EXPECT_TRUE(error.Message().contains(QLatin1String(name))) << name;
    }
    EXPECT_FALSE(QFile::exists(path)) << name;
  }
  EXPECT_TRUE(document.Modified);
  EXPECT_EQ(document.FileName, fileName);
  EXPECT_FALSE(document.Named);
  EXPECT_THROW(TModelFile::SaveModelAs(document, dir.filePath(QStringLiteral("r.txt")), QSize()),
               EStreamError);
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("r.txt"))));
  EXPECT_FALSE(document.Named);  // pictures are exports, not saves
  TModelFile::SaveModelAs(document, dir.filePath(QStringLiteral("m.cgp")), QSize());
  EXPECT_TRUE(document.Named);
  QFile saved(dir.filePath(QStringLiteral("m.cgp")));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_DOUBLE_EQ(TModelStream::ReadVersion(saved.readAll()), 2.01);
}
