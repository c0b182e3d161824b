#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

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

// One running helper that the test talks to line by line.
class THelper {
 public:
  THelper(const QStringList& args, const QString& stateHome)
      : process_(StartHelper(args, stateHome))
  {
  }
  ~THelper()
  {
    if (process_->state() != QProcess::NotRunning) {
      process_->kill();
      process_->waitForFinished(30000);
    }
  }
  QString ReadLine()
  {
    while (!process_->canReadLine())
      if (!process_->waitForReadyRead(30000)) return QString();
    return QString::fromLocal8Bit(process_->readLine()).trimmed();
  }
  // The "title|recovery file" lines of a holding helper, up to its "end".
  QStringList ReadWindows()
  {
    QStringList windows;
    for (QString line = ReadLine(); !line.isEmpty() && line != QLatin1String("end");
         line = ReadLine())
      windows << line;
    return windows;
  }
  void Tell() { process_->write("\n"); }
  // Lets the helper end normally, closing its windows.
  int Finish()
  {
    Tell();
    process_->closeWriteChannel();
    EXPECT_TRUE(process_->waitForFinished(30000));
    return process_->exitCode();
  }
  void Kill()
  {
    process_->kill();
    process_->waitForFinished(30000);
  }

 private:
  std::unique_ptr<QProcess> process_;
};

