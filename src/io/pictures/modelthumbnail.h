// The small and large pictures of a model file for the recent-file menu and the open
// dialog's preview, read from the file's header alone: opening a large model's menu entry
// never reads its objects.
#pragma once

#include <QImage>
#include <QString>

class TModelThumbnail {
 public:
  static constexpr qint32 kMaxPictureBytes = 4 * 1024 * 1024;

  // The picture stored in the file (32 x 32 small, 153 x 212 large), "V1" on white for a file
  // of the earlier text version, "?" for anything else.
  static QImage Picture(const QString& path, bool large);
  // The placeholder of that size with its text in bold, centred.
  static QImage Placeholder(bool large, const QString& text);
};
