// Every C++ file of the tree follows .clang-format, when clang-format is installed.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QProcess>
#include <QStringList>

TEST(Format, EverySourceFileFollowsClangFormat)
{
#ifndef MINDORRA_CLANG_FORMAT
  GTEST_SKIP() << "clang-format is not installed";
#else
  QStringList files;
  for (const char* folder : {"src", "tests", "bench", "fuzz", "tools"}) {
    QDirIterator it(QStringLiteral(MINDORRA_SOURCE_DIR "/") + QLatin1String(folder),
                    {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
      files << it.next();
  }
  ASSERT_GT(files.size(), 100);
  QProcess format;
  format.setProcessChannelMode(QProcess::MergedChannels);
  format.start(QStringLiteral(MINDORRA_CLANG_FORMAT),
               QStringList{QStringLiteral("--dry-run"), QStringLiteral("--Werror"),
                           QStringLiteral("--style=file")} +
                   files);
  ASSERT_TRUE(format.waitForFinished(120000));
  const QString output = QString::fromLocal8Bit(format.readAll());
  EXPECT_EQ(format.exitCode(), 0) << output.left(4000).toStdString();
#endif
}
