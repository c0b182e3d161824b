// Writes undo snapshot files on a thread of its own, in the order they were handed over, so
// that the disk works while the user-interface thread serialises or reloads the model. A file
// is only deleted once its write has finished.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class TSnapshotWriter {
 public:
  TSnapshotWriter();
  // Finishes every write handed over.
  ~TSnapshotWriter();
  TSnapshotWriter(const TSnapshotWriter&) = delete;
  TSnapshotWriter& operator=(const TSnapshotWriter&) = delete;

  // Queues the bytes for the file; the bytes are shared, not copied.
  void Write(const QString& path, const QByteArray& bytes);
  // Drops a file: a write still waiting is cancelled, and a finished file deleted.
  void Remove(const QString& path);
  // Waits until every write handed over has finished.
  void Flush();
  // The messages of writes that failed since the last call (their files are gone).
  QStringList TakeFailures();

 private:
  struct TJob {
    QString Path;
    QByteArray Bytes;
  };
  void Run();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<TJob> queue_;
  QString writing_;  // the file being written now, outside the lock
  QStringList failures_;
  bool stopping_ = false;
  std::thread worker_;
};
