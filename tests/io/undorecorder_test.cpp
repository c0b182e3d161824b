#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <random>

#include "document/documenttestsupport.h"
#include "io/iotestsupport.h"
#include "io/modelstream.h"
#include "io/undorecorder.h"
#include "platform/userfolders.h"

namespace {

// A document wired to a recorder, as a model window has it.
struct TUndoFixture {
  TUndoFixture()
  {
    document = std::make_unique<TModelDocument>();
    document->SetObserver(&observer);
    document->SetUndoRecorder(&recorder);
    recorder.ClaimRecoveryFile(document->RecoverFileName);
    TUndoRecorder::TakeBaseline(*document);
  }
  void Record(const QString& caption)
  {
    document->ChangePending = true;
    document->RecordUndo(caption);
  }
  QByteArray State() { return TModelStream::WriteModel(*document, false); }

  TRecordingObserver observer;
  TUndoRecorder recorder;
  std::unique_ptr<TModelDocument> document;
};

// The temporary files this process has in the private folder.
QStringList OwnFiles()
{
  const QString pid = QString::number(QCoreApplication::applicationPid());
  QStringList own;
  for (const QString& name : QDir(TUserFolders::RecoveryFolder()).entryList(QDir::Files))
    if (name.contains(QLatin1Char('-') + pid + QLatin1Char('-'))) own << name;
  return own;
}

}  // namespace

TEST(UndoRecorder, CaptionsFollowUndoAndRedo)
{
  TUndoFixture f;
  TModelDocument& d = *f.document;
  EXPECT_EQ(TUndoRecorder::UndoCaption(d), std::pair(false, QStringLiteral("Can't Undo")));
  EXPECT_EQ(TUndoRecorder::RedoCaption(d), std::pair(false, QStringLiteral("Can't Redo")));

  // Nothing pending: only the controls are refreshed.
  d.RecordUndo(QStringLiteral("Move Cogis"));
  EXPECT_TRUE(d.UndoList.empty());
  EXPECT_EQ(f.observer.controls, 1);

  iotest::AddCogi(d, 2, 2);
  f.Record(QStringLiteral("Create Shapes"));
  d.Objects[0]->X = 5;
  f.Record(QStringLiteral("Move Cogis"));
  EXPECT_TRUE(d.Modified);
  EXPECT_FALSE(d.ChangePending);
  EXPECT_EQ(TUndoRecorder::UndoCaption(d).second, QStringLiteral("Undo Move Cogis"));

  f.recorder.Undo(d);
  EXPECT_EQ(d.Objects[0]->X, 2);
  EXPECT_EQ(TUndoRecorder::RedoCaption(d).second, QStringLiteral("Redo Move Cogis"));
  EXPECT_EQ(TUndoRecorder::UndoCaption(d).second, QStringLiteral("Undo Create Shapes"));
  f.recorder.Undo(d);
  EXPECT_TRUE(d.Objects.empty());
  EXPECT_FALSE(TUndoRecorder::UndoCaption(d).first);
  f.recorder.Redo(d);
  f.recorder.Redo(d);
  EXPECT_EQ(d.Objects.size(), 1u);
  EXPECT_EQ(d.Objects[0]->X, 5);
  f.recorder.Redo(d);  // nothing left: nothing happens
  EXPECT_EQ(d.Objects[0]->X, 5);
}

TEST(UndoRecorder, ANewEditAfterUndoDropsTheRedoFiles)
{
  TUndoFixture f;
  TModelDocument& d = *f.document;
  iotest::AddCogi(d, 1, 1);
  f.Record(QStringLiteral("Create Shapes"));
  iotest::AddCogi(d, 3, 1);
  f.Record(QStringLiteral("Create Shapes"));
  f.recorder.Undo(d);
  ASSERT_EQ(d.RedoList.size(), 1u);
  const QString redoFile = d.RedoList[0].FileName;
  EXPECT_TRUE(QFile::exists(redoFile));
  d.Objects[0]->Y = 4;
  f.Record(QStringLiteral("Move Cogis"));
  EXPECT_TRUE(d.RedoList.empty());
  EXPECT_FALSE(QFile::exists(redoFile));
  // Every snapshot file has a name of its own.
  QStringList names;
  for (const TUndoEntry& entry : d.UndoList)
    names << entry.FileName;
  names.removeDuplicates();
  EXPECT_EQ(names.size(), static_cast<qsizetype>(d.UndoList.size()));
}

TEST(UndoRecorder, TheViewNeverMovesAndReadOnlyModelsStayUnmodified)
{
  TUndoFixture f;
  TModelDocument& d = *f.document;
  d.ReadOnly = true;
  iotest::AddCogi(d, 1, 1);
  f.Record(QStringLiteral("Create Shapes"));
  EXPECT_FALSE(d.Modified);
  d.Zoom = 150;
  d.ViewOrigin = {3, 4};
  f.recorder.Undo(d);
  EXPECT_EQ(d.Zoom, 150);
  EXPECT_EQ(d.ViewOrigin, (TModelPoint{3, 4}));
  f.recorder.Redo(d);
  EXPECT_FALSE(d.Modified);
  EXPECT_EQ(d.ViewOrigin, (TModelPoint{3, 4}));

  // After a save, undoing makes the model differ from its file again.
  d.ReadOnly = false;
  d.Modified = false;
  d.Named = true;
  f.recorder.Undo(d);
  EXPECT_TRUE(d.Modified);
  EXPECT_TRUE(d.Named);  // whether the window has a file is not part of the history
}

