#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "io/iotestsupport.h"
#include "io/modelfile.h"

namespace {

const QString kHelper = QStringLiteral(MINDORRA_BINARY_DIR "/tests/recoveryhelper");

// Runs the helper with a state folder of the test's own, so that no other test's files mix in.
QProcess* StartHelper(const QStringList& args, const QString& stateHome)
{
  auto* process = new QProcess;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_STATE_HOME"), stateHome);
  process->setProcessEnvironment(environment);
  process->start(kHelper, args);
  EXPECT_TRUE(process->waitForStarted(10000));
  return process;
}

}  // namespace

TEST(Recovery, AKilledProcessIsRecoveredAndALiveOneIsLeftAlone)
{
  QTemporaryDir dir;
  const QString state = dir.filePath(QStringLiteral("state"));
  const QString model = dir.filePath(QStringLiteral("plan.mdl"));
  {
    TModelDocument document;
    iotest::AddCogi(document, 2, 2);
    iotest::AddCogi(document, 4, 2);
    TModelFile::SaveModelFile(document, model);
  }

  // A copy that records an edit and is killed: its recovery file stays behind.
  std::unique_ptr<QProcess> crashed(StartHelper({QStringLiteral("crash"), model}, state));
  ASSERT_TRUE(crashed->waitForFinished(30000));
  EXPECT_EQ(crashed->exitStatus(), QProcess::CrashExit);

  // A copy that is still running, with an unsaved edit of its own.
  std::unique_ptr<QProcess> live(StartHelper({QStringLiteral("hold"), model}, state));
  ASSERT_TRUE(live->waitForReadyRead(30000));
  const QString liveFile = QString::fromLocal8Bit(live->readLine()).trimmed();
  ASSERT_TRUE(QFile::exists(liveFile));

  std::unique_ptr<QProcess> recover(StartHelper({QStringLiteral("recover")}, state));
  ASSERT_TRUE(recover->waitForFinished(30000));
  const QStringList windows =
      QString::fromLocal8Bit(recover->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  // Only the killed copy's model comes back, with its edit, as an unnamed recovered window.
  ASSERT_EQ(windows.size(), 1) << windows.join(QLatin1Char(';')).toStdString();
  EXPECT_EQ(windows[0], QStringLiteral("plan.mdl Recovered|3|0"));
  EXPECT_TRUE(QFile::exists(liveFile));

  // The recovering copy closed its window without saving: that recovery file is gone too.
  std::unique_ptr<QProcess> again(StartHelper({QStringLiteral("recover")}, state));
  ASSERT_TRUE(again->waitForFinished(30000));
  EXPECT_TRUE(again->readAllStandardOutput().isEmpty());

  live->write("\n");
  live->closeWriteChannel();
  ASSERT_TRUE(live->waitForFinished(30000));
  EXPECT_EQ(live->exitCode(), 0);
  EXPECT_FALSE(QFile::exists(liveFile));
}

TEST(Recovery, ADamagedRecoveryFileIsSetAsideAndTheOthersStillCome)
{
  QTemporaryDir dir;
  const QString state = dir.filePath(QStringLiteral("state"));
  const QString folder = state + QStringLiteral("/mindorra/recovery");
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString model = dir.filePath(QStringLiteral("good.mdl"));
  {
    TModelDocument document;
    iotest::AddCogi(document, 2, 2);
    TModelFile::SaveModelFile(document, model);
  }
  std::unique_ptr<QProcess> crashed(StartHelper({QStringLiteral("crash"), model}, state));
  ASSERT_TRUE(crashed->waitForFinished(30000));
  QFile damaged(folder + QStringLiteral("/CGP Recover 0-1-0.MDL"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("this is not a model");
  damaged.close();

  std::unique_ptr<QProcess> recover(StartHelper({QStringLiteral("recover")}, state));
  ASSERT_TRUE(recover->waitForFinished(30000));
  const QStringList windows =
      QString::fromLocal8Bit(recover->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(windows.size(), 1);
  EXPECT_TRUE(windows[0].startsWith(QStringLiteral("good.mdl Recovered")));
  EXPECT_FALSE(QFile::exists(damaged.fileName()));
  EXPECT_EQ(QDir(folder).entryList({QStringLiteral("CGP Damaged *")}, QDir::Files).size(), 1);
}
