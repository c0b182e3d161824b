#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "document/documenttestsupport.h"
#include "io/iotestsupport.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "io/recovery.h"
#include "io/undorecorder.h"
#include "model/arrow.h"
#include "model/cogi.h"
#include "platform/streams/wholefile.h"
#include "testsupport.h"

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

// A document recording its edits with its recovery file claimed, as a model window has it.
// The document goes first, deleting its files while the recorder still holds their lock.
struct TRecordedModel {
  TRecordedModel()
  {
    Document.SetObserver(&Observer);
    Document.SetUndoRecorder(&Recorder);
    EXPECT_TRUE(Recorder.ClaimRecoveryFile(Document.RecoverFileName));
  }
  TRecordingObserver Observer;
  TUndoRecorder Recorder;
  TModelDocument Document;
};

}  // namespace

// Snapshot files are written beside the user-interface thread's work; the recording still
// returns only once everything a recovery needs is on disk.
TEST(UndoRecording, AProcessKilledRightAfterAnEditOrUndoRecoversItWithItsHistory)
{
  TRecordedModel model;
  TModelDocument& d = model.Document;
  TUndoRecorder& recorder = model.Recorder;
  const TRecordingObserver& observer = model.Observer;
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

// The state before an edit is the recovery file's, so its snapshot shares that file's bytes
// rather than writing them again; every later edit replaces the recovery file, and each
// snapshot must keep the state it was taken of, also when a state could not be stored.
TEST(UndoRecording, SnapshotsTakenFromTheRecoveryFileKeepTheirStateWhenItIsReplaced)
{
  TRecordedModel model;
  TModelDocument& d = model.Document;
  TUndoRecorder& recorder = model.Recorder;
  const TRecordingObserver& observer = model.Observer;
  iotest::AddCogi(d, 2, 2);
  TUndoRecorder::TakeBaseline(d);
  std::vector<QByteArray> states{TModelStream::WriteModel(d, false)};
  const auto edit = [&](double x) {
    d.Objects[0]->MoveTo(&d.Objects, x, 2);
    d.ChangePending = true;
    d.RecordUndo(QStringLiteral("Move Cogis"));
    states.push_back(TModelStream::WriteModel(d, false));
  };
  edit(4);
  edit(6);
  // The recovery file cannot be replaced while a folder stands in its place; the edit is kept
  // and its snapshot must not be taken from the stale file once the folder is gone.
  ASSERT_TRUE(QFile::remove(d.RecoverFileName));
  ASSERT_TRUE(QDir().mkdir(d.RecoverFileName));
  edit(8);
  ASSERT_TRUE(QDir().rmdir(d.RecoverFileName));
  TWholeFile::WriteAtomically(d.RecoverFileName, states[1]);  // stale, as a failed write leaves
  edit(10);
  edit(12);
  EXPECT_FALSE(observer.errors.isEmpty());

  const TLeftBehind left(d);
  EXPECT_EQ(left.Model, states.back());
  ASSERT_EQ(left.Snapshots.size(), states.size() - 1);
  for (std::size_t i = 0; i + 1 < states.size(); ++i)
    EXPECT_EQ(left.Snapshots[i].second, states[i]) << "snapshot " << i;

  // An undo hands the snapshot's own file over as the recovery file, unless the model changed
  // outside its objects since: saved, it now has a file of its own, which the recovery keeps.
  recorder.Undo(d);
  EXPECT_EQ(TLeftBehind(d).Model, states[states.size() - 2]);
  QTemporaryDir saved;
  TModelFile::SaveModelFile(d, saved.filePath(QStringLiteral("saved.mdl")));
  recorder.Undo(d);
  const QByteArray undoneTwice = TModelStream::WriteModel(d, false);
  EXPECT_NE(undoneTwice, states[states.size() - 3]);  // named now
  EXPECT_EQ(TLeftBehind(d).Model, undoneTwice);
  recorder.Redo(d);
  EXPECT_EQ(TLeftBehind(d).Model, TModelStream::WriteModel(d, false));
}

// Undo and redo take the arrows of their own snapshots as stored instead of placing them
// again; that must be exactly what placing them again gives.
TEST(UndoRecording, ArrowsTakenAsStoredFromASnapshotEqualArrowsPlacedAgain)
{
  QFile golden(testsupport::DataPath(QStringLiteral("golden/golden.mdl")));
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
  TModelDocument opened;
  TModelStream::ReadModel(opened, golden.readAll(), false);
  TModelDocument built;
  iotest::BuildRichModel(built);
  // Every way of attaching: automatic and fixed anchors, bent lines, arrows on arrows.
  TCogi* a = iotest::AddCogi(built, 2, 9);
  TCogi* b = iotest::AddCogi(built, 7, 12);
  auto* auto1 = static_cast<TArrow*>(built.CreateObject(okArrow));
  TArrow::AttachArrowEnd(a, auto1, -1, TArrowEnd::Start);
  TArrow::AttachArrowEnd(b, auto1, -1, TArrowEnd::Finish);
  auto1->ChordHeight = 0.75;
  auto* fixed = static_cast<TArrow*>(built.CreateObject(okArrow));
  TArrow::AttachArrowEnd(a, fixed, 3, TArrowEnd::Start);
  TArrow::AttachArrowEnd(auto1, fixed, -1, TArrowEnd::Finish);
  auto* loose = static_cast<TArrow*>(built.CreateObject(okArrow));
  TArrow::AttachArrowEnd(fixed, loose, 6, TArrowEnd::Start);
  for (CGPObject* object : built.Objects)
    object->Recalculate(&built.Objects, true);
  // Moved after attaching, as an edit leaves them.
  b->MoveTo(&built.Objects, 9, 8);
  b->Recalculate(&built.Objects, false);

  for (TModelDocument* source : {&opened, &built}) {
    const QByteArray snapshot = TModelStream::WriteModel(*source, false);
    TModelDocument placed;
    TModelStream::ReadModel(placed, snapshot, false, false);
    TModelDocument stored;
    TModelStream::ReadModel(stored, snapshot, false, true);
    EXPECT_EQ(TModelStream::WriteModel(placed, false), snapshot);
    EXPECT_EQ(TModelStream::WriteModel(stored, false), snapshot);
    int arrows = 0;
    for (std::size_t i = 0; i < placed.Objects.size(); ++i) {
      const auto* p = dynamic_cast<const TArrow*>(placed.Objects[i]);
      const auto* s = dynamic_cast<const TArrow*>(stored.Objects[i]);
      if (!p) continue;
      ++arrows;
      ASSERT_TRUE(s);
      EXPECT_EQ(s->Anchors.size(), p->Anchors.size());
      for (std::size_t k = 0; k < std::min(s->Anchors.size(), p->Anchors.size()); ++k) {
        EXPECT_EQ(s->Anchors[k].DX, p->Anchors[k].DX);
        EXPECT_EQ(s->Anchors[k].DY, p->Anchors[k].DY);
      }
      EXPECT_EQ(s->TextWidth, p->TextWidth);
    }
    EXPECT_GE(arrows, source == &built ? 3 : 1);
  }
}