TEST(UndoRecorder, RecoveryFileFollowsEveryRecordedChange)
{
  TUndoFixture f;
  TModelDocument& d = *f.document;
  iotest::AddCogi(d, 1, 1);
  f.Record(QStringLiteral("Create Shapes"));
  QFile recovery(d.RecoverFileName);
  ASSERT_TRUE(recovery.open(QIODevice::ReadOnly));
  EXPECT_EQ(recovery.readAll(), d.Snapshot);
  recovery.close();
  f.recorder.Undo(d);
  ASSERT_TRUE(recovery.open(QIODevice::ReadOnly));
  EXPECT_EQ(recovery.readAll(), d.Snapshot);
}

TEST(UndoRecorder, AnUnreadableSnapshotLeavesTheModelWhole)
{
  TUndoFixture f;
  TModelDocument& d = *f.document;
  iotest::AddCogi(d, 1, 1);
  f.Record(QStringLiteral("Create Shapes"));
  iotest::AddCogi(d, 3, 1);
  f.Record(QStringLiteral("Create Shapes"));
  const QByteArray before = f.State();
  // A damaged snapshot: the undo is refused and reported, nothing changes.
  QFile snapshot(d.UndoList.back().FileName);
  ASSERT_TRUE(snapshot.open(QIODevice::WriteOnly));
  snapshot.write(QByteArray::fromHex("14AE47E17A140040") + QByteArray(30, '\x01'));
  snapshot.close();
  f.recorder.Undo(d);
  EXPECT_EQ(f.State(), before);
  EXPECT_EQ(d.UndoList.size(), 2u);
  EXPECT_EQ(f.observer.errors.size(), 1);
}

TEST(UndoRecorder, AFolderThatCannotBeWrittenIsReportedOnceAndTheEditStays)
{
  TUndoFixture f;
  TModelDocument& d = *f.document;
  d.RecoverFileName = QStringLiteral("/proc/mindorra-cannot-write/recover.MDL");
  iotest::AddCogi(d, 1, 1);
  f.Record(QStringLiteral("Create Shapes"));
  iotest::AddCogi(d, 2, 1);
  f.Record(QStringLiteral("Create Shapes"));
  EXPECT_EQ(d.Objects.size(), 2u);
  EXPECT_FALSE(d.ChangePending);
  EXPECT_EQ(f.observer.errors.size(), 1);
  d.RecoverFileName.clear();
}

TEST(UndoRecorder, RandomEditsUndosAndRedosMatchTheirHistory)
{
  const QStringList before = OwnFiles();
  {
    TUndoFixture f;
    TModelDocument& d = *f.document;
    std::mt19937 random(20261209);
    std::vector<QByteArray> history{f.State()};
    std::size_t at = 0;
    const auto pick = [&](std::size_t n) {
      return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    for (int step = 0; step < 300; ++step) {
      const int action = static_cast<int>(pick(10));
      if (action < 2 && !d.UndoList.empty()) {
        f.recorder.Undo(d);
        --at;
      } else if (action < 4 && !d.RedoList.empty()) {
        f.recorder.Redo(d);
        ++at;
      } else {
        const std::size_t count = d.Objects.size();
        const int edit = static_cast<int>(pick(6));
        if (edit == 0 || count < 2) {
          iotest::AddCogi(d, static_cast<double>(pick(20)), static_cast<double>(pick(15)),
                          static_cast<int>(pick(17)));
        } else if (edit == 1) {
          d.Objects[pick(count)]->MoveTo(&d.Objects, static_cast<double>(pick(20)), 3.5);
        } else if (edit == 2) {
          d.StingObject(d.Objects[pick(count)]);
        } else if (edit == 3) {
          if (auto* filled = dynamic_cast<TFilled*>(d.Objects[pick(count)]))
            filled->FaceColor = static_cast<TColorRef>(random() & 0xFFFFFF);
        } else if (edit == 4) {
          d.Objects[pick(count)]->Selected = true;
          d.RenumberSelection(static_cast<int>(pick(50)));
          d.DeselectAll(false);
        } else {
          d.Objects[pick(count)]->Selected = true;
          d.BringSelectionToFront();
          d.DeselectAll(false);
        }
        f.Record(QStringLiteral("Edit"));
        history.resize(at + 1);
        history.push_back(f.State());
        ++at;
      }
      ASSERT_EQ(f.State(), history[at]) << "step " << step;
      ASSERT_EQ(d.UndoList.size(), at);
      ASSERT_EQ(d.RedoList.size(), history.size() - 1 - at);
    }
  }
  // The window is gone: so is every file it made.
  EXPECT_EQ(OwnFiles(), before);
}
