// Reads picture files for insertion as clipart: bitmaps, icons, JPEG images and metafiles
// keep their own kind, and any other format Qt reads (PNG, GIF, ...) becomes a bitmap.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "platform/pictures/picture.h"

class TPictureLoader {
 public:
  // Files larger than this are refused rather than read.
  static constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

  // None when the file cannot be read or holds no picture we can show or keep.
  static std::optional<TPicture> FromFile(const QString& path);
  // The kind is told by the bytes themselves, not by a file name.
  static std::optional<TPicture> FromBytes(const QByteArray& bytes);
  static TPicture::TKind KindOf(const QByteArray& bytes);
};
