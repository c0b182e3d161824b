#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/streams/streamerror.h"
#include "platform/streams/warmfile.h"
#include "platform/streams/wholefile.h"

// The file made ready ahead is written over in place: whatever its size, the target must end
// up holding exactly the new bytes, for its owner only, and no temporary file may stay.
TEST(WarmFile, TheTargetHoldsExactlyTheNewBytesWhateverWasPreparedAndNothingStays)
{
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("recovery.mdl"));
  const QString temporary = TWarmFile::TemporaryFile(target);
  {
    TWarmFile file;
    file.Replace(target, QByteArray(1000, 'a'));
    EXPECT_EQ(TWholeFile::ReadAll(target), QByteArray(1000, 'a'));
    file.Prepare(target, 100000);  // larger than what comes
    file.Replace(target, QByteArray(500, 'b'));
    EXPECT_EQ(TWholeFile::ReadAll(target), QByteArray(500, 'b'));
    file.Prepare(target, 10);  // smaller than what comes
    file.Replace(target, QByteArray(3000, 'c'));
    EXPECT_EQ(TWholeFile::ReadAll(target), QByteArray(3000, 'c'));
    EXPECT_EQ(QFileInfo(target).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    file.Prepare(dir.filePath(QStringLiteral("other.mdl")), 4000);  // then another target
    file.Replace(target, QByteArray(20, 'd'));
    EXPECT_FALSE(
        QFileInfo::exists(TWarmFile::TemporaryFile(dir.filePath(QStringLiteral("other.mdl")))));
    file.Prepare(target, 4000);
  }
  EXPECT_FALSE(QFileInfo::exists(temporary));
  EXPECT_EQ(TWholeFile::ReadAll(target), QByteArray(20, 'd'));

  TWarmFile file;
  const QString nowhere = dir.filePath(QStringLiteral("missing/recovery.mdl"));
  try {
    file.Replace(nowhere, "x");
    ADD_FAILURE() << "a write into a missing folder succeeded";
  } catch (const EStreamError& error) {
    EXPECT_TRUE(error.Message().contains(nowhere)) << error.Message().toStdString();
  }
}