// Runs a helper to its end and returns its output lines.
QStringList RunHelper(const QStringList& args, const QString& stateHome)
{
  std::unique_ptr<QProcess> process(StartHelper(args, stateHome));
  EXPECT_TRUE(process->waitForFinished(30000));
  return QString::fromLocal8Bit(process->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// Saves a model of `cogis` hexagons as dir/name.
QString MakeModel(const QTemporaryDir& dir, const QString& name, int cogis)
{
  const QString path = dir.filePath(name);
  TModelDocument document;
  for (int i = 0; i < cogis; ++i)
    iotest::AddCogi(document, 2 + 2 * i, 2);
  TModelFile::SaveModelFile(document, path);
  return path;
}

// A copy that opens the model, records an edit and is killed, leaving its recovery file.
void Crash(const QString& model, const QString& stateHome)
{
  std::unique_ptr<QProcess> crashed(StartHelper({QStringLiteral("crash"), model}, stateHome));
  ASSERT_TRUE(crashed->waitForFinished(30000));
  EXPECT_EQ(crashed->exitStatus(), QProcess::CrashExit);
}

// Leaves the recovery files of killed copies of plan1.mdl ... planN.mdl; returns the
// captions their recovered windows get, sorted.
QStringList CrashedModels(const QTemporaryDir& dir, const QString& stateHome, int count)
{
  QStringList captions;
  for (int i = 1; i <= count; ++i) {
    const QString name = QStringLiteral("plan%1.mdl").arg(i);
    Crash(MakeModel(dir, name, i), stateHome);
    captions << name + QStringLiteral(" Recovered");
  }
  return captions;
}

// The index-th "|"-separated field of every line, sorted.
QStringList Field(const QStringList& lines, int index)
{
  QStringList fields;
  for (const QString& line : lines)
    fields << line.section(QLatin1Char('|'), index, index);
  fields.sort();
  return fields;
}

std::string Text(const QStringList& lines)
{
  return lines.join(QStringLiteral("; ")).toStdString();
}

// "CGP Recover <stem>.MDL" -> <stem>
QString StemOf(const QString& recoveryFile)
{
  return QFileInfo(recoveryFile).completeBaseName().mid(QStringLiteral("CGP Recover ").size());
}

// The mode bits of a file, leaving out Qt's bits for the current user.
QFile::Permissions ModeOf(const QString& path)
{
  constexpr QFile::Permissions kMode(0x7077);
  return QFileInfo(path).permissions() & kMode;
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
  // Only the killed copy's model comes back, with its edit, as an unnamed recovered window
  // whose edit can still be undone.
  ASSERT_EQ(windows.size(), 1) << windows.join(QLatin1Char(';')).toStdString();
  EXPECT_EQ(windows[0].toStdString(), "plan.mdl Recovered|3|0|Undo Create Shapes|2");
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

TEST(Recovery, TwoCopiesRestoreEachFileOnceAndNeverDeleteWhatTheOtherShows)
{
  QTemporaryDir dir;
  const QString state = dir.filePath(QStringLiteral("state"));
  const QStringList expected = CrashedModels(dir, state, 3);

  // The second copy starts while the first has found the files but not yet taken them over
  // (reading a large model takes seconds).
  THelper first({QStringLiteral("recover-paused")}, state);
  ASSERT_EQ(first.ReadLine(), QStringLiteral("scanned"));
  THelper second({QStringLiteral("recover-hold")}, state);
  const QStringList secondShows = second.ReadWindows();
  first.Tell();
  const QStringList firstShows = first.ReadWindows();
  EXPECT_EQ(Text(Field(firstShows + secondShows, 0)), Text(expected));

  // Neither the second copy closing its windows nor a third copy that starts and ends deletes
  // a file the first still shows.
  EXPECT_EQ(second.Finish(), 0);
  EXPECT_TRUE(RunHelper({QStringLiteral("recover")}, state).isEmpty());
  for (const QString& file : Field(firstShows, 1))
    EXPECT_TRUE(QFile::exists(file)) << file.toStdString();

  // When the first dies, every model comes back once more.
  first.Kill();
  EXPECT_EQ(Text(Field(RunHelper({QStringLiteral("recover")}, state), 0)), Text(expected));

  // Two copies started one right after the other.
  const QStringList again = CrashedModels(dir, state, 3);
  THelper third({QStringLiteral("recover-hold")}, state);
  THelper fourth({QStringLiteral("recover-hold")}, state);
  EXPECT_EQ(Text(Field(third.ReadWindows() + fourth.ReadWindows(), 0)), Text(again));
}

TEST(Recovery, DeadCopiesLeaveNothingBehindAndEveryFileIsPrivate)
{
  QTemporaryDir dir;
  const QString state = dir.filePath(QStringLiteral("state"));
  const QString folder = state + QStringLiteral("/mindorra/recovery");
  // A folder made by someone else, readable by all.
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadOther | QFile::ExeOther));
  QDir recovery(folder);
  const auto recoveryFiles = [&] {
    return recovery.entryList({QStringLiteral("CGP Recover *.MDL")}, QDir::Files);
  };

  Crash(MakeModel(dir, QStringLiteral("a.mdl"), 1), state);
  // A dead copy whose recovery file is gone: its undo snapshots and lock are left over.
  const QStringList before = recoveryFiles();
  Crash(MakeModel(dir, QStringLiteral("b.mdl"), 1), state);
  QStringList orphan = recoveryFiles();
  for (const QString& name : before)
    orphan.removeAll(name);
  ASSERT_EQ(orphan.size(), 1);
  ASSERT_TRUE(recovery.remove(orphan[0]));
  const QString orphanStem = StemOf(orphan[0]);
  ASSERT_FALSE(
      recovery.entryList({QStringLiteral("*") + orphanStem + QStringLiteral("*")}).isEmpty());

  THelper live({QStringLiteral("hold"), MakeModel(dir, QStringLiteral("c.mdl"), 1)}, state);
  const QString liveStem = StemOf(live.ReadLine());
  ASSERT_FALSE(liveStem.isEmpty());

  EXPECT_EQ(ModeOf(folder), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  for (const QString& name : recovery.entryList(QDir::Files))
    EXPECT_EQ(ModeOf(recovery.filePath(name)), QFile::ReadOwner | QFile::WriteOwner)
        << name.toStdString();

  // The dead copy's model comes back with its undo history, and then nothing of either dead
  // copy is left; the live copy keeps all it has.
  EXPECT_EQ(Text(RunHelper({QStringLiteral("recover")}, state)),
            "a.mdl Recovered|2|0|Undo Create Shapes|1");
  const QStringList left = recovery.entryList(QDir::Files);
  EXPECT_GE(left.size(), 3);  // at least its recovery file, its lock and its undo snapshot
  for (const QString& name : left)
    EXPECT_TRUE(name.contains(liveStem)) << name.toStdString();
  EXPECT_EQ(live.Finish(), 0);
  EXPECT_EQ(Text(recovery.entryList(QDir::Files)), "");
}
