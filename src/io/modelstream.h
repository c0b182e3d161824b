// The binary model stream: a header describing the document, the object count and one
// record per object, back to front. Files, undo snapshots and recovery files all use it.
#pragma once

#include <QByteArray>
#include <QImage>

class CGPObject;
class TBinaryReader;
class TModelDocument;

class TModelStream {
 public:
  static constexpr double kVersion = 2.01;
  static constexpr QSize kPreviewSize{153, 212};
  static constexpr QSize kIconSize{32, 32};

  // Writes the whole model. Without previews the two picture blocks are written empty,
  // which is what snapshots read only by the program need.
  static QByteArray WriteModel(TModelDocument& document, bool withPreviews = true);
  // Whether the stream begins as WriteModel(document, false) would begin it (version, empty
  // previews, header, object count). For a snapshot just read, whose objects read back as
  // they were written, the stream is then what writing the model again would give.
  static bool BeginsAsWritten(const TModelDocument& document, const QByteArray& stream);
  // Reads a stream into the document, appending its objects; throws EStreamError. Objects
  // read before an error stay in the document. placedArrows: the stream is one this program
  // wrote from a model whose arrows were all placed (an undo snapshot), so placing them again
  // would put their ends where they are stored; they are taken as stored.
  static void ReadModel(TModelDocument& document, const QByteArray& stream, bool showProgress,
                        bool placedArrows = false);
  // Reads one kind code and the record after it into a new object of the document.
  static CGPObject* ReadObjectRecord(TModelDocument& document, TBinaryReader& stream);

  // The previews as BMP file images: the whole model fitted into a picture.
  static QByteArray PreviewBitmap(TModelDocument& document, QSize size);
  // The version a stream begins with (0 when it is shorter than 8 bytes).
  static double ReadVersion(const QByteArray& stream);
};
