// The strip above the report's editor: tick marks at the default tab stops and three markers,
// for the first-line indent, the left indent and the right indent of the paragraph at the
// caret, which can be dragged to change that paragraph.
#pragma once

#include <QWidget>

class QTextEdit;

class TReportRuler : public QWidget {
  Q_OBJECT
 public:
  enum class TMarker { None, FirstLine, Left, Right };
  static constexpr int kLeftEdge = 6;  // pixels from the left edge to the text's start

  explicit TReportRuler(QTextEdit& editor, QWidget* parent = nullptr);
  QSize sizeHint() const override;
  // Where a marker stands, in the ruler's pixels, for the paragraph at the caret.
  int MarkerX(TMarker marker) const;
  // Moves a marker to a pixel of the ruler, as a drag does.
  void MoveMarker(TMarker marker, int x);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TMarker MarkerAt(QPoint point) const;
  int TextWidth() const;

  QTextEdit& editor_;
  TMarker dragging_ = TMarker::None;
};
