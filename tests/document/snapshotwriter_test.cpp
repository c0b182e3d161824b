#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "document/snapshotwriter.h"

namespace {

QByteArray Contents(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(SnapshotWriter, WritesEveryFileWholeAndRemovesOnlyWhatItIsTold)
{
  QTemporaryDir dir;
  TSnapshotWriter writer;
  const QByteArray big(3 << 20, 'x');
  QStringList paths;
  for (int i = 0; i < 4; ++i) {
    paths << dir.filePath(QStringLiteral("snap%1.MDL").arg(i));
    writer.Write(paths.back(), big + QByteArray::number(i));
  }
  // A removal waits for a write under way, or cancels one still queued: the file never
  // appears afterwards.
  writer.Remove(paths[0]);
  writer.Remove(paths[3]);
  writer.Flush();
  EXPECT_FALSE(QFile::exists(paths[0]));
  EXPECT_FALSE(QFile::exists(paths[3]));
  EXPECT_EQ(Contents(paths[1]), big + "1");
  EXPECT_EQ(Contents(paths[2]), big + "2");
  EXPECT_TRUE(writer.TakeFailures().isEmpty());
  EXPECT_EQ(QFile::permissions(paths[1]) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
            QFileDevice::Permissions());
}

TEST(SnapshotWriter, AFileThatCannotBeWrittenIsReportedOnceAndLeavesNothing)
{
  QTemporaryDir dir;
  TSnapshotWriter writer;
  const QString bad = QStringLiteral("/proc/mindorra-cannot-write/snap.MDL");
  const QString good = dir.filePath(QStringLiteral("snap.MDL"));
  writer.Write(bad, "abc");
  writer.Write(good, "def");
  writer.Flush();
  const QStringList failures = writer.TakeFailures();
  ASSERT_EQ(failures.size(), 1);
  EXPECT_TRUE(failures[0].contains(bad));
  EXPECT_TRUE(writer.TakeFailures().isEmpty());
  EXPECT_EQ(Contents(good), "def");
}

TEST(SnapshotWriter, DestroyingItFinishesTheWritesHandedOver)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("last.MDL"));
  {
    TSnapshotWriter writer;
    writer.Write(path, QByteArray(1 << 20, 'y'));
  }
  EXPECT_EQ(Contents(path).size(), 1 << 20);
}
