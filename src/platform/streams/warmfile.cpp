#include "platform/streams/warmfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/streams/streamerror.h"

namespace {

constexpr mode_t kPrivate = S_IRUSR | S_IWUSR;

QByteArray Native(const QString& path)
{
  return QFile::encodeName(path);
}

[[noreturn]] void Fail(const QString& target, int error)
{
  throw EStreamError(QStringLiteral("Cannot write \"%1\": %2")
                         .arg(target, QString::fromLocal8Bit(std::strerror(error))));
}

bool WriteAll(int fd, const QByteArray& bytes)
{
  const char* data = bytes.constData();
  qint64 left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    left -= written;
  }
  return true;
}

// Gives the file its size in blocks and reads it through, which brings its (zero) pages into
// memory without writing anything to the disk.
void Warm(const QByteArray& path, qint64 size)
{
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, kPrivate);
  if (fd < 0) return;
  if (::posix_fallocate(fd, 0, size) != 0 && ::ftruncate(fd, size) != 0) {
    ::close(fd);
    return;
  }
  std::vector<char> buffer(1 << 20);
  for (off_t at = 0; at < size;) {
    const ssize_t got = ::pread(fd, buffer.data(), buffer.size(), at);
    if (got <= 0) break;
    at += got;
  }
  ::close(fd);
}

}  // namespace

TWarmFile::~TWarmFile()
{
  Finish();
  if (!preparedFor_.isEmpty()) ::unlink(Native(TemporaryFile(preparedFor_)).constData());
}

QString TWarmFile::TemporaryFile(const QString& target)
{
  return target + QStringLiteral(".next");
}

void TWarmFile::Finish()
{
  if (preparing_.joinable()) preparing_.join();
}

void TWarmFile::Replace(const QString& target, const QByteArray& bytes)
{
  Finish();
  const QByteArray temporary = Native(TemporaryFile(target));
  // A prepared file is written over in place; anything else starts empty. One prepared for
  // another target (the window took over another recovery file) is not left behind.
  const bool prepared = preparedFor_ == target;
  if (!prepared && !preparedFor_.isEmpty())
    ::unlink(Native(TemporaryFile(preparedFor_)).constData());
  preparedFor_.clear();
  const int fd = ::open(temporary.constData(),
                        O_WRONLY | O_CREAT | O_CLOEXEC | (prepared ? 0 : O_TRUNC), kPrivate);
  if (fd < 0) Fail(target, errno);
  const bool done = WriteAll(fd, bytes) && ::ftruncate(fd, bytes.size()) == 0 &&
                    ::fchmod(fd, kPrivate) == 0 && ::fdatasync(fd) == 0;
  const int error = errno;
  ::close(fd);
  if (!done || ::rename(temporary.constData(), Native(target).constData()) != 0) {
    const int failure = done ? errno : error;
    ::unlink(temporary.constData());
    Fail(target, failure);
  }
}

void TWarmFile::Prepare(const QString& target, qint64 size)
{
  Finish();
  preparedFor_ = target;
  const QByteArray temporary = Native(TemporaryFile(target));
  preparing_ = std::thread([temporary, size] { Warm(temporary, size); });
}
