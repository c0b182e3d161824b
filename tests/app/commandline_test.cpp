#include <gtest/gtest.h>

#include <QProcess>

namespace {

struct TRun {
  int Status;
  QString Out;
  QString Err;
};

TRun RunProgram(const QStringList& args)
{
  QProcess process;
  process.start(QStringLiteral(MINDORRA_EXECUTABLE), args);
  EXPECT_TRUE(process.waitForFinished(30000));
  return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

TEST(CommandLine, VersionHelpAndUsageErrors)
{
  const TRun version = RunProgram({QStringLiteral("--version")});
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out, QStringLiteral("Mindorra " MINDORRA_VERSION "\n"));

  const TRun help = RunProgram({QStringLiteral("--help")});
  EXPECT_EQ(help.Status, 0);
  EXPECT_TRUE(help.Out.contains(QStringLiteral("--version")));
  EXPECT_TRUE(help.Out.startsWith(QStringLiteral("Usage: mindorra")));

  const TRun badOption = RunProgram({QStringLiteral("--frobnicate")});
  EXPECT_EQ(badOption.Status, 2);
  EXPECT_TRUE(badOption.Out.isEmpty());
  EXPECT_EQ(badOption.Err.count(QLatin1Char('\n')), 1);
  EXPECT_TRUE(badOption.Err.contains(QStringLiteral("--frobnicate")));

  const TRun badCommand = RunProgram({QStringLiteral("frobnicate")});
  EXPECT_EQ(badCommand.Status, 2);
  EXPECT_TRUE(badCommand.Err.contains(QStringLiteral("unknown command")));
}
