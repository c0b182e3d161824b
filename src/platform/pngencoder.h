// Writes model pictures as PNG quickly: 8-bit RGB rows with the "up" filter, which turns the
// flat areas of a model into runs that the fastest deflate level packs well. Large pictures
// are packed in horizontal pieces on all cores, joined into one stream.
#pragma once

#include <QByteArray>
#include <QImage>

class TPngEncoder {
 public:
  // An empty array for a null image. Transparency is dropped (model pictures are opaque).
  static QByteArray Encode(const QImage& image);
};
