// Opening and saving model files, and the picture exports chosen by a file's extension.
// Errors are thrown as EStreamError with the message the user sees.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class TModelDocument;

class TModelFile {
 public:
  // Opens a model file into a new, empty document and gives the file's version. Messages
  // that come before a failure ("Not a valid model file.") go to the document's observer.
  // Only an ordinary file is read: a FIFO, a folder or a device is refused unread.
  static double OpenModelFile(TModelDocument& document, const QString& path, bool readOnly);
  // Saves in the model format; the previous file stays intact unless the new one was
  // written completely. A failed save leaves the document as it was.
  static void SaveModelFile(TModelDocument& document, const QString& path);
  // Saves or exports by extension: pictures at the given size, an error for the kinds that
  // are never written (the document stays as it was), the model format for everything else.
  static void SaveModelAs(TModelDocument& document, const QString& path, QSize pictureSize);
  // Writes bytes to a file through a temporary file that replaces it only when complete;
  // see TWholeFile::WriteAtomically.
  static void WriteFileAtomically(const QString& path, const QByteArray& bytes);

  // The preview (large) or icon (small) stored in a model file, or a placeholder picture.
  static QImage ModelThumbnail(const QString& path, bool large);

  // The whole model rendered into a picture of the size, on white.
  static QImage ModelPicture(TModelDocument& document, QSize size);
};
