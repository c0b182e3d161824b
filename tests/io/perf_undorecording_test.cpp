#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "document/documenttestsupport.h"
#include "io/iotestsupport.h"
#include "io/modelstream.h"
#include "io/recovery.h"
#include "io/undorecorder.h"

namespace {

QByteArray Contents(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a process killed at this moment leaves for the next start: the model the recovery
// file holds, and the snapshots its undo history names, read straight from the disk.
struct TLeftBehind {
  explicit TLeftBehind(const TModelDocument& document)
  {
    TModelDocument recovered;
    TModelStream::ReadModel(recovered, Contents(document.RecoverFileName), false);
    Model = TModelStream::WriteModel(recovered, false);
    const QString folder = QFileInfo(document.RecoverFileName).absolutePath();
    for (const QByteArray& line :
         Contents(TRecovery::HistoryFile(document.RecoverFileName)).split('\n')) {
      const QList<QByteArray> fields = line.split('\t');
      if (fields.size() == 3)
        Snapshots.push_back(
            {fields[0], Contents(folder + QLatin1Char('/') + QString::fromUtf8(fields[1]))});
    }
  }
  QByteArray Model;
  std::vector<std::pair<QByteArray, QByteArray>> Snapshots;  // kind ("U"/"R") and bytes
};

}  // namespace

// Snapshot files are written beside the user-interface thread's work; the recording still
// returns only once everything a recovery needs is on disk.
TEST(UndoRecording, AProcessKilledRightAfterAnEditOrUndoRecoversItWithItsHistory)
{
  TRecordingObserver observer;
  TUndoRecorder recorder;
  TModelDocument d;
  d.SetObserver(&observer);
  d.SetUndoRecorder(&recorder);
  ASSERT_TRUE(recorder.ClaimRecoveryFile(d.RecoverFileName));
  for (int i = 0; i < 200; ++i)
    iotest::AddCogi(d, 1 + (i % 20) * 1.5, 1 + (i / 20) * 1.5);
  TUndoRecorder::TakeBaseline(d);
  const QByteArray original = TModelStream::WriteModel(d, false);

  d.Objects[5]->MoveTo(&d.Objects, 40, 40);
  d.Objects[5]->Recalculate(&d.Objects, false);
  d.ChangePending = true;
  d.RecordUndo(QStringLiteral("Move Cogis"));
  const QByteArray moved = TModelStream::WriteModel(d, false);
  ASSERT_NE(moved, original);
  {
    const TLeftBehind left(d);
    EXPECT_EQ(left.Model, moved);
    ASSERT_EQ(left.Snapshots.size(), 1u);
    EXPECT_EQ(left.Snapshots[0].first, "U");
    EXPECT_EQ(left.Snapshots[0].second, original);
  }

  iotest::AddCogi(d, 30, 30);
  d.ChangePending = true;
  d.RecordUndo(QStringLiteral("Create Shapes"));
  const QByteArray added = TModelStream::WriteModel(d, false);
  recorder.Undo(d);
  {
    const TLeftBehind left(d);
    EXPECT_EQ(left.Model, moved);
    ASSERT_EQ(left.Snapshots.size(), 2u);
    EXPECT_EQ(left.Snapshots[0].second, original);
    EXPECT_EQ(left.Snapshots[1].first, "R");
    EXPECT_EQ(left.Snapshots[1].second, added);
  }
  recorder.Redo(d);
  EXPECT_EQ(TLeftBehind(d).Model, added);
  EXPECT_TRUE(observer.errors.isEmpty());
}
