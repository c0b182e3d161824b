// The installed program itself, driven through its standard input by the test plugin: an edit,
// a kill, and the edit back after the restart.
#include <gtest/gtest.h>

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "app/shelltestsupport.h"

namespace {

class TProgram {
 public:
  TProgram(const QTemporaryDir& home, const QStringList& args)
  {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(MINDORRA_TEST_PLUGINS));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("mindorradriver"));
    environment.insert(QStringLiteral("HOME"), home.filePath(QStringLiteral("home")));
    for (const char* name : {"CONFIG", "STATE", "DATA", "CACHE"})
      environment.insert(QStringLiteral("XDG_%1_HOME").arg(QLatin1String(name)),
                         home.filePath(QString::fromLatin1(name).toLower()));
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(MINDORRA_EXECUTABLE),
                   QStringList{QStringLiteral("--no-splash")} + args);
    EXPECT_TRUE(process_.waitForStarted(10000));
  }

  ~TProgram()
  {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished(10000);
    }
  }

  // One command and its one line of answer.
  QString Ask(const QString& command)
  {
    process_.write(command.toUtf8() + '\n');
    while (!process_.canReadLine())
      if (!process_.waitForReadyRead(30000)) return QStringLiteral("(no answer)");
    return QString::fromUtf8(process_.readLine()).trimmed();
  }

  void KillHard()
  {
    ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
    process_.waitForFinished(10000);
  }

  QProcess& Process() { return process_; }

 private:
  QProcess process_;
};

int ObjectsIn(const QString& path)
{
  TModelDocument document;
  try {
    TModelFile::OpenModelFile(document, path, true);
  } catch (...) {
    return -1;
  }
  return static_cast<int>(document.Objects.size());
}

}  // namespace

TEST(RealProgram, AKilledEditComesBackRecoveredAndClosingItAsks)
{
  QTemporaryDir home;
  QDir().mkpath(home.filePath(QStringLiteral("home")));
  // A large hexagon in the middle of the view the model opens on, and one far from it.
  const QString plan = home.filePath(QStringLiteral("plan.mdl"));
  {
    TModelDocument document;
    const double x = document.ModelWidth / 2.0;
    const double y = document.ModelHeight / 2.0;
    iotest::AddCogi(document, x, y)->SetShape(7, 2);
    document.Objects.front()->Recalculate(&document.Objects, true);
    iotest::AddCogi(document, 0.8, 0.8);
    document.MainViewTopLeft = {x - 2.0, y - 2.0};
    document.MainViewBottomRight = {x + 2.0, y + 2.0};
    TModelFile::SaveModelFile(document, plan);
  }
  ASSERT_EQ(ObjectsIn(plan), 2);

  {
    TProgram program(home, {plan});
    EXPECT_EQ(program.Ask(QStringLiteral("wait-windows 1")), QStringLiteral("ok 1\tplan.mdl"));
    EXPECT_EQ(program.Ask(QStringLiteral("click-centre")), QStringLiteral("ok"));
    EXPECT_EQ(program.Ask(QStringLiteral("key Delete")), QStringLiteral("ok"));
    const QDir recovery(home.filePath(QStringLiteral("state/mindorra/recovery")));
    const QStringList files = recovery.entryList({QStringLiteral("CGP Recover *.MDL")});
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(ObjectsIn(recovery.filePath(files.front())), 1);
    program.KillHard();
  }

  TProgram program(home, {});
  const QString windows = program.Ask(QStringLiteral("wait-windows 1"));
  EXPECT_EQ(windows, QStringLiteral("ok 1\tplan.mdl Recovered"));
  EXPECT_EQ(program.Ask(QStringLiteral("close-active")), QStringLiteral("ok"));
  EXPECT_EQ(program.Ask(QStringLiteral("modal")),
            QStringLiteral("ok \\nSave Changes to plan.mdl ?"));
  EXPECT_EQ(program.Ask(QStringLiteral("answer Yes")), QStringLiteral("ok"));
  const QString rescued = home.filePath(QStringLiteral("rescued.mdl"));
  EXPECT_EQ(program.Ask(QStringLiteral("save-as ") + rescued), QStringLiteral("ok"));
  EXPECT_EQ(program.Ask(QStringLiteral("wait-exactly 0")), QStringLiteral("ok 0"));
  EXPECT_EQ(ObjectsIn(rescued), 1);
  // The original file was never touched.
  EXPECT_EQ(ObjectsIn(plan), 2);
  EXPECT_EQ(program.Ask(QStringLiteral("quit")), QStringLiteral("ok"));
  ASSERT_TRUE(program.Process().waitForFinished(30000));
  EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.Process().exitCode(), 0);
}
