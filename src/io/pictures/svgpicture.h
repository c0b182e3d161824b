// Writes a whole model as a compact SVG document: every outline that repeats is written once
// and placed again by reference, coordinates carry the two decimals the picture needs, styles
// are shared classes, and text stays text (a run of characters with their own positions).
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

class TModelDocument;

class TSvgPicture {
 public:
  // The model fitted into a picture of the given size in pixels at the given resolution,
  // on white, as RenderToDevice draws it.
  static QByteArray Write(TModelDocument& document, QSize size, double dpi, const QString& title);
};
