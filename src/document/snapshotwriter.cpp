#include "document/snapshotwriter.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <utility>

namespace {

// Written whole under a temporary name and then renamed, so that a crash in the middle never
// leaves a snapshot the undo history names but cannot read.
QString WriteWhole(const QString& path, const QByteArray& bytes)
{
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) &&
      file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
      file.write(bytes) == bytes.size() && file.commit())
    return {};
  return QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString());
}

}  // namespace

TSnapshotWriter::TSnapshotWriter() = default;

TSnapshotWriter::~TSnapshotWriter()
{
  if (!worker_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  worker_.join();
}

void TSnapshotWriter::Write(const QString& path, const QByteArray& bytes)
{
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back({path, bytes});
    // The thread starts with the first snapshot: most documents never record one.
    if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
  }
  wake_.notify_one();
}

void TSnapshotWriter::Remove(const QString& path)
{
  std::unique_lock lock(mutex_);
  const auto waiting =
      std::find_if(queue_.begin(), queue_.end(), [&](const TJob& job) { return job.Path == path; });
  if (waiting != queue_.end()) {
    queue_.erase(waiting);
    return;
  }
  idle_.wait(lock, [&] { return writing_ != path; });
  lock.unlock();
  QFile::remove(path);
}

void TSnapshotWriter::Flush()
{
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [&] { return queue_.empty() && writing_.isEmpty(); });
}

QStringList TSnapshotWriter::TakeFailures()
{
  const std::lock_guard lock(mutex_);
  return std::exchange(failures_, {});
}

void TSnapshotWriter::Run()
{
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
    if (queue_.empty()) return;  // stopping, with everything written
    TJob job = std::move(queue_.front());
    queue_.pop_front();
    writing_ = job.Path;
    lock.unlock();
    const QString failure = WriteWhole(job.Path, job.Bytes);
    job.Bytes = QByteArray();  // let the memory go before waiting again
    lock.lock();
    if (!failure.isEmpty()) failures_.push_back(failure);
    writing_.clear();
    idle_.notify_all();
  }
}
