// Reading and writing files in one piece, with the user-readable errors of EStreamError.
// Reading accepts only an ordinary file: a FIFO, a directory or a device is refused without
// reading from it, so a path can never make the program wait or read without end.
#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

class TWholeFile {
 public:
  // Files larger than this are refused rather than read into memory.
  static constexpr qint64 kMaxBytes = 2LL * 1024 * 1024 * 1024;

  static QByteArray ReadAll(const QString& path, qint64 maxBytes = kMaxBytes);
  // Writes every byte or throws with the system's reason; a full disk is said in words.
  static void WriteAll(QFileDevice& file, const QByteArray& bytes, const QString& name);
  // Writes through a temporary file that replaces the file only when complete. A missing
  // folder is named in the message.
  static void WriteAtomically(const QString& path, const QByteArray& bytes);
  // Gives an existing file a second name that shares its bytes, without copying them; false
  // where the file system cannot, or the name is taken (the caller then writes a copy).
  static bool Link(const QString& existing, const QString& path);
  // Replaces the file at path by a second name of an existing file, in one step (a process
  // killed meanwhile leaves the old file or the new one); false when it cannot be done, and
  // then nothing has changed.
  static bool LinkOver(const QString& existing, const QString& path);
};
