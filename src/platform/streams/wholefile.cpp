#include "platform/streams/wholefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "platform/streams/streamerror.h"

namespace {

QString SaveError(const QString& name, const QFileDevice& file)
{
  // Qt marks a write that found no space as a resource error; its text alone is easy to miss.
  const QString reason = file.error() == QFileDevice::ResourceError
                             ? QStringLiteral("the disk is full (%1)").arg(file.errorString())
                             : file.errorString();
  return QStringLiteral("Cannot save \"%1\": %2").arg(name, reason);
}

}  // namespace

QByteArray TWholeFile::ReadAll(const QString& path, qint64 maxBytes)
{
  const QString shown = QDir::toNativeSeparators(path);
  // Opening without waiting and asking the opened file what it is leaves no moment in which
  // the path could turn into a FIFO between a check and the read.
  const int fd =
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0)
    throw EStreamError(QStringLiteral("Cannot open \"%1\": %2")
                           .arg(shown, QString::fromLocal8Bit(std::strerror(errno))));
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    throw EStreamError(QStringLiteral("Cannot open \"%1\": it is not a regular file").arg(shown));
  }
  if (status.st_size > maxBytes) {
    ::close(fd);
    throw EStreamError(QStringLiteral("Cannot open \"%1\": the file is too large").arg(shown));
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    throw EStreamError(QStringLiteral("Cannot open \"%1\": %2").arg(shown, file.errorString()));
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw EStreamError(QStringLiteral("Cannot read \"%1\": %2").arg(shown, file.errorString()));
  return bytes;
}

void TWholeFile::WriteAll(QFileDevice& file, const QByteArray& bytes, const QString& name)
{
  // A short write sets no error; writing the rest then fails with the system's reason.
  qsizetype done = 0;
  while (done < bytes.size()) {
    const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
    if (written <= 0) throw EStreamError(SaveError(name, file));
    done += static_cast<qsizetype>(written);
  }
  if (!file.flush()) throw EStreamError(SaveError(name, file));
}

void TWholeFile::WriteAtomically(const QString& path, const QByteArray& bytes)
{
  const QFileInfo info(path);
  const QString name = info.fileName();
  const QDir folder = info.absoluteDir();
  if (!folder.exists())
    throw EStreamError(QStringLiteral("Cannot save \"%1\": the folder \"%2\" does not exist")
                           .arg(name, QDir::toNativeSeparators(folder.absolutePath())));
  QSaveFile file(path);
  // Unbuffered, so that every write reaches the system and a failure keeps its reason.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    throw EStreamError(SaveError(name, file));
  WriteAll(file, bytes, name);
  if (!file.commit()) throw EStreamError(SaveError(name, file));
}

bool TWholeFile::Link(const QString& existing, const QString& path)
{
  return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(path).constData()) == 0;
}

bool TWholeFile::LinkOver(const QString& existing, const QString& path)
{
  // The caller owns the folder's names (the recovery lock), so a fixed temporary name is safe;
  // one a crash left behind is cleared first.
  const QByteArray temporary = QFile::encodeName(path + QStringLiteral(".link"));
  ::unlink(temporary.constData());
  if (::link(QFile::encodeName(existing).constData(), temporary.constData()) != 0) return false;
  if (::rename(temporary.constData(), QFile::encodeName(path).constData()) == 0) return true;
  ::unlink(temporary.constData());
  return false;
}
