// The frame both floating editors share: a rich-text box inside a 4-pixel patterned frame,
// a child of the model window's surface that the user drags by its frame and sizes by its
// eight grips, always kept inside the surface.
#pragma once

#include <QFrame>
#include <QPoint>
#include <QRect>
#include <array>

class QTextEdit;

class TEditorFrame : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kFrame = 4;
  static constexpr int kGrip = 5;

  explicit TEditorFrame(QWidget* surface, QColor pattern);

  QTextEdit& Box() const { return *box_; }
  void SetGrips(bool on) { grips_ = on; }
  bool Grips() const { return grips_; }
  // 0 for none, else 1 to 8: top-left, top, top-right, right, bottom-right, bottom,
  // bottom-left, left.
  int GripAt(QPoint point) const;
  // No larger than half the surface, at least 10 pixels inside its top-left corner and not
  // past its right or bottom edge.
  void KeepInside();
  // Moves or sizes the frame as a drag of the frame (grip 0) or of a grip from start by
  // delta would; what mouse drags do, open to scripts.
  void DragBy(int grip, QRect start, QPoint delta);

 Q_SIGNALS:
  void FrameMoved();
  void FrameResized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // The rich-text box's right-click menu.
  void ShowTextMenu(QPoint at);
  // Room kept clear at the bottom right for a button over the box.
  virtual void PlaceButtons() {}

 private:
  std::array<QRect, 8> GripRects() const;

  QTextEdit* box_;
  QColor pattern_;
  bool grips_ = false;
  int dragGrip_ = -1;
  QPoint pressGlobal_;
  QRect startGeometry_;
};
