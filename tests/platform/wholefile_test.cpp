// Writing whole files: a failed write says why, in words the user can act on.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "platform/streams/streamerror.h"
#include "platform/streams/wholefile.h"

TEST(WholeFile, AFullDiskAndAShortWriteKeepTheirReason)
{
  const QByteArray bytes(100000, 'x');
  QFile full(QStringLiteral("/dev/full"));
  ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
  try {
    TWholeFile::WriteAll(full, bytes, QStringLiteral("model.mdl"));
    ADD_FAILURE() << "a write to a full disk succeeded";
  } catch (const EStreamError& error) {
    EXPECT_TRUE(error.Message().contains(QStringLiteral("model.mdl")));
    EXPECT_TRUE(error.Message().contains(QStringLiteral("the disk is full")))
        << error.Message().toStdString();
  }

  // A write the system cuts short (here by a file size limit) sets no error by itself; the
  // reason must still reach the message, and the file must not appear.
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("big.mdl"));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{8192, 8192};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(10);
    try {
      TWholeFile::WriteAtomically(path, bytes);
      _exit(11);
    } catch (const EStreamError& error) {
      const bool named = error.Message().contains(QStringLiteral("big.mdl"));
      const bool reason = error.Message().contains(QStringLiteral("File too large"));
      _exit(named && reason ? 0 : 12);
    }
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(QFile::exists(path));
}
