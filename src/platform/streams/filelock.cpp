#include "platform/streams/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>

bool TFileLock::TryLock()
{
  if (fd_ >= 0) return true;
  const QByteArray name = QFile::encodeName(path_);
  // A holder removes the file just before letting go; whoever opened it before that and locks
  // it after holds a file no one else finds, so checks the name still leads to it, and tries
  // again on a new one.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return false;
    }
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      ::fchmod(fd, 0600);  // a file left by an older copy may be open to others
      fd_ = fd;
      return true;
    }
    ::close(fd);
  }
  return false;
}

void TFileLock::Unlock()
{
  if (fd_ < 0) return;
  // Removed while still held, so no one can take the lock on a file that is about to go.
  ::unlink(QFile::encodeName(path_).constData());
  ::close(fd_);
  fd_ = -1;
}
