// An exclusive lock held through a small file, which the system drops when its process dies:
// a crashed owner never leaves a lock that still looks taken, and a live one can be probed
// without disturbing it. Releasing the lock removes the file, so locks of dead processes
// disappear as soon as anyone takes them over.
#pragma once

#include <QString>

class TFileLock {
 public:
  explicit TFileLock(const QString& path) : path_(path) {}
  ~TFileLock() { Unlock(); }
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  // Takes the lock without waiting (creating the file, mode 0600); false when a running
  // process holds it or the file cannot be made.
  bool TryLock();
  // Removes the file and lets go; nothing happens when the lock is not held.
  void Unlock();
  bool IsLocked() const { return fd_ >= 0; }
  const QString& Path() const { return path_; }

 private:
  QString path_;
  int fd_ = -1;
};
