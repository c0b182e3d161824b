// The continuous colour spectrum of the palette strip: dark red through the hues to grey
// from left to right, white at the top, the pure colours two thirds down and darker below.
// A press and the release pick the colour where the button comes up.
#pragma once

#include <QImage>
#include <QWidget>

#include "platform/color.h"

class TSpectrum : public QWidget {
  Q_OBJECT

 public:
  explicit TSpectrum(QWidget* parent = nullptr);

  // The colour at a point of a spectrum of the given size. Points outside are taken at the
  // nearest edge and every size of at least one pixel is valid, so the result is always a
  // plain colour with each component in 0..255.
  static TColorRef ColorAt(QPoint point, QSize size);
  // "|RGB(r, g, b)" with each component padded to three places.
  static QString HintFor(TColorRef color);

 Q_SIGNALS:
  void ColorClick(TColorRef color);
  // The colour under the pointer while no button is held.
  void HoverColor(TColorRef color);
  void HintChanged(const QString& hint);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TColorRef ColorAt(QPoint point) const { return ColorAt(point, size()); }

  QImage image_;  // every pixel's colour, rebuilt when the size changes
  bool tracking_ = false;
};
