// The grid of named swatches in the palette strip: the shown thinking colours, the dark
// colours and the pastels. A press, a drag over other swatches and the release pick the
// last swatch passed over, even when the button comes up outside the grid.
#pragma once

#include <QWidget>
#include <algorithm>

#include "platform/color.h"

class TCGPColorGrid : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kColumns = 19;
  static constexpr int kRows = 2;

  explicit TCGPColorGrid(QWidget* parent = nullptr);

  // The side of one swatch cell: half the grid's height.
  int BoxSize() const { return std::max(height() / kRows, 1); }
  // The swatch index under a point of a grid of this box size and width; -1 for none.
  static int IndexAt(QPoint point, int boxSize, int width);
  // Where a swatch is drawn; empty for hidden and unknown indices.
  static QRect CellOf(int index, int boxSize, int width);

  int SelectedIndex() const { return selectedIndex_; }
  // The marked swatch's colour; a pale yellow when none is marked.
  TColorRef SelectedColor() const;
  // Marks the first swatch holding the colour, or none.
  void SetSelectedColor(TColorRef color);

  QSize sizeHint() const override;

 Q_SIGNALS:
  // A pick: the button came up after a press on a swatch.
  void ColorClick(TColorRef color);
  // "|" and the text of the swatch under the pointer, for the status bar.
  void HintChanged(const QString& hint);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int IndexAt(QPoint point) const { return IndexAt(point, BoxSize(), width()); }
  void Select(int index);

  int selectedIndex_ = 0;
  bool tracking_ = false;
  QString hint_;
};
