// Replaces one file again and again (a model's recovery copy after every edit) through a
// temporary file made ready beforehand: as large as the next content is likely to be, with its
// pages already in memory, so that writing the content is a copy rather than the system
// finding tens of megabytes of fresh pages for it. The file is replaced in one step
// (renaming), so a process killed meanwhile leaves the old content or the new.
#pragma once

#include <QByteArray>
#include <QString>
#include <thread>

class TWarmFile {
 public:
  TWarmFile() = default;
  // Waits for a preparation and removes a temporary file that was not used.
  ~TWarmFile();
  TWarmFile(const TWarmFile&) = delete;
  TWarmFile& operator=(const TWarmFile&) = delete;

  // Writes the bytes as the target's new content, readable by its owner only: written,
  // flushed to the disk and renamed over the target. Throws EStreamError with the reason.
  void Replace(const QString& target, const QByteArray& bytes);
  // Starts making the temporary file for the target's next content ready, on a thread of its
  // own; the next Replace of that target uses it.
  void Prepare(const QString& target, qint64 size);
  // The temporary file beside a target.
  static QString TemporaryFile(const QString& target);

 private:
  void Finish();

  std::thread preparing_;
  QString preparedFor_;
};
