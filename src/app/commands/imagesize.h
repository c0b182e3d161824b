// The size of an exported model picture: the presets the question offers, reading a typed
// size, and the bounds that keep the export's memory to a few hundred megabytes.
#pragma once

#include <QSize>
#include <QString>
#include <optional>
#include <vector>

class TImageSize {
 public:
  static QString Caption() { return QStringLiteral("Set Bitmap Size"); }
  // "320x200" to "1280x1024"; 640 x 480 is chosen at first.
  static const std::vector<QSize>& Presets();
  static QSize Default() { return QSize(640, 480); }
  // "640x480", "640 x 480" or "640,480"; none when it is not two whole numbers.
  static std::optional<QSize> Parse(const QString& text);
  // Each side brought within the export's bounds.
  static QSize Bounded(QSize size);
};
