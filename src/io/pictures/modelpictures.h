// Whole-model pictures drawn on every core: the picture in horizontal bands on worker
// threads, and for PNG files each piece packed as soon as its rows are drawn. The pixels are
// those of the picture drawn whole on one thread.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

class TModelDocument;

class TModelPictures {
 public:
  // The model fitted into a white picture of the given size.
  static QImage Picture(TModelDocument& document, QSize size);
  // The same picture as a PNG file.
  static QByteArray Png(TModelDocument& document, QSize size);
};
